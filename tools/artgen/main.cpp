// Draws the dialog's pictures and the application icon into the given folder.
#include "tools/artgen/Encode.h"
#include "tools/artgen/Pictures.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: artgen <output folder>\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    struct {
        const char* sz;
        CCanvas (*draw)();
    } const pictures[] = {
        {"flagstrip.bmp", drawFlagStrip},       {"medal.bmp", drawMedal},
        {"portrait.bmp", drawPortrait},         {"startscr1.bmp", drawStartScreenStone},
        {"startscr2.bmp", drawStartScreenTank}, {"startscr3.bmp", drawStartScreenFighters}};
    bool ok = true;
    for (const auto& p : pictures)
        ok = kvtools::writeFile(dir + p.sz, encodeBmp24(p.draw())) && ok;
    std::vector<bool> mask16, mask32;
    CCanvas small = drawIcon(16, mask16), large = drawIcon(32, mask32);
    ok = kvtools::writeFile(dir + "Kestrovane.ico",
                            encodeIcon8({{&small, mask16}, {&large, mask32}})) &&
         ok;
    return ok ? 0 : 1;
}
