#include "DialogTemplate.h"

namespace e2e {

namespace {

// A resource of the executable, loaded as data (nothing of it runs); nullptr when there is none.
const WORD* Resource(HMODULE h, LPCSTR type, int nId) {
    HRSRC res = h ? FindResourceA(h, MAKEINTRESOURCEA(nId), type) : nullptr;
    HGLOBAL data = res ? LoadResource(h, res) : nullptr;
    return data ? static_cast<const WORD*>(LockResource(data)) : nullptr;
}

// A string or, after 0xFFFF, a resource number (then *pnNumber, else -1); ASCII strings only.
std::string StringOrNumber(const WORD*& p, int* pnNumber) {
    *pnNumber = -1;
    if (*p == 0xFFFF) {
        *pnNumber = p[1];
        p += 2;
        return std::string();
    }
    std::string s;
    while (*p)
        s += static_cast<char>(*p++);
    ++p;
    return s;
}

DWORD Dword(const WORD* p) { return p[0] | static_cast<DWORD>(p[1]) << 16; }

// The predefined window classes, numbered from 0x80 in a template; a template may also name them
// in any case ("BUTTON").
std::string ClassOf(const std::string& name, int nNumber) {
    const char* const predefined[] = {"Button",  "Edit",      "Static",
                                      "ListBox", "ScrollBar", "ComboBox"};
    for (int i = 0; i < 6; ++i)
        if (nNumber == 0x80 + i || (nNumber < 0 && lstrcmpiA(name.c_str(), predefined[i]) == 0))
            return predefined[i];
    return name;
}

} // namespace

CDialogTemplate ReadDialogTemplate(const std::string& exe, int nId) {
    CDialogTemplate dialog;
    HMODULE h = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const WORD* p = Resource(h, RT_DIALOG, nId);
    if (p && p[0] == 1 && p[1] == 0xFFFF) { // DLGTEMPLATEEX
        const DWORD dwStyle = Dword(p + 6);
        const int nItems = p[8];
        dialog.cx = static_cast<short>(p[11]);
        dialog.cy = static_cast<short>(p[12]);
        p += 13;
        int nNumber = -1;
        StringOrNumber(p, &nNumber); // menu
        StringOrNumber(p, &nNumber); // class
        dialog.m_strCaption = StringOrNumber(p, &nNumber);
        if (dwStyle & (DS_SETFONT | DS_SHELLFONT)) {
            p += 3; // point size, weight, italic and character set
            StringOrNumber(p, &nNumber);
        }
        for (int i = 0; i < nItems; ++i) {
            p += (reinterpret_cast<UINT_PTR>(p) & 2) / 2; // items begin on a DWORD
            CTemplateItem item;
            item.m_dwStyle = Dword(p + 4);
            item.x = static_cast<short>(p[6]);
            item.y = static_cast<short>(p[7]);
            item.cx = static_cast<short>(p[8]);
            item.cy = static_cast<short>(p[9]);
            item.m_nId = static_cast<int>(Dword(p + 10));
            p += 12;
            const std::string strClass = StringOrNumber(p, &nNumber);
            item.m_strClass = ClassOf(strClass, nNumber);
            item.m_strText = StringOrNumber(p, &item.m_nResource);
            p += 1 + (*p + 1) / 2; // creation data
            dialog.m_items.push_back(item);
        }
    }
    if (h)
        FreeLibrary(h);
    return dialog;
}

SIZE BitmapSize(const std::string& exe, int nId) {
    HMODULE h = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const WORD* p = Resource(h, RT_BITMAP, nId);
    SIZE size = {0, 0};
    if (p) {
        const BITMAPINFOHEADER* header = reinterpret_cast<const BITMAPINFOHEADER*>(p);
        size = {header->biWidth, header->biHeight < 0 ? -header->biHeight : header->biHeight};
    }
    if (h)
        FreeLibrary(h);
    return size;
}

} // namespace e2e
