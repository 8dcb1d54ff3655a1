// A small RGB drawing surface with the few primitives the pictures need.
#pragma once

#include <cstdint>
#include <vector>

struct CRgb {
    int r, g, b;
};

struct CPt {
    double x, y;
};

CRgb mix(CRgb a, CRgb b, double t);
CRgb shade(CRgb c, double f); // f < 1 darkens, f > 1 lightens towards white
CRgb grey(int v);

// Deterministic value noise in [0, 1): the same (x, y, seed) always gives the same value.
double hashNoise(int x, int y, unsigned seed);

class CCanvas {
public:
    CCanvas(int w, int h, CRgb fill);

    int width() const { return m_nW; }
    int height() const { return m_nH; }
    CRgb get(int x, int y) const { return m_px[y * m_nW + x]; }
    void set(int x, int y, CRgb c);

    void rect(int x0, int y0, int x1, int y1, CRgb c); // inclusive-exclusive
    void ellipse(double cx, double cy, double rx, double ry, CRgb c);
    void polygon(const std::vector<CPt>& pts, CRgb c);
    void line(double x0, double y0, double x1, double y1, double width, CRgb c);

private:
    int m_nW, m_nH;
    std::vector<CRgb> m_px;
};

// Points of a shape rotated by `deg` degrees about (cx, cy) and moved there.
std::vector<CPt> place(const std::vector<CPt>& shape, double cx, double cy, double deg,
                       double scale);
