// The archive as it was before the first install, kept beside it as "<archive>.bak": the way
// back to the original graphics, and after an install that a crash or a power failure cut short.
#pragma once

#include "framework/CFile.h"
#include "framework/CString.h"

// The name of the copy of the archive at strArchivePath.
CString ArchiveBackupPath(const CString& strArchivePath);

// Unless something already bears the copy's name (it is then never touched), copies the whole
// archive, read through the open file object that holds it, into a new temporary file beside it,
// hands that to the disk and gives it the copy's name without replacing anything: a copy is
// either complete or absent. Returns FALSE with the message to show when the copy could not be
// made; no temporary file is left then.
BOOL KeepOriginalArchive(CFile& archive, const CString& strArchivePath, CString& strMessage);
