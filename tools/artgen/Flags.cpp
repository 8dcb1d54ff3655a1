#include "tools/artgen/Pictures.h"

namespace {

const CRgb kRed{206, 17, 38}, kWhite{255, 255, 255}, kBlue{0, 56, 147}, kGreen{0, 146, 70},
    kBlack{0, 0, 0}, kGold{255, 206, 0}, kOrange{255, 130, 0}, kSky{0, 106, 167}, kNavy{0, 40, 104};
const int kW = 13, kH = 9;

using Draw = void (*)(CCanvas&, int);

void vertical(CCanvas& c, int x, CRgb a, CRgb b, CRgb d) {
    c.rect(x, 0, x + 4, kH, a);
    c.rect(x + 4, 0, x + 9, kH, b);
    c.rect(x + 9, 0, x + kW, kH, d);
}
void horizontal(CCanvas& c, int x, CRgb a, CRgb b, CRgb d) {
    c.rect(x, 0, x + kW, 3, a);
    c.rect(x, 3, x + kW, 6, b);
    c.rect(x, 6, x + kW, kH, d);
}
void nordic(CCanvas& c, int x, CRgb field, CRgb cross) {
    c.rect(x, 0, x + kW, kH, field);
    c.rect(x + 3, 0, x + 5, kH, cross);
    c.rect(x, 3, x + kW, 5, cross);
}

const Draw kFlags[] = {
    [](CCanvas& c, int x) { vertical(c, x, kBlue, kWhite, kRed); },
    [](CCanvas& c, int x) { horizontal(c, x, kBlack, kRed, kGold); },
    [](CCanvas& c, int x) { nordic(c, x, kRed, kWhite); },
    [](CCanvas& c, int x) { vertical(c, x, kGreen, kWhite, kRed); },
    [](CCanvas& c, int x) {
        c.rect(x, 0, x + kW, kH, kWhite);
        c.ellipse(x + 6.5, 4.5, 2.6, 2.6, kRed);
    },
    [](CCanvas& c, int x) { horizontal(c, x, kRed, kWhite, kBlue); },
    [](CCanvas& c, int x) { nordic(c, x, kSky, kGold); },
    [](CCanvas& c, int x) { vertical(c, x, kBlack, kGold, kRed); },
    [](CCanvas& c, int x) { horizontal(c, x, kWhite, kBlue, kRed); },
    [](CCanvas& c, int x) {
        c.rect(x, 0, x + kW, kH, kRed);
        c.rect(x + 5, 2, x + 8, 7, kWhite);
        c.rect(x + 4, 3, x + 9, 6, kWhite);
    },
    [](CCanvas& c, int x) { vertical(c, x, kGreen, kWhite, kOrange); },
    [](CCanvas& c, int x) { horizontal(c, x, kRed, kWhite, kGreen); },
    [](CCanvas& c, int x) {
        nordic(c, x, kRed, kWhite);
        c.rect(x + 4, 0, x + 5, kH, kNavy);
        c.rect(x, 4, x + kW, 5, kNavy);
    },
    [](CCanvas& c, int x) {
        c.rect(x, 0, x + kW, kH, kGreen);
        c.ellipse(x + 5.5, 4.5, 2.6, 2.6, kRed);
    },
    [](CCanvas& c, int x) { horizontal(c, x, kRed, kWhite, kRed); },
    [](CCanvas& c, int x) { nordic(c, x, kWhite, kBlue); },
    [](CCanvas& c, int x) { vertical(c, x, kBlue, kGold, kRed); },
    [](CCanvas& c, int x) {
        for (int y = 0; y < kH; ++y)
            c.rect(x, y, x + kW, y + 1, y % 2 ? kWhite : kRed);
        c.rect(x, 0, x + 6, 5, kNavy);
    },
    [](CCanvas& c, int x) { horizontal(c, x, kWhite, kGreen, kRed); },
    [](CCanvas& c, int x) {
        c.rect(x, 0, x + kW, 4, kWhite);
        c.rect(x, 4, x + kW, kH, kRed);
        c.polygon({{double(x), 0}, {x + 6.0, 4.5}, {double(x), 9}}, kBlue);
    },
    [](CCanvas& c, int x) { horizontal(c, x, kGold, kGreen, kRed); },
    [](CCanvas& c, int x) {
        for (int y = 0; y < kH; ++y)
            c.rect(x, y, x + kW, y + 1, y % 2 ? kWhite : kSky);
        c.rect(x, 0, x + 5, 5, kSky);
        c.rect(x + 2, 0, x + 3, 5, kWhite);
        c.rect(x, 2, x + 5, 3, kWhite);
    },
    [](CCanvas& c, int x) { horizontal(c, x, kSky, kBlack, kWhite); },
};

} // namespace

CCanvas drawFlagStrip() {
    // 23 flags of 13 x 9 with a black line before each and after the last: 23 * 14 + 1 = 323.
    CCanvas c(323, kH, kBlack);
    int x = 1;
    for (Draw d : kFlags) {
        d(c, x);
        x += kW + 1;
    }
    return c;
}
