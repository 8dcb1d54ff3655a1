// The dialog template and pictures compiled into an executable, read from its resources, so that
// the tests compare the running dialog with what the program was built from.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct CTemplateItem {
    int m_nId;
    std::string m_strClass; // "Button", "Edit", "Static", "ComboBox", ...
    std::string m_strText;  // empty when the title is a resource number
    int m_nResource;        // the title's resource number (a picture), or -1
    DWORD m_dwStyle;
    int x, y, cx, cy; // dialog units
};

struct CDialogTemplate {
    std::string m_strCaption;
    int cx = 0, cy = 0; // dialog units
    std::vector<CTemplateItem> m_items;
};

// Reads the DIALOGEX template nId of the executable; m_items is empty when there is none.
CDialogTemplate ReadDialogTemplate(const std::string& exe, int nId);
// The pixel size of the executable's bitmap nId; {0, 0} when there is none.
SIZE BitmapSize(const std::string& exe, int nId);

} // namespace e2e
