#include "catalogue/StartupLoad.h"

#include "catalogue/Settings.h"
#include "framework/CStdioFile.h"

CStartupLoad LoadStartupFiles(const char* pszFolder, const CLegacyCodePage* pLegacy) {
    CStartupLoad load;
    const std::string folder = pszFolder;
    try {
        CStdioFile file;
        if (!file.Open((folder + kSettingsFileName).c_str(), CFile::modeRead | CFile::typeText)) {
            load.m_pszFatal = kSettingsOpenError;
            return load;
        }
        CString path;
        load.m_bHasDatPath = ReadDatPath(file, path, pLegacy);
        load.m_strDatPath = path.str();
        load.m_bSettingsRead = true;
        file.Close();

        if (!file.Open((folder + kCatalogueFileName).c_str(), CFile::modeRead | CFile::typeText)) {
            load.m_pszFatal = kCatalogueOpenError;
            return load;
        }
        if (ReadCatalogue(file, load.m_cat, pLegacy) == CatalogueResult::TooManySets) {
            load.m_pszFatal = kTooManySetsError;
            return load;
        }
        file.Close();
    } catch (...) {
        // The file objects are closed by now; what was read so far stays in the result.
        load.m_readError = std::current_exception();
    }
    return load;
}

void ShowCatalogueRead(const CStartupLoad& load,
                       const std::function<void(const CCatalogue&)>& show) {
    show(load.m_cat);
    if (load.m_readError)
        std::rethrow_exception(load.m_readError);
}
