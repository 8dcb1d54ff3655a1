// The text-file reader and the settings parse on arbitrary file bytes. Checks the lines against
// the text-mode rules, and that a path read from line 2 survives a write and a read back whole.
#include "FuzzInput.h"
#include "catalogue/Settings.h"
#include "framework/CStdioFile.h"

#include <string>
#include <vector>

namespace {

// Text mode as the reader must see it: LF ends a line, a CR right before it goes, Ctrl-Z ends
// the file, a last line without LF counts.
std::vector<std::string> ExpectedLines(const Bytes& bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool bOpen = false;
    for (std::uint8_t b : bytes) {
        if (b == 0x1A)
            break;
        if (b == '\n') {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
            line.clear();
            bOpen = false;
        } else {
            line.push_back(static_cast<char>(b));
            bOpen = true;
        }
    }
    if (bOpen)
        lines.push_back(line);
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t nSize) {
    const char* const pszFolder = "/kv/";
    const std::string strPath = std::string(pszFolder) + kSettingsFileName;
    const Bytes bytes(pData, pData + nSize);
    const CFuzzFiles files;
    memfiles::Put(strPath, bytes);

    std::vector<std::string> lines;
    {
        CStdioFile file;
        FUZZ_CHECK(file.Open(strPath.c_str(), CFile::modeRead | CFile::typeText));
        CString line;
        while (file.ReadString(line))
            lines.push_back(line.str());
        FUZZ_CHECK(line.IsEmpty()); // past the end: an empty line
        file.Close();
    }
    FUZZ_CHECK(lines == ExpectedLines(bytes));

    CString path("C:\\default\\Panzer2.dat");
    bool bFound;
    {
        CStdioFile file;
        FUZZ_CHECK(file.Open(strPath.c_str(), CFile::modeRead | CFile::typeText));
        bFound = ReadDatPath(file, path, nullptr);
        file.Close();
    }
    if (!bFound) {
        FUZZ_CHECK(path.str() == "C:\\default\\Panzer2.dat");
        return 0;
    }
    // A file with a UTF-16 mark holds its path in other bytes; the read back below still holds.
    const bool bUtf16 = nSize >= 2 && ((pData[0] == 0xFF && pData[1] == 0xFE) ||
                                       (pData[0] == 0xFE && pData[1] == 0xFF));
    FUZZ_CHECK(lines.size() >= 2 || bUtf16);
    FUZZ_CHECK(!path.IsEmpty() && (bUtf16 || lines[1].find(path.str()) != std::string::npos));

    // What was read is what Browse would save; saved, it must read back the same.
    FUZZ_CHECK(WriteSettingsFile(pszFolder, path, nullptr));
    CString again;
    CStdioFile file;
    FUZZ_CHECK(file.Open(strPath.c_str(), CFile::modeRead | CFile::typeText));
    FUZZ_CHECK(ReadDatPath(file, again, nullptr));
    file.Close();
    FUZZ_CHECK(again.str() == path.str());
    return 0;
}
