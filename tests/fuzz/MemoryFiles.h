// Files kept in memory for the fuzz targets: MemoryFileBackend.cpp gives the framework's file
// back end over them, linked ahead of the framework library so that CFile and CStdioFile run
// unchanged without touching the disk. Paths are plain keys; there are no folders.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace memfiles {

using Bytes = std::vector<std::uint8_t>;

// Forgets every file; handles still open stay valid until closed.
void Clear();
// Creates or replaces a file, flushed.
void Put(const std::string& strPath, const Bytes& bytes);
// The file's bytes, or nullptr when there is no such file.
const Bytes* Find(const std::string& strPath);
// Written to since its last flush (a file made by a rename keeps what its source had).
bool Unflushed(const std::string& strPath);
// Handles opened and not yet closed.
int OpenHandles();

} // namespace memfiles
