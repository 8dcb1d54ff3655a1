#include "tools/artgen/Canvas.h"

#include <algorithm>
#include <cmath>

static int clamp255(double v) { return std::max(0, std::min(255, static_cast<int>(v + 0.5))); }

CRgb mix(CRgb a, CRgb b, double t) {
    return {clamp255(a.r + (b.r - a.r) * t), clamp255(a.g + (b.g - a.g) * t),
            clamp255(a.b + (b.b - a.b) * t)};
}

CRgb shade(CRgb c, double f) {
    if (f <= 1)
        return {clamp255(c.r * f), clamp255(c.g * f), clamp255(c.b * f)};
    return mix(c, {255, 255, 255}, f - 1);
}

CRgb grey(int v) { return {v, v, v}; }

double hashNoise(int x, int y, unsigned seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                      static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / 16777216.0;
}

CCanvas::CCanvas(int w, int h, CRgb fill) : m_nW(w), m_nH(h), m_px(w * h, fill) {}

void CCanvas::set(int x, int y, CRgb c) {
    if (x >= 0 && y >= 0 && x < m_nW && y < m_nH)
        m_px[y * m_nW + x] = c;
}

void CCanvas::rect(int x0, int y0, int x1, int y1, CRgb c) {
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            set(x, y, c);
}

void CCanvas::ellipse(double cx, double cy, double rx, double ry, CRgb c) {
    for (int y = 0; y < m_nH; ++y)
        for (int x = 0; x < m_nW; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy <= 1)
                set(x, y, c);
        }
}

void CCanvas::polygon(const std::vector<CPt>& pts, CRgb c) {
    for (int y = 0; y < m_nH; ++y)
        for (int x = 0; x < m_nW; ++x) {
            double px = x + 0.5, py = y + 0.5;
            bool in = false;
            for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                const CPt &a = pts[i], &b = pts[j];
                if ((a.y > py) != (b.y > py) && px < (b.x - a.x) * (py - a.y) / (b.y - a.y) + a.x)
                    in = !in;
            }
            if (in)
                set(x, y, c);
        }
}

void CCanvas::line(double x0, double y0, double x1, double y1, double width, CRgb c) {
    double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    for (int y = 0; y < m_nH; ++y)
        for (int x = 0; x < m_nW; ++x) {
            double px = x + 0.5 - x0, py = y + 0.5 - y0;
            double t = len2 > 0 ? std::max(0.0, std::min(1.0, (px * dx + py * dy) / len2)) : 0;
            double ex = px - t * dx, ey = py - t * dy;
            if (ex * ex + ey * ey <= width * width / 4)
                set(x, y, c);
        }
}

std::vector<CPt> place(const std::vector<CPt>& shape, double cx, double cy, double deg,
                       double scale) {
    const double a = deg * 3.14159265358979 / 180, co = std::cos(a), si = std::sin(a);
    std::vector<CPt> out;
    for (const CPt& p : shape)
        out.push_back({cx + scale * (p.x * co - p.y * si), cy + scale * (p.x * si + p.y * co)});
    return out;
}
