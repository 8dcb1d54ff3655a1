#include "tools/artgen/Pictures.h"

#include <cmath>

static const CRgb kPink{255, 225, 225};

CCanvas drawMedal() {
    CCanvas c(45, 66, kPink);
    // Ribbon: a folded band, red with white and black stripes, narrowing into a V at the ring.
    const CRgb red{200, 20, 30}, white{250, 250, 250}, black{20, 20, 20};
    for (int y = 2; y < 30; ++y)
        for (int x = 11; x < 34; ++x) {
            int dx = x - 11;
            double vTop = 22 + std::abs(x - 22) * 0.6; // bottom edge of the V
            if (y > vTop)
                continue;
            CRgb col = red;
            if (dx == 4 || dx == 18)
                col = white;
            else if (dx == 5 || dx == 17)
                col = black;
            else if (dx == 11)
                col = white;
            double fold = 0.85 + 0.15 * std::cos((dx - 11) / 11.0 * 1.6);
            c.set(x, y, shade(col, fold));
        }
    c.rect(10, 2, 35, 3, shade(red, 0.6)); // the bar the ribbon hangs from
    // Ring between ribbon and medal.
    const CRgb gold{214, 170, 40};
    c.ellipse(22.5, 31, 3.5, 3.5, shade(gold, 0.6));
    c.ellipse(22.5, 31, 2, 2, kPink);
    // Medal: shaded gold disc with a raised rim and a five-pointed star.
    const double cx = 22.5, cy = 47, r = 15;
    for (int y = 0; y < 66; ++y)
        for (int x = 0; x < 45; ++x) {
            double dx = x + 0.5 - cx, dy = y + 0.5 - cy, d = std::sqrt(dx * dx + dy * dy);
            if (d > r)
                continue;
            double light = 1.0 - (dx + dy) / (2.5 * r); // lit from the top left
            if (d > r - 2.2)
                light = 1.25 - (dx + dy) / (1.6 * r);
            c.set(x, y, shade(gold, light));
        }
    std::vector<CPt> star;
    for (int i = 0; i < 10; ++i) {
        double a = -3.14159265358979 / 2 + i * 3.14159265358979 / 5;
        double rr = i % 2 ? 3.8 : 9.5;
        star.push_back({cx + rr * std::cos(a), cy + rr * std::sin(a)});
    }
    std::vector<CPt> shadow = star;
    for (CPt& p : shadow) {
        p.x += 0.8;
        p.y += 0.8;
    }
    c.polygon(shadow, shade(gold, 0.55));
    c.polygon(star, shade(gold, 1.35));
    return c;
}
