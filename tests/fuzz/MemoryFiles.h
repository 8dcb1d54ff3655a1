// Files kept in memory for the fuzz targets: MemoryFileBackend.cpp gives a file back end over
// them, which each run puts below the file hook (tests/support/FileOpHook.h), so that CFile and
// CStdioFile run unchanged without touching the disk. Paths are plain keys; there are no folders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace afx_backend {
struct CFileBackend;
}

namespace memfiles {

using Bytes = std::vector<std::uint8_t>;

// Forgets every file; handles still open stay valid until closed.
void Clear();
// Creates or replaces a file, flushed.
void Put(const std::string& strPath, const Bytes& bytes);
// The file's bytes, or nullptr when there is no such file.
const Bytes* Find(const std::string& strPath);
// Handles opened and not yet closed.
int OpenHandles();
// The framework's file back end over these files.
const afx_backend::CFileBackend& Backend();

} // namespace memfiles
