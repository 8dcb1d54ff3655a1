#include "catalogue/Settings.h"

#include "catalogue/WhiteSpace.h"

#include "framework/CStdioFile.h"

#include <cstring>

const char kToolFolderSuffix[] = "\\RararIzorevo\\";
const char kSettingsFileName[] = "pg2_flags.ini";
const char kSettingsOpenError[] = "ERROR! Pg2_flags.ini can not be opened!";

namespace {

const char kDatPathKey[] = "pg2-panzer2.dat=";
// The new content's own file: "pg2_flags.ini." + a unique part + ".tmp".
const char kTempPrefix[] = "pg2_flags.ini.";

// The whole settings text, handed to the disk before the file is closed.
void WriteWhole(CStdioFile& file, const std::string& text) {
    file.WriteString(text.c_str());
    file.Flush();
    file.Close();
}

} // namespace

bool BuildToolFolder(const char* pszCurDir, char* pszFolder, std::size_t cbFolder) {
    const std::size_t nCur = std::strlen(pszCurDir);
    const std::size_t nSuffix = sizeof kToolFolderSuffix - 1;
    if (cbFolder == 0)
        return false;
    pszFolder[0] = '\0';
    if (nCur + nSuffix >= cbFolder)
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

std::string FormatSettings(const std::string& datPath) {
    return "/* PG2-flags.ini\n" + std::string(kDatPathKey) + datPath + "\n/* end PG2-flags.ini\n";
}

bool ReadDatPath(CStdioFile& file, CString& path) {
    CString line;
    file.ReadString(line); // line 1 is a comment
    if (!file.ReadString(line))
        return false;
    std::string found;
    if (!ParseDatPathLine(line.str(), found))
        return false;
    path = found.c_str();
    return true;
}

bool WriteSettingsFile(const char* pszFolder, const char* pszDatPath) {
    const std::string target = std::string(pszFolder) + kSettingsFileName;
    const std::string text = FormatSettings(pszDatPath);
    CStdioFile file;
    if (file.OpenUnique(pszFolder, kTempPrefix)) {
        const std::string temp = file.GetFilePath().str();
        try {
            WriteWhole(file, text);
        } catch (...) {
            // The exception is reported by the framework; only the half-written copy goes here.
            file.Abort();
            CFile::Remove(temp.c_str());
            throw;
        }
        if (CFile::Replace(temp.c_str(), target.c_str()))
            return true;
        CFile::Remove(temp.c_str());
    }
    // No copy could be made or put in place (a folder where no file can be created, or one that
    // lets files be written but not renamed): the file is rewritten where it is, if it can be
    // opened for writing at all.
    if (!file.Open(target.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText))
        return false;
    WriteWhole(file, text);
    return true;
}
