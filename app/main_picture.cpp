#include "app/main_picture.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vorbel {

namespace {

struct Colour {
    double r, g, b;
};

Colour mix(Colour under, Colour over, double coverage) {
    coverage = std::clamp(coverage, 0.0, 1.0);
    return {under.r + (over.r - under.r) * coverage, under.g + (over.g - under.g) * coverage,
            under.b + (over.b - under.b) * coverage};
}

// How much of a pixel lies inside a shape, from the signed distance of its
// centre to the shape's edge (negative inside): a one-pixel soft edge.
double coverage_from_distance(double distance) { return std::clamp(0.5 - distance, 0.0, 1.0); }

double distance_to_segment(double px, double py, double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1, dy = y2 - y1;
    const double t = std::clamp(((px - x1) * dx + (py - y1) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - (x1 + t * dx), py - (y1 + t * dy));
}

double distance_to_box(double px, double py, double left, double top, double right, double bottom) {
    const double dx = std::max({left - px, 0.0, px - right});
    const double dy = std::max({top - py, 0.0, py - bottom});
    if (dx > 0 || dy > 0) return std::hypot(dx, dy);
    return -std::min({px - left, right - px, py - top, bottom - py});
}

class Picture {
public:
    Picture(int width, int height) : width_(width), height_(height), pixels_(width * height) {}

    // Paints every pixel with `paint(x, y, current)`, x and y at the
    // pixel's centre.
    template <typename Paint>
    void paint(Paint paint) {
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                Colour& pixel = pixels_[y * width_ + x];
                pixel = paint(x + 0.5, y + 0.5, pixel);
            }
        }
    }

    Bytes bmp() const {
        const std::uint32_t row_size = (static_cast<std::uint32_t>(width_) * 3 + 3) & ~3u;
        const std::uint32_t image_size = row_size * static_cast<std::uint32_t>(height_);
        const std::uint32_t file_size = 54 + image_size;
        Bytes out(file_size, '\0');
        auto put16 = [&](std::size_t at, std::uint32_t v) {
            out[at] = static_cast<char>(v & 0xFF);
            out[at + 1] = static_cast<char>((v >> 8) & 0xFF);
        };
        auto put32 = [&](std::size_t at, std::uint32_t v) {
            put16(at, v & 0xFFFF);
            put16(at + 2, v >> 16);
        };
        out[0] = 'B';
        out[1] = 'M';
        put32(2, file_size);
        put32(10, 54);
        put32(14, 40);
        put32(18, static_cast<std::uint32_t>(width_));
        put32(22, static_cast<std::uint32_t>(height_));
        put16(26, 1);
        put16(28, 24);
        put32(34, image_size);
        put32(38, 2835);  // 72 dots per inch
        put32(42, 2835);
        for (int y = 0; y < height_; ++y) {
            // Bottom-up: the file's first row is the picture's last.
            const std::size_t row = 54 + static_cast<std::size_t>(height_ - 1 - y) * row_size;
            for (int x = 0; x < width_; ++x) {
                const Colour& c = pixels_[y * width_ + x];
                out[row + x * 3] = static_cast<char>(std::lround(std::clamp(c.b, 0.0, 255.0)));
                out[row + x * 3 + 1] = static_cast<char>(std::lround(std::clamp(c.g, 0.0, 255.0)));
                out[row + x * 3 + 2] = static_cast<char>(std::lround(std::clamp(c.r, 0.0, 255.0)));
            }
        }
        return out;
    }

private:
    int width_, height_;
    std::vector<Colour> pixels_;
};

constexpr Colour sky_top{214, 231, 247};
constexpr Colour sky_bottom{246, 250, 255};
constexpr Colour page{255, 255, 255};
constexpr Colour shadow{150, 170, 195};
constexpr Colour ink{150, 158, 170};
constexpr Colour accent_ink{220, 90, 70};
constexpr Colour lens_tint{200, 228, 250};
constexpr Colour frame{40, 84, 130};

}  // namespace

Bytes main_picture_bmp() {
    Picture picture(main_picture_width, main_picture_height);
    const double height = main_picture_height;

    picture.paint([&](double, double y, Colour) { return mix(sky_top, sky_bottom, y / height); });

    // The page, with a soft shadow below and to the right.
    const double page_left = 26, page_top = 18, page_right = 112, page_bottom = 132;
    picture.paint([&](double x, double y, Colour c) {
        const double d = distance_to_box(x, y, page_left + 4, page_top + 4, page_right + 4, page_bottom + 4);
        return mix(c, shadow, 0.35 * std::clamp(1.5 - d / 2, 0.0, 1.0));
    });
    picture.paint([&](double x, double y, Colour c) {
        return mix(c, page, coverage_from_distance(distance_to_box(x, y, page_left, page_top, page_right, page_bottom)));
    });

    // Lines of text; the first reads as a heading.
    picture.paint([&](double x, double y, Colour c) {
        for (int line = 0; line < 8; ++line) {
            const double line_y = page_top + 16 + line * 13;
            const double line_end = page_right - 12 - (line % 3) * 14;
            const double d = distance_to_segment(x, y, page_left + 12, line_y, line_end, line_y) - 2;
            c = mix(c, line == 0 ? accent_ink : ink, coverage_from_distance(d));
        }
        return c;
    });

    // The magnifying glass over the right edge of the page.
    const double cx = 112, cy = 70, radius = 32, rim = 4;
    picture.paint([&](double x, double y, Colour c) {
        const double from_centre = std::hypot(x - cx, y - cy);
        c = mix(c, lens_tint, 0.45 * coverage_from_distance(from_centre - radius));
        // A highlight on the glass, upper left.
        const double glint = std::hypot(x - (cx - 12), y - (cy - 12));
        c = mix(c, page, 0.6 * coverage_from_distance(glint - 6));
        c = mix(c, frame, coverage_from_distance(std::abs(from_centre - radius) - rim));
        const double handle = distance_to_segment(x, y, cx + 26, cy + 26, cx + 54, cy + 54) - 6;
        return mix(c, frame, coverage_from_distance(handle));
    });

    return picture.bmp();
}

}  // namespace vorbel
