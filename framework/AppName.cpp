#include "framework/AppName.h"

#include <cstring>

CString AfxAppNameFromPath(const char* pszExePath) {
    const char* pszName = pszExePath;
    for (const char* p = pszExePath; *p; ++p)
        if (*p == '\\' || *p == '/' || *p == ':')
            pszName = p + 1;
    // Only the last dot starts the extension: "Kestrovane.v2.exe" is "Kestrovane.v2".
    const char* pszDot = std::strrchr(pszName, '.');
    if (pszDot == nullptr || pszDot == pszName)
        return CString(pszName);
    return CString(pszName, static_cast<int>(pszDot - pszName));
}
