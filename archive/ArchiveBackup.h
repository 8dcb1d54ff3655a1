// The archive as it was before the first install, kept beside it as "<archive>.bak": the way
// back to the original graphics, and after an install that a crash or a power failure cut short.
#pragma once

#include "framework/CFile.h"
#include "framework/CString.h"

// The name of the copy of the archive at strArchivePath: the archive's full path as the system
// resolves it, with ".bak" added, so that one archive has one copy however its path was typed.
// Empty when no full path can be made of it.
CString ArchiveBackupPath(const CString& strArchivePath);

// The path names a copy that an install keeps (".bak" in any letter case ends its full path):
// writing there would change the original.
BOOL IsArchiveBackupPath(const CString& strArchivePath);

// A regular file that bears the copy's name is the copy: it is never touched. When nothing does,
// copies the whole archive, read through the open file object that holds it, into a new file
// beside it whose name is no longer than the copy's (a leftover of an earlier, interrupted copy
// goes first), hands it to the disk, gives it the copy's name without replacing anything and
// hands that name to the disk: a copy is either complete or absent. Returns FALSE with the
// message to show when no copy is kept (something else bears the name, the name is too long, or
// the copy could not be made); no file of the copy's is left then.
BOOL KeepOriginalArchive(CFile& archive, const CString& strArchivePath, CString& strMessage);
