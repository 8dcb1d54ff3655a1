// The archive as it was before the first install, kept beside it as "<archive>.bak": the way
// back to the original graphics, and after an install that a crash or a power failure cut short.
#pragma once

#include "framework/CFile.h"
#include "framework/CString.h"

// The archive's real name: the full path of the file strArchivePath leads to, links followed and
// a short name made long; where nothing can be looked at there, the path's own full path, and
// where not even that can be made, the path as given. Empty when the look fails otherwise.
CString ArchiveRealPath(const CString& strArchivePath);

// The refusal of an archive whose copy's name, "<real name>.bak", is longer than the system opens.
extern const char kArchivePathTooLong[];
BOOL IsBackupPathTooLong(const CString& strRealPath);

// The real name strRealPath names a copy that an install keeps (".bak" in any letter case ends
// it, a stream's name aside): writing there would change the original.
BOOL IsArchiveBackupPath(const CString& strRealPath);

// The copy is "<real name>.bak", a name that is not too long. A regular file there that is not the
// archive itself (by the system's identity, not by name) is the copy: it is never touched. When
// nothing is there, copies the whole archive, read through the open file object that holds it, into
// a new file beside it under the copy's name with a tilde for its last letter (a file of that name
// left by an earlier, interrupted copy goes first; anything else there is left alone), hands it to
// the disk, gives it the copy's name without replacing anything and hands that name to the disk: a
// copy is either complete or absent. Returns FALSE with the message to show when no copy is kept
// (something else bears either name, or the copy could not be made); no
// file of the copy's is left then.
BOOL KeepOriginalArchive(CFile& archive, const CString& strRealPath, CString& strMessage);
