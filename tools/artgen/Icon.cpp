#include "tools/artgen/Pictures.h"

#include <cmath>

CCanvas drawIcon(int n, std::vector<bool>& transparent) {
    // Three arrows on one circle, each a curved shaft ending in a head that points at the tail of
    // the next. Worked out in polar coordinates: angle along the circle, radius across the shaft.
    const double pi = 3.14159265358979, c = n / 2.0, r = n * 0.33;
    const double shaft = n * 0.085 + 0.4, head = n * 0.2 + 0.3, headLen = 0.55, bodyLen = 1.05;
    CCanvas img(n, n, {0, 0, 0});
    transparent.assign(n * n, true);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            double dx = x + 0.5 - c, dy = y + 0.5 - c, d = std::sqrt(dx * dx + dy * dy);
            double a = std::atan2(dy, dx) + pi;  // 0 .. 2 pi, clockwise on screen
            double t = std::fmod(a, 2 * pi / 3); // position within this arrow's third
            double across = std::abs(d - r), half;
            if (t < bodyLen)
                half = shaft;
            else if (t < bodyLen + headLen)
                half = head * (1 - (t - bodyLen) / headLen);
            else
                continue;
            if (across > half)
                continue;
            transparent[y * n + x] = false;
            double edge = half - across;
            CRgb red{220, 30, 25};
            if (edge < 0.9)
                red = {110, 10, 10}; // outline keeps the arrows apart on any background
            else if (d < r)
                red = {245, 90, 70};
            img.set(x, y, red);
        }
    return img;
}
