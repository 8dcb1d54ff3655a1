// Message boxes of another process: caption, text, buttons and icon, as a person sees them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The icon of a message box, told by the colours of its pixels (icon handles cannot be compared
// across processes).
enum class EIcon { None, Error, Exclamation, Information };

// What a message box shows.
struct CMessageBoxInfo {
    HWND m_h = nullptr;
    std::string m_strCaption;
    std::string m_strText;
    std::vector<int> m_buttons; // the IDOK/IDCANCEL/IDABORT/IDRETRY/IDIGNORE/IDYES/IDNO that exist
    EIcon m_icon = EIcon::None;
};

bool IsMessageBox(HWND h);              // has the message-box text static (id 0xFFFF)
CMessageBoxInfo ReadMessageBox(HWND h); // waits for the icon to be painted
// Checks what a message box of the program shows: strText, the icon, OK alone, and the caption,
// which is the executable's name. A box that did not come (m_h nullptr) is a failure.
void ExpectMessageBox(const CMessageBoxInfo& box, const std::string& strText, EIcon icon,
                      const std::string& strCaption = "Kestrovane");
// Posts OK and waits until the box is gone. The program goes on after that (an install lets go
// of the archive only then): ReadWholeFile waits for the files it still holds.
bool Dismiss(HWND box);

} // namespace e2e
