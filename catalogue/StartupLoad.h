// The start-up load of the tool's own files: the settings file, then the catalogue, read into a
// plain result that the dialog only shows. Nothing here touches a window.
#pragma once

#include "catalogue/Catalogue.h"

#include <exception>
#include <functional>
#include <string>

// Exactly one outcome: m_pszFatal, m_readError, or neither (everything was read).
struct CStartupLoad {
    // The settings file was read to its second line; what it holds belongs in the path box even
    // when the catalogue fails afterwards.
    bool m_bSettingsRead = false;
    bool m_bHasDatPath = false; // line 2 names a path
    std::string m_strDatPath;
    CCatalogue m_cat;
    // The message that ends the start (a file not opened, too many sets), or nullptr.
    const char* m_pszFatal = nullptr;
    // A failure after an open (the framework's exception), to be thrown again once what was read
    // before it is shown.
    std::exception_ptr m_readError;
};

// Reads pszFolder + "pg2_flags.ini", then pszFolder + "Desc.txt", each opened without sharing and
// closed before the next, and stops at the first failure. (pLegacy as in StoredText.h.)
CStartupLoad LoadStartupFiles(const char* pszFolder, const CLegacyCodePage* pLegacy);

// Hands the catalogue, as far as the load read it, to show, and then throws the read error that
// stopped the load, if any: the sets read before the error stay in the dialog, and the framework
// reports the error after them.
void ShowCatalogueRead(const CStartupLoad& load,
                       const std::function<void(const CCatalogue&)>& show);
