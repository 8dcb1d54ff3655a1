// The files the benchmarks work on, made once per size in a temporary folder.
#pragma once

#include "tests/support/TempFolder.h"
#include "tests/support/CatalogueText.h"
#include "tools/ArchiveBytes.h"

#include <string>
#include <vector>

inline Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }
