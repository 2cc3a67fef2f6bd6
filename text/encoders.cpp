#include "text/encoders.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "text/encoder_blocks.h"

namespace vorbel {
namespace {

constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kHexDigits[] = "0123456789ABCDEF";

// Both letters for every 12-bit half of a three-byte group, so the portable
// loop (the tail of every input, and processors without the vector kernels)
// does two look-ups per group instead of four.
struct Base64PairTable {
    std::array<char, 4096 * 2> letters{};
    constexpr Base64PairTable() {
        for (int i = 0; i < 4096; ++i) {
            letters[2 * i] = kBase64Alphabet[i >> 6];
            letters[2 * i + 1] = kBase64Alphabet[i & 63];
        }
    }
};
constexpr Base64PairTable kBase64Pairs;

// Each byte's escape padded to four bytes, so it can be stored with one
// four-byte copy; the padding is overwritten by the next escape.
struct PercentTable {
    std::array<char, 256 * 4> escapes{};
    constexpr PercentTable() {
        for (int i = 0; i < 256; ++i) {
            escapes[4 * i] = '%';
            escapes[4 * i + 1] = kHexDigits[i >> 4];
            escapes[4 * i + 2] = kHexDigits[i & 15];
        }
    }
};
constexpr PercentTable kPercent;

void put_base64_group(const unsigned char* in, char* out) {
    std::uint32_t group = (std::uint32_t{in[0]} << 16) | (std::uint32_t{in[1]} << 8) | in[2];
    std::memcpy(out, &kBase64Pairs.letters[2 * (group >> 12)], 2);
    std::memcpy(out + 2, &kBase64Pairs.letters[2 * (group & 0xFFF)], 2);
}

}  // namespace

Text base64_encode(std::string_view bytes) {
    if (bytes.empty()) return {};
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t whole_groups = bytes.size() / 3;
    std::size_t rest = bytes.size() % 3;
    Text out;
    out.reserve((whole_groups + (rest != 0)) * 4);
    // Letters are made in a small buffer that stays in the first-level cache
    // and appended from there: filling the result with zeros first would
    // cost another pass over several megabytes.
    constexpr std::size_t kChunkGroups = 1024;
    char chunk[kChunkGroups * 4];
    for (std::size_t first = 0; first < whole_groups; first += kChunkGroups) {
        std::size_t groups = std::min(kChunkGroups, whole_groups - first);
        const unsigned char* from = in + 3 * first;
        std::size_t done = base64_encode_blocks(from, groups * 3, chunk) / 3;
        for (std::size_t g = done; g < groups; ++g) put_base64_group(from + 3 * g, chunk + 4 * g);
        out.append(chunk, groups * 4);
    }
    if (rest != 0) {
        // The last group is completed with zero bytes, and the letters that
        // stand only for those become padding.
        unsigned char last[3] = {0, 0, 0};
        std::memcpy(last, in + 3 * whole_groups, rest);
        char tail[4];
        put_base64_group(last, tail);
        tail[3] = '=';
        if (rest == 1) tail[2] = '=';
        out.append(tail, 4);
    }
    return out;
}

Text url_encode(std::string_view text) {
    if (text.empty()) return {};
    // One spare byte takes the padding of the last four-byte store.
    Text out(text.size() * 3 + 1, '\0');
    const auto* in = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t done = percent_encode_blocks(in, text.size(), out.data());
    char* dst = out.data() + 3 * done;
    for (std::size_t i = done; i < text.size(); ++i) {
        std::memcpy(dst, &kPercent.escapes[4 * in[i]], 4);
        dst += 3;
    }
    out.pop_back();
    return out;
}

}  // namespace vorbel
