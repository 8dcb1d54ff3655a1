// The tool's folder and the settings file: where it lies, how line 2 names the archive, and how
// the file is written again after a Browse.
#pragma once

#include "catalogue/StoredText.h"
#include "framework/CString.h"

#include <cstddef>
#include <string>

class CStdioFile;

// The tool's folder path holds at most 259 characters; its room holds them in UTF-8, NUL included.
constexpr std::size_t kFolderChars = 259;
constexpr std::size_t kFolderSize = kFolderChars * kMaxBytesPerChar + 1;
// The system opens no path of _MAX_PATH (260) characters or more, so the tool's folder leaves
// room for the longest name of its own there: pg2_flags.ini, and the name of a new settings
// file ("~", eight hex digits, ".tmp").
constexpr std::size_t kFolderLimit = 259 - 13;
extern const char kToolFolderSuffix[]; // "\RararIzorevo\"
extern const char kSettingsFileName[]; // "pg2_flags.ini"
extern const char kSettingsOpenError[];
// A current folder too long for the tool's folder to stay under kFolderLimit.
extern const char kFolderTooLongError[];

// Puts pszCurDir + "\RararIzorevo\" into pszFolder (cbFolder bytes). Returns false, leaving
// pszFolder empty, when the result would be longer than kFolderLimit characters or not fit. A
// drive root such as "C:\" keeps its own backslash, so the folder then holds two in a row; that is
// how the system accepts it. (pLegacy as in StoredText.h, here and below.)
bool BuildToolFolder(const char* pszCurDir, char* pszFolder, std::size_t cbFolder,
                     const CLegacyCodePage* pLegacy);

// Line 2 of the settings file: the key at the very start, in this case, then white space, then
// the path up to the end of the line without trailing white space (paths may hold blanks).
// Returns false when the line does not name a path.
bool ParseDatPathLine(const std::string& line, std::string& path);

// The whole settings file in memory, lines ended by LF (text mode writes CR LF); the path as
// StoredLineOfText stores it.
std::string FormatSettings(const std::string& datPath, const CLegacyCodePage* pLegacy);

// Reads lines 1 and 2 of an open settings file, as CStoredLines reads them; sets path only when
// line 2 names one.
bool ReadDatPath(CStdioFile& file, CString& path, const CLegacyCodePage* pLegacy);

// Writes the settings file for datPath into pszFolder through a file of its own that then replaces
// the old one in one step, so that a failed write never loses the stored path; a settings file
// that is a link is written where the link points. Only where no file at all can be made in the
// folder is the old file rewritten in place. Returns false when it cannot be written: it is
// marked read-only, is held open, is a folder, the folder is missing, or the new file cannot take
// its place; the old file is then untouched and no other file is left. A write error throws the
// framework's CFileException; the new file is then removed and the old one is whole, except when
// it was being rewritten in place.
bool WriteSettingsFile(const char* pszFolder, const char* pszDatPath,
                       const CLegacyCodePage* pLegacy);
