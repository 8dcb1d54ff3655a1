#include "tools/artgen/Pictures.h"

#include <cmath>

CCanvas drawPortrait() {
    const CRgb pink{255, 225, 225};
    CCanvas c(56, 66, pink);
    // The card: off-white with a ragged, deterministic tear along the right and bottom edges.
    for (int y = 2; y < 64; ++y)
        for (int x = 2; x < 54; ++x) {
            int tearR = 51 + static_cast<int>(hashNoise(0, y / 2, 7) * 3);
            int tearB = 61 + static_cast<int>(hashNoise(x / 2, 0, 9) * 3);
            if (x < tearR && y < tearB)
                c.set(x, y, grey(236));
            else if (x < tearR + 1 && y < tearB + 1)
                c.set(x, y, grey(200)); // the torn fibres
        }
    // The photograph inside a white border: grey studio background, darker at the bottom.
    const int px0 = 5, py0 = 5, px1 = 49, py1 = 58;
    for (int y = py0; y < py1; ++y)
        for (int x = px0; x < px1; ++x)
            c.set(x, y, grey(170 - (y - py0) + static_cast<int>(hashNoise(x, y, 3) * 8)));
    auto inPhoto = [&](int x, int y) { return x >= px0 && x < px1 && y >= py0 && y < py1; };
    auto fill = [&](auto inside, auto tone) {
        for (int y = py0; y < py1; ++y)
            for (int x = px0; x < px1; ++x)
                if (inPhoto(x, y) && inside(x + 0.5, y + 0.5))
                    c.set(x, y, grey(tone(x + 0.5, y + 0.5)));
    };
    const double cx = 27;
    // Shoulders and tunic.
    fill([&](double x, double y) { return y > 44 && std::abs(x - cx) < 10 + (y - 44) * 1.6; },
         [&](double x, double) { return 50 + static_cast<int>(std::abs(x - cx) * 0.8); });
    // Collar with light tabs.
    fill([&](double x,
             double y) { return y > 41 && y < 48 && std::abs(x - cx) < 7 - (y - 41) * 0.3; },
         [&](double, double) { return 70; });
    fill([&](double x,
             double y) { return y > 44 && y < 48 && std::abs(std::abs(x - cx) - 4.5) < 1.5; },
         [&](double, double) { return 200; });
    // Neck.
    fill(
        [&](double x, double y) {
            return y > 36 && y < 45 && std::abs(x - cx) < 3.5 - (y - 41 > 0 ? (y - 41) * 0.4 : 0);
        },
        [&](double x, double) { return 150 - static_cast<int>((x - cx) * 6); });
    // Face: an oval lit from the left.
    fill(
        [&](double x, double y) {
            double dx = (x - cx) / 7.5, dy = (y - 30) / 9.5;
            return dx * dx + dy * dy <= 1;
        },
        [&](double x, double y) {
            double d = (x - cx + 3) / 9;
            return static_cast<int>(215 - 60 * d * d - (y > 35 ? (y - 35) * 4 : 0));
        });
    // Ears.
    fill([&](double x,
             double y) { return std::abs(y - 30) < 2.5 && std::abs(std::abs(x - cx) - 7.5) < 1.2; },
         [&](double x, double) { return x < cx ? 190 : 140; });
    // Eyes under the visor's shadow, brows, nose and mouth.
    fill([&](double x, double y) { return y > 24 && y < 27 && std::abs(x - cx) < 7; },
         [&](double, double) { return 120; });
    fill([&](double x,
             double y) { return y > 27 && y < 29 && std::abs(std::abs(x - cx) - 3.2) < 1.2; },
         [&](double, double) { return 35; });
    fill([&](double x, double y) { return y > 29 && y < 34 && x > cx && x < cx + 1.2; },
         [&](double, double) { return 135; });
    fill([&](double x, double y) { return y > 36 && y < 37.2 && std::abs(x - cx) < 2.5; },
         [&](double, double) { return 90; });
    // Peaked cap: tall crown wider than the head, dark band, badge and a black glossy visor.
    fill(
        [&](double x, double y) {
            double dx = (x - cx) / 12.0, dy = (y - 17) / 6.5;
            return y < 22 && dx * dx + dy * dy <= 1;
        },
        [&](double x, double y) {
            return static_cast<int>(120 - std::abs(x - cx - 3) * 3 + (y < 14 ? 25 : 0));
        });
    fill([&](double x, double y) { return y >= 19 && y < 23 && std::abs(x - cx) < 9; },
         [&](double, double) { return 45; });
    fill(
        [&](double x, double y) {
            double dx = (x - cx) / 9.5, dy = (y - 23) / 3.0;
            return y >= 23 && dx * dx + dy * dy <= 1;
        },
        [&](double x, double y) { return (x < cx - 2 && y < 24.5) ? 110 : 15; });
    fill([&](double x, double y) { return std::abs(x - cx) + std::abs(y - 16.5) < 2.3; },
         [&](double, double) { return 240; });
    fill([&](double x, double y) { return y >= 18 && y < 19 && std::abs(x - cx) < 4; },
         [&](double, double) { return 200; });
    return c;
}
