// Crop cost against a bare copy of the same rows, on a 1920x1080 24-bit
// screenshot: the crop's allocation, zero fill and headers should stay a
// small overhead over the copy itself.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "capture/bmp_format.h"
#include "capture/crop_bitmap.h"

namespace {

constexpr int screen_width = 1920;
constexpr int screen_height = 1080;

const std::string& screenshot() {
    static const std::string image = [] {
        const std::uint64_t stride = vorbel::bmp::row_stride(screen_width, 24);
        std::string bmp(vorbel::bmp::headers_size + stride * screen_height, '\0');
        vorbel::bmp::write_headers(bmp.data(), {static_cast<std::uint32_t>(bmp.size()), 54, screen_width,
                                                screen_height, 24});
        for (std::size_t i = vorbel::bmp::headers_size; i < bmp.size(); ++i) bmp[i] = static_cast<char>(i * 31);
        return bmp;
    }();
    return image;
}

struct Rectangle {
    int x, y, w, h;
};

const Rectangle selection{100, 100, 200, 150};
const Rectangle whole_screen{0, 0, screen_width, screen_height};

void crop(benchmark::State& state, Rectangle r) {
    const std::string& source = screenshot();
    for (auto _ : state) {
        std::string result = vorbel::crop_bitmap(source, r.x, r.y, r.w, r.h);
        benchmark::DoNotOptimize(result.data());
    }
    state.SetBytesProcessed(state.iterations() * vorbel::bmp::row_stride(r.w, 24) * r.h);
}

// The same rows copied into a buffer that already exists.
void copy_rows(benchmark::State& state, Rectangle r) {
    const std::string& source = screenshot();
    const std::uint64_t source_stride = vorbel::bmp::row_stride(screen_width, 24);
    const std::uint64_t stride = vorbel::bmp::row_stride(r.w, 24);
    std::string target(stride * r.h, '\0');
    for (auto _ : state) {
        for (int i = 0; i < r.h; ++i) {
            const std::uint64_t from = 54 + source_stride * (screen_height - r.y - r.h + i) + r.x * 3;
            std::memcpy(target.data() + i * stride, source.data() + from,
                        std::min<std::uint64_t>(stride, source.size() - from));
        }
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * stride * r.h);
}

BENCHMARK_CAPTURE(crop, selection_200x150, selection);
BENCHMARK_CAPTURE(copy_rows, selection_200x150, selection);
BENCHMARK_CAPTURE(crop, whole_1920x1080, whole_screen);
BENCHMARK_CAPTURE(copy_rows, whole_1920x1080, whole_screen);

}  // namespace
