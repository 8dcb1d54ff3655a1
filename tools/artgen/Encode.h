// File images of the pictures: 24-bit uncompressed bitmaps and 8-bit icons with a mask.
#pragma once

#include "tools/ByteOut.h"
#include "tools/artgen/Canvas.h"

kvtools::Bytes encodeBmp24(const CCanvas& img);

// One icon image: its colours and which pixels are transparent.
struct CIconImage {
    const CCanvas* pImg;
    std::vector<bool> transparent; // row-major, top row first
};

// All images share one palette made of the colours they use (at most 256).
kvtools::Bytes encodeIcon8(const std::vector<CIconImage>& images);
