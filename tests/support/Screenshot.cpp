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

} // namespace

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

bool SaveScreenshot(HWND h, const std::string& bmpPath) {
    RECT r = {};
    GetWindowRect(h, &r);
    std::vector<unsigned char> bits;
    if (!GrabScreen(r, 24, &bits))
        return false;
    return WriteBmp(bmpPath, r.right - r.left, r.bottom - r.top, bits);
}

} // namespace e2e
