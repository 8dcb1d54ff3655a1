// Reading an exact number of bytes from a file of the archive's or a set's.
#pragma once

#include "framework/CFile.h"

// A read that delivers fewer bytes than asked would leave zeros where data belongs: it throws
// the end-of-file exception instead.
inline void ReadWhole(CFile& file, void* pBuf, UINT nCount) {
    if (file.Read(pBuf, nCount) != nCount)
        AfxThrowFileException(CFileException::endOfFile, -1, file.GetFilePath());
}
