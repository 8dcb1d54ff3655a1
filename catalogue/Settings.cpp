#include "catalogue/Settings.h"

#include "catalogue/StoredLines.h"
#include "catalogue/WhiteSpace.h"

#include "framework/CStdioFile.h"

#include <cstring>

const char kToolFolderSuffix[] = "\\RararIzorevo\\";
const char kSettingsFileName[] = "pg2_flags.ini";
const char kSettingsOpenError[] = "ERROR! Pg2_flags.ini can not be opened!";
const char kFolderTooLongError[] =
    "ERROR! Pg2_flags.ini can not be opened: the path of the folder the tool was started from is "
    "too long (with \\RararIzorevo\\pg2_flags.ini added it must stay under 260 characters). "
    "Start the tool from a folder with a shorter path.";

namespace {

const char kDatPathKey[] = "pg2-panzer2.dat=";
// The new content's own file: "~" + a unique part + ".tmp", no longer than the settings file's
// own name, so that it can be made wherever that one can.
const char kTempPrefix[] = "~";

// The whole settings text, handed to the disk before the file is closed.
void WriteWhole(CStdioFile& file, const std::string& text) {
    file.WriteString(text.c_str());
    file.Flush();
    file.Close();
}

} // namespace

bool BuildToolFolder(const char* pszCurDir, char* pszFolder, std::size_t cbFolder,
                     const CLegacyCodePage* pLegacy) {
    const std::size_t nCur = std::strlen(pszCurDir);
    const std::size_t nSuffix = sizeof kToolFolderSuffix - 1;
    if (cbFolder == 0)
        return false;
    pszFolder[0] = '\0';
    if (nCur + nSuffix >= cbFolder || CountChars(pszCurDir, pLegacy) + nSuffix > kFolderLimit)
        return false;
    std::memcpy(pszFolder, pszCurDir, nCur);
    std::memcpy(pszFolder + nCur, kToolFolderSuffix, nSuffix + 1);
    return true;
}

bool ParseDatPathLine(const std::string& whole, std::string& path) {
    // The path goes on as a C string: whatever follows a NUL byte is not part of it.
    const std::string line = whole.substr(0, whole.find('\0'));
    const std::size_t nKey = sizeof kDatPathKey - 1;
    if (line.compare(0, nKey, kDatPathKey) != 0)
        return false;
    std::size_t first = nKey;
    while (first < line.size() && IsWhite(line[first]))
        ++first;
    std::size_t last = line.size();
    while (last > first && IsWhite(line[last - 1]))
        --last;
    if (first == last)
        return false;
    path.assign(line, first, last - first);
    return true;
}

std::string FormatSettings(const std::string& datPath, const CLegacyCodePage* pLegacy) {
    return "/* PG2-flags.ini\n" + std::string(kDatPathKey) + StoredLineOfText(datPath, pLegacy) +
           "\n/* end PG2-flags.ini\n";
}

bool ReadDatPath(CStdioFile& file, CString& path, const CLegacyCodePage* pLegacy) {
    CStoredLines lines(file, pLegacy);
    std::string line;
    lines.Read(line); // line 1 is a comment
    if (!lines.Read(line))
        return false;
    std::string found;
    if (!ParseDatPathLine(line, found))
        return false;
    path = found.c_str();
    return true;
}

bool WriteSettingsFile(const char* pszFolder, const char* pszDatPath,
                       const CLegacyCodePage* pLegacy) {
    std::string target = std::string(pszFolder) + kSettingsFileName;
    // A link is written where it points; a file marked read-only is left as it is.
    CFileStatus status;
    CFileException error;
    if (CFile::GetStatus(target.c_str(), status, &error)) {
        if (status.m_attribute & (CFile::readOnly | CFile::directory | CFile::device))
            return false;
        target = status.m_szFullName;
    } else if (error.m_cause != CFileException::fileNotFound) {
        return false;
    }
    const std::string folder = target.substr(0, target.find_last_of("\\/") + 1);
    const std::string text = FormatSettings(pszDatPath, pLegacy);
    CStdioFile file;
    if (file.OpenUnique(folder.c_str(), kTempPrefix)) {
        const std::string temp = file.GetFilePath().str();
        // The exception is reported by the framework; only the half-written copy goes here.
        const auto drop = [&file, &temp] {
            file.Abort();
            CFile::Remove(temp.c_str());
        };
        try {
            WriteWhole(file, text);
        } catch (CFileException& e) {
            drop();
            // The user knows the settings file, not the copy that is gone by now.
            e.m_strFileName = (std::string(pszFolder) + kSettingsFileName).c_str();
            throw;
        } catch (...) {
            drop();
            throw;
        }
        // A replace whose folder could not be handed to the disk stands all the same: the new
        // file is in place when its temporary name is gone. Otherwise the old one stands.
        if (CFile::Replace(temp.c_str(), target.c_str()) || AfxNothingAt(temp.c_str()))
            return true;
        CFile::Remove(temp.c_str());
        return false;
    }
    // Only where no file at all can be made in the folder is the file rewritten where it is; a
    // failure while it is written leaves it cut short.
    if (!file.Open(target.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText))
        return false;
    WriteWhole(file, text);
    return true;
}
