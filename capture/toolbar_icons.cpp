#include "capture/toolbar_icons.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "capture/bmp_format.h"

namespace vorbel {
namespace {

struct Point {
    double x, y;
};

// A stroke is a thick straight segment; every symbol is a few of them, plus
// a ring for the magnifier's glass.
struct Stroke {
    Point from, to;
    double width;
};

struct Ring {
    Point centre;
    double radius, width;
};

double distance_to_segment(Point p, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double length2 = dx * dx + dy * dy;
    double t = length2 == 0 ? 0 : ((p.x - a.x) * dx + (p.y - a.y) * dy) / length2;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

constexpr std::uint8_t dark = 0x2D;
constexpr std::uint8_t white = 0xFF;

Bytes draw_icon(const std::vector<Stroke>& strokes, const std::vector<Ring>& rings) {
    constexpr int size = toolbar_icon_size;
    const std::uint64_t stride = bmp::row_stride(size, 24);
    Bytes image(bmp::headers_size + stride * size, '\0');
    bmp::write_headers(image.data(), {static_cast<std::uint32_t>(image.size()),
                                      static_cast<std::uint32_t>(bmp::headers_size), size, size, 24});
    for (int row = 0; row < size; ++row) {
        // Stored bottom row first.
        char* line = image.data() + bmp::headers_size + stride * (size - 1 - row);
        for (int column = 0; column < size; ++column) {
            const Point centre{column + 0.5, row + 0.5};
            bool lit = false;
            for (const Stroke& s : strokes) lit = lit || distance_to_segment(centre, s.from, s.to) <= s.width / 2;
            for (const Ring& r : rings) {
                const double d = std::hypot(centre.x - r.centre.x, centre.y - r.centre.y);
                lit = lit || std::abs(d - r.radius) <= r.width / 2;
            }
            const char value = static_cast<char>(lit ? white : dark);
            std::fill(line + 3 * column, line + 3 * column + 3, value);
        }
    }
    return image;
}

}  // namespace

Bytes cancel_icon() {
    return draw_icon({{{7, 14}, {21, 14}, 2.6}, {{7, 14}, {13, 8}, 2.6}, {{7, 14}, {13, 20}, 2.6}}, {});
}

Bytes recognize_icon() {
    return draw_icon({{{16.5, 16.5}, {22, 22}, 3.2}}, {{{12, 12}, 6, 2.2}});
}

Bytes close_icon() {
    return draw_icon({{{8, 8}, {20, 20}, 2.6}, {{20, 8}, {8, 20}, 2.6}}, {});
}

}  // namespace vorbel
