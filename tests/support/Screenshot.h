// Pictures of the screen: what a window shows, as pixels.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// Copies a screen rectangle into a bottom-up DIB of the given bit depth (24 or 32).
bool GrabScreen(const RECT& r, int bitCount, std::vector<unsigned char>* bits);
// Saves the window's screen rectangle as a 24-bit BMP.
bool SaveScreenshot(HWND h, const std::string& bmpPath);

} // namespace e2e
