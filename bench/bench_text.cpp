// Encoders on a full-screen image's worth of bytes (1920 x 1080 x 3 plus the
// BMP headers), each next to a memcpy of its output size so it can be read as
// a ratio to copying the same amount of memory.
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

#include "text/codepage.h"
#include "text/encoders.h"
#include "text/md5.h"
#include "text/unescape.h"

namespace {

constexpr std::size_t kImageBytes = 6220854;
constexpr std::size_t kBase64Bytes = (kImageBytes + 2) / 3 * 4;
constexpr std::size_t kPercentBytes = kImageBytes * 3;

const std::string& image_bytes() {
    static const std::string bytes = [] {
        std::string b(kImageBytes, '\0');
        unsigned state = 12345;
        for (char& c : b) {
            state = state * 1103515245u + 12345u;
            c = static_cast<char>(state >> 24);
        }
        return b;
    }();
    return bytes;
}

void copy_bytes(benchmark::State& state, std::size_t size) {
    std::string source(size, 'x');
    std::string target(size, '\0');
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), size);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
}

void BM_memcpy_base64_output(benchmark::State& state) { copy_bytes(state, kBase64Bytes); }
BENCHMARK(BM_memcpy_base64_output)->Unit(benchmark::kMicrosecond);

void BM_base64_encode(benchmark::State& state) {
    const std::string& input = image_bytes();
    for (auto _ : state) {
        vorbel::Text text = vorbel::base64_encode(input);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kBase64Bytes));
}
BENCHMARK(BM_base64_encode)->Unit(benchmark::kMicrosecond);

void BM_memcpy_url_output(benchmark::State& state) { copy_bytes(state, kPercentBytes); }
BENCHMARK(BM_memcpy_url_output)->Unit(benchmark::kMicrosecond);

void BM_url_encode(benchmark::State& state) {
    const std::string& input = image_bytes();
    for (auto _ : state) {
        vorbel::Text text = vorbel::url_encode(input);
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * kPercentBytes));
}
BENCHMARK(BM_url_encode)->Unit(benchmark::kMicrosecond);

void BM_md5_text_short(benchmark::State& state) {
    const std::string text = "2015063000000001Hello world\r\n1435660288key12345678";
    for (auto _ : state) {
        vorbel::Text digest = vorbel::md5_text(text);
        benchmark::DoNotOptimize(digest.data());
    }
}
BENCHMARK(BM_md5_text_short);

// A long text in which every other character has no code page 936 form:
// the cost must stay linear in the length.
void BM_utf16_to_cp936_unmappable(benchmark::State& state) {
    std::u16string text;
    for (int i = 0; i < 100000; ++i) text += u"a\u0E01";
    for (auto _ : state) {
        std::string bytes = vorbel::utf16_to_cp936(text);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_utf16_to_cp936_unmappable)->Unit(benchmark::kMicrosecond);

// A translation as it is cut out of an answer: escaped Chinese, one line break.
void BM_unescape_text_translation(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 40; ++i) text += "\\u4f60\\u597d\\uff0c\\u4e16\\u754c";
    text += "\\n(\\u00e9) don't";
    for (auto _ : state) {
        vorbel::Text decoded = vorbel::unescape_text(text);
        benchmark::DoNotOptimize(decoded.data());
    }
}
BENCHMARK(BM_unescape_text_translation)->Unit(benchmark::kMicrosecond);

}  // namespace
