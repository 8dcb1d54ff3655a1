#include "tools/artgen/Encode.h"

#include <map>
#include <stdexcept>

using namespace kvtools;

static void putInfoHeader(Bytes& b, int w, int h, int bpp, std::uint32_t cbImage) {
    put32(b, 40);
    put32(b, w);
    put32(b, h);
    put16(b, 1);
    put16(b, bpp);
    put32(b, 0); // BI_RGB
    put32(b, cbImage);
    put32(b, 2835); // 72 dpi, as most painters write it
    put32(b, 2835);
    put32(b, 0);
    put32(b, 0);
}

Bytes encodeBmp24(const CCanvas& img) {
    const int w = img.width(), h = img.height(), stride = (w * 3 + 3) & ~3;
    const std::uint32_t cbImage = stride * h;
    Bytes b;
    put16(b, 0x4D42); // "BM"
    put32(b, 14 + 40 + cbImage);
    put32(b, 0);
    put32(b, 14 + 40);
    putInfoHeader(b, w, h, 24, cbImage);
    for (int y = h - 1; y >= 0; --y) {
        for (int x = 0; x < w; ++x) {
            CRgb c = img.get(x, y);
            put8(b, c.b);
            put8(b, c.g);
            put8(b, c.r);
        }
        for (int i = w * 3; i < stride; ++i)
            put8(b, 0);
    }
    return b;
}

Bytes encodeIcon8(const std::vector<CIconImage>& images) {
    // Index 0 is black: the colour under the mask, so transparent pixels draw nothing.
    std::map<std::uint32_t, int> index{{0, 0}};
    std::vector<CRgb> palette{{0, 0, 0}};
    auto key = [](CRgb c) { return static_cast<std::uint32_t>(c.r << 16 | c.g << 8 | c.b); };
    for (const CIconImage& im : images)
        for (int y = 0; y < im.pImg->height(); ++y)
            for (int x = 0; x < im.pImg->width(); ++x) {
                CRgb c = im.pImg->get(x, y);
                if (!im.transparent[y * im.pImg->width() + x] && !index.count(key(c))) {
                    index[key(c)] = static_cast<int>(palette.size());
                    palette.push_back(c);
                }
            }
    if (palette.size() > 256)
        throw std::runtime_error("icon uses more than 256 colours");

    std::vector<Bytes> bodies;
    for (const CIconImage& im : images) {
        const int w = im.pImg->width(), h = im.pImg->height();
        const int xorStride = (w + 3) & ~3, andStride = ((w + 31) / 32) * 4;
        Bytes b;
        putInfoHeader(b, w, 2 * h, 8, (xorStride + andStride) * h);
        for (int i = 0; i < 256; ++i) {
            CRgb c = i < static_cast<int>(palette.size()) ? palette[i] : CRgb{0, 0, 0};
            put8(b, c.b);
            put8(b, c.g);
            put8(b, c.r);
            put8(b, 0);
        }
        for (int y = h - 1; y >= 0; --y) {
            for (int x = 0; x < w; ++x)
                put8(b, im.transparent[y * w + x] ? 0 : index[key(im.pImg->get(x, y))]);
            for (int i = w; i < xorStride; ++i)
                put8(b, 0);
        }
        for (int y = h - 1; y >= 0; --y) {
            Bytes row(andStride, 0);
            for (int x = 0; x < w; ++x)
                if (im.transparent[y * w + x])
                    row[x / 8] |= 0x80 >> (x % 8);
            b.insert(b.end(), row.begin(), row.end());
        }
        bodies.push_back(b);
    }

    Bytes out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        put8(out, images[i].pImg->width() & 0xFF);
        put8(out, images[i].pImg->height() & 0xFF);
        put8(out, 0); // 256 colours
        put8(out, 0);
        put16(out, 1);
        put16(out, 8);
        put32(out, static_cast<std::uint32_t>(bodies[i].size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const Bytes& b : bodies)
        out.insert(out.end(), b.begin(), b.end());
    return out;
}
