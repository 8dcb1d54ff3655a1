#include "Screenshot.h"

#include "Files.h"

namespace e2e {

namespace {

bool WriteBmp(const std::string& path, int w, int h, const std::vector<unsigned char>& bits) {
    int stride = (w * 3 + 3) & ~3;
    BITMAPFILEHEADER fh = {};
    BITMAPINFOHEADER ih = {};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = fh.bfOffBits + stride * h;
    ih.biSize = sizeof ih;
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biCompression = BI_RGB;
    ih.biSizeImage = stride * h;
    std::string bytes(reinterpret_cast<const char*>(&fh), sizeof fh);
    bytes.append(reinterpret_cast<const char*>(&ih), sizeof ih);
    bytes.append(reinterpret_cast<const char*>(bits.data()), bits.size());
    return WriteWholeFile(path, bytes);
}

// Copies a screen rectangle into a bottom-up DIB of the given bit depth (24 or 32).
bool GrabScreen(const RECT& r, int bitCount, std::vector<unsigned char>* bits) {
    int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0)
        return false;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = static_cast<WORD>(bitCount);
    bi.bmiHeader.biCompression = BI_RGB;
    void* pv = nullptr;
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &pv, nullptr, 0);
    bool ok = false;
    if (dib) {
        HGDIOBJ old = SelectObject(mem, dib);
        ok = BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY) != FALSE;
        GdiFlush();
        int stride = ((w * bitCount / 8) + 3) & ~3;
        const unsigned char* p = static_cast<const unsigned char*>(pv);
        bits->assign(p, p + stride * h);
        SelectObject(mem, old);
        DeleteObject(dib);
    }
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return ok;
}

} // namespace

CColours CountColours(const RECT& r) {
    CColours colours;
    std::vector<unsigned char> bits;
    if (!GrabScreen(r, 32, &bits))
        return colours;
    for (size_t i = 0; i + 3 < bits.size(); i += 4) {
        const int b = bits[i], g = bits[i + 1], rr = bits[i + 2];
        if (rr >= 160 && g <= 100 && b <= 100)
            ++colours.nRed;
        else if (rr >= 180 && g >= 150 && b <= 110)
            ++colours.nYellow;
        else if (b >= 150 && rr <= 120 && g <= 180)
            ++colours.nBlue;
    }
    return colours;
}

bool SaveScreenshot(HWND h, const std::string& bmpPath) {
    RECT r = {};
    GetWindowRect(h, &r);
    std::vector<unsigned char> bits;
    if (!GrabScreen(r, 24, &bits))
        return false;
    return WriteBmp(bmpPath, r.right - r.left, r.bottom - r.top, bits);
}

} // namespace e2e
