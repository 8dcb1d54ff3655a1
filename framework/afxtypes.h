// Basic Win32-style types for portable code that must not include <windows.h>.
// The typedefs match <windows.h> exactly, so both may be seen in one translation unit.
#pragma once

#include <cstdint>

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned int UINT;
#ifdef _WIN32
typedef unsigned long DWORD;
#else
typedef std::uint32_t DWORD;
#endif
typedef std::int64_t LONGLONG;
typedef std::uint64_t ULONGLONG;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// The longest path the ANSI functions take, NUL included.
#ifndef _MAX_PATH
#define _MAX_PATH 260
#endif
// Room for such a path as 8-bit text where the process code page is UTF-8: a character takes up
// to three bytes there.
constexpr unsigned AFX_MAX_PATH_BYTES = _MAX_PATH * 3;
