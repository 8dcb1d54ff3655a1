#include "tools/artgen/Pictures.h"

#include <cmath>

CCanvas drawStartScreenStone() {
    CCanvas c(88, 66, grey(60));
    // Courses of dressed stone: each block its own shade, dark mortar between, grainy surface.
    for (int y = 0; y < 66; ++y)
        for (int x = 0; x < 88; ++x) {
            int row = y / 11, off = row % 2 ? 9 : 0, col = (x + off) / 18;
            bool mortar = y % 11 == 0 || (x + off) % 18 == 0;
            double block = hashNoise(col, row, 11), grain = hashNoise(x, y, 12);
            int v = mortar ? 28 : static_cast<int>(62 + block * 30 + grain * 22);
            if (!mortar && ((x + off) % 18 == 1 || y % 11 == 1))
                v += 18; // lit top-left edge of each block
            c.set(x, y, grey(v));
        }
    // A chiselled title carved across the middle: block letters with a light lower edge.
    auto carve = [&](int x0, int y0, const char* const* rows, int n, int w, int s) {
        for (int r = 0; r < n; ++r)
            for (int k = 0; k < w; ++k)
                if (rows[r][k] == '#')
                    for (int yy = 0; yy < s; ++yy)
                        for (int xx = 0; xx < s; ++xx) {
                            int x = x0 + k * s + xx, y = y0 + r * s + yy;
                            c.set(x, y, grey(22));
                            c.set(x + 1, y + 1, grey(140));
                        }
        for (int r = 0; r < n; ++r)
            for (int k = 0; k < w; ++k)
                if (rows[r][k] == '#')
                    c.rect(x0 + k * s, y0 + r * s, x0 + k * s + s, y0 + r * s + s, grey(28));
    };
    c.rect(3, 19, 85, 45, grey(95));
    c.rect(3, 19, 85, 20, grey(150));
    c.rect(3, 44, 85, 45, grey(30));
    // BATTLE, centred: six letters three squares wide with one between them.
    static const char* kWord[] = {"##...#..###.###.#...###", "#.#.#.#..#...#..#...#..",
                                  "##..###..#...#..#...##.", "#.#.#.#..#...#..#...#..",
                                  "##..#.#..#...#..###.###"};
    carve(9, 24, kWord, 5, 23, 3);
    return c;
}

CCanvas drawStartScreenTank() {
    // A campaign map: fields, a river, roads and a faint hex grid.
    CCanvas c(88, 66, {0, 0, 0});
    for (int y = 0; y < 66; ++y)
        for (int x = 0; x < 88; ++x) {
            double n = hashNoise(x / 6, y / 6, 21);
            CRgb land = n < 0.3   ? CRgb{150, 160, 100}
                        : n < 0.7 ? CRgb{190, 180, 130}
                                  : CRgb{120, 145, 90};
            land = shade(land, 0.92 + hashNoise(x, y, 22) * 0.12);
            double river = std::abs(y - (20 + 14 * std::sin(x / 12.0)));
            if (river < 1.6)
                land = {70, 110, 170};
            if (std::abs(x - 0.6 * y - 20) < 0.7 || std::abs(y - 52 + x * 0.1) < 0.6)
                land = {120, 70, 40};
            if ((x + (y / 8 % 2) * 4) % 8 == 0 && y % 8 != 0)
                land = shade(land, 0.85);
            c.set(x, y, land);
        }
    // The oval frame and the scene inside it: sky over a field.
    const double cx = 44, cy = 33, rx = 32, ry = 24;
    for (int y = 0; y < 66; ++y)
        for (int x = 0; x < 88; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry, d = dx * dx + dy * dy;
            if (d <= 0.80)
                c.set(x, y,
                      y < 38 ? mix({150, 180, 210}, {225, 220, 200}, (y - 9) / 29.0)
                             : mix({110, 100, 70}, {80, 70, 50}, (y - 38) / 20.0));
            else if (d <= 1)
                c.set(x, y, shade({190, 150, 60}, 1.1 - (dx + dy) * 0.35));
        }
    // The tank, side on, gun to the right.
    const CRgb hull{70, 78, 52}, dark{30, 32, 24};
    c.polygon({{22, 38}, {66, 38}, {62, 44}, {26, 44}}, hull); // hull
    c.polygon({{21, 43}, {67, 43}, {63, 49}, {25, 49}}, dark); // tracks
    for (int i = 0; i < 6; ++i)
        c.ellipse(29 + i * 6.2, 46, 2.2, 2.2, grey(95));                   // road wheels
    c.polygon({{33, 38}, {35, 32}, {52, 32}, {55, 38}}, shade(hull, 1.1)); // turret
    c.rect(54, 34, 74, 36, hull);                                          // gun
    c.rect(73, 33, 76, 37, dark);                                          // muzzle brake
    c.rect(39, 30, 44, 32, dark);                                          // hatch
    c.rect(36, 35, 40, 36, {200, 200, 200});                               // white marking
    return c;
}

CCanvas drawStartScreenFighters() {
    const CRgb red{190, 20, 25};
    CCanvas c(88, 66, red);
    c.rect(4, 4, 84, 62, {150, 10, 15});
    c.rect(6, 6, 82, 60, {250, 250, 248});
    // A lettering band on the panel.
    for (int x = 14; x < 74; ++x)
        if (x % 4 != 3)
            c.rect(x, 48, x + 1, 53, x % 11 < 6 ? CRgb{40, 40, 40} : CRgb{190, 20, 25});
    // Two fighters seen from above, climbing to the upper right; shadow then body.
    const std::vector<CPt> plane = {{0, -12},   {1.6, -9},    {1.8, -3},   {13, 1},     {13, 3.5},
                                    {1.8, 2.5}, {1.3, 8},     {5.5, 10.5}, {5.5, 12},   {0, 11},
                                    {-5.5, 12}, {-5.5, 10.5}, {-1.3, 8},   {-1.8, 2.5}, {-13, 3.5},
                                    {-13, 1},   {-1.8, -3},   {-1.6, -9}};
    const CRgb body{95, 105, 85};
    struct Spot {
        double x, y, deg, s;
    };
    for (Spot p : {Spot{30, 30, 40, 1.25}, Spot{60, 22, 40, 1.0}}) {
        c.polygon(place(plane, p.x + 3, p.y + 4, p.deg, p.s), {205, 205, 200});
        c.polygon(place(plane, p.x, p.y, p.deg, p.s), body);
        // Cockpit canopy and wing roundels make the type readable at this size.
        c.polygon(place({{0, -7}, {1, -4}, {0, -2}, {-1, -4}}, p.x, p.y, p.deg, p.s),
                  {170, 200, 230});
        for (double side : {-8.0, 8.0}) {
            std::vector<CPt> at = place({{side, 1.8}}, p.x, p.y, p.deg, p.s);
            c.ellipse(at[0].x, at[0].y, 1.6 * p.s, 1.6 * p.s, {240, 240, 240});
            c.ellipse(at[0].x, at[0].y, 0.8 * p.s, 0.8 * p.s, red);
        }
    }
    return c;
}
