// Pictures of the screen: what a window shows, as pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The pixels of a screen rectangle that are plainly red, yellow or blue, counted: an icon told by
// its colours.
struct CColours {
    int nRed = 0, nYellow = 0, nBlue = 0;
};
CColours CountColours(const RECT& r);
// Saves the window's screen rectangle as a 24-bit BMP.
bool SaveScreenshot(HWND h, const std::string& bmpPath);

} // namespace e2e
