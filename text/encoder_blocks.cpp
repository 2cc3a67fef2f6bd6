#include "text/encoder_blocks.h"

#if defined(__x86_64__) || defined(__i386__)
#define VORBEL_X86_BLOCKS 1
#include <immintrin.h>
#endif

namespace vorbel {

#if VORBEL_X86_BLOCKS
namespace {

bool has_ssse3() {
    static const bool supported = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("ssse3") != 0;
    }();
    return supported;
}

bool has_avx2() {
    static const bool supported = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return supported;
}

// Twelve bytes in, sixteen letters out per step. The shuffle spreads each
// three-byte group over a 32-bit lane as b1 b0 b2 b1, so that each 6-bit
// index lies in one 16-bit half; a multiply per half then moves the indices
// into bytes of their own, and a second shuffle turns each index into the
// offset that makes it its letter.
__attribute__((target("ssse3"))) std::size_t base64_ssse3(const unsigned char* in, std::size_t size, char* out) {
    const __m128i spread = _mm_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10);
    const __m128i offsets = _mm_setr_epi8('a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
                                          '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
    std::size_t done = 0;
    // Each load reads sixteen bytes and uses twelve.
    while (size - done >= 16) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + done));
        bytes = _mm_shuffle_epi8(bytes, spread);
        __m128i first_third = _mm_mulhi_epu16(_mm_and_si128(bytes, _mm_set1_epi32(0x0FC0FC00)), _mm_set1_epi32(0x04000040));
        __m128i second_fourth = _mm_mullo_epi16(_mm_and_si128(bytes, _mm_set1_epi32(0x003F03F0)), _mm_set1_epi32(0x01000010));
        __m128i indices = _mm_or_si128(first_third, second_fourth);
        // 0 for a-z, 1-12 for the digits and + /, 13 for A-Z.
        __m128i group = _mm_subs_epu8(indices, _mm_set1_epi8(51));
        __m128i upper = _mm_cmpgt_epi8(_mm_set1_epi8(26), indices);
        group = _mm_or_si128(group, _mm_and_si128(upper, _mm_set1_epi8(13)));
        __m128i letters = _mm_add_epi8(_mm_shuffle_epi8(offsets, group), indices);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out), letters);
        out += 16;
        done += 12;
    }
    return done;
}

// The same steps as base64_ssse3 on two groups of twelve bytes at once, one
// in each half of the register (the shuffles work within halves).
__attribute__((target("avx2"))) std::size_t base64_avx2(const unsigned char* in, std::size_t size, char* out) {
    const __m256i spread = _mm256_setr_epi8(1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10,
                                            1, 0, 2, 1, 4, 3, 5, 4, 7, 6, 8, 7, 10, 9, 11, 10);
    const __m256i offsets = _mm256_setr_epi8(
        'a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
        '+' - 62, '/' - 63, 'A', 0, 0, 'a' - 26, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52, '0' - 52,
        '0' - 52, '0' - 52, '0' - 52, '0' - 52, '+' - 62, '/' - 63, 'A', 0, 0);
    std::size_t done = 0;
    // The second half's load reads sixteen bytes from twelve bytes on.
    while (size - done >= 28) {
        __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + done));
        __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + done + 12));
        __m256i bytes = _mm256_inserti128_si256(_mm256_castsi128_si256(first), second, 1);
        bytes = _mm256_shuffle_epi8(bytes, spread);
        __m256i first_third =
            _mm256_mulhi_epu16(_mm256_and_si256(bytes, _mm256_set1_epi32(0x0FC0FC00)), _mm256_set1_epi32(0x04000040));
        __m256i second_fourth =
            _mm256_mullo_epi16(_mm256_and_si256(bytes, _mm256_set1_epi32(0x003F03F0)), _mm256_set1_epi32(0x01000010));
        __m256i indices = _mm256_or_si256(first_third, second_fourth);
        __m256i group = _mm256_subs_epu8(indices, _mm256_set1_epi8(51));
        __m256i upper = _mm256_cmpgt_epi8(_mm256_set1_epi8(26), indices);
        group = _mm256_or_si256(group, _mm256_and_si256(upper, _mm256_set1_epi8(13)));
        __m256i letters = _mm256_add_epi8(_mm256_shuffle_epi8(offsets, group), indices);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out), letters);
        out += 32;
        done += 24;
    }
    return done;
}

// Sixteen bytes in, forty-eight letters out per step: the hexadecimal digits
// of the high and low nibbles are looked up sixteen at a time, then three
// shuffles of each interleave them behind their percent signs.
__attribute__((target("ssse3"))) std::size_t percent_ssse3(const unsigned char* in, std::size_t size, char* out) {
    const __m128i hex = _mm_setr_epi8('0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', 'E', 'F');
    const __m128i low_nibble = _mm_set1_epi8(0x0F);
    constexpr char z = static_cast<char>(0x80);  // shuffle index that yields a zero byte
    // Output byte j of part k comes from input byte (16k + j) / 3: a percent
    // sign, the high digit or the low digit by (16k + j) % 3.
    const __m128i high_pick[3] = {
        _mm_setr_epi8(z, 0, z, z, 1, z, z, 2, z, z, 3, z, z, 4, z, z),
        _mm_setr_epi8(5, z, z, 6, z, z, 7, z, z, 8, z, z, 9, z, z, 10),
        _mm_setr_epi8(z, z, 11, z, z, 12, z, z, 13, z, z, 14, z, z, 15, z),
    };
    const __m128i low_pick[3] = {
        _mm_setr_epi8(z, z, 0, z, z, 1, z, z, 2, z, z, 3, z, z, 4, z),
        _mm_setr_epi8(z, 5, z, z, 6, z, z, 7, z, z, 8, z, z, 9, z, z),
        _mm_setr_epi8(10, z, z, 11, z, z, 12, z, z, 13, z, z, 14, z, z, 15),
    };
    const char p = '%';
    const __m128i percent[3] = {
        _mm_setr_epi8(p, 0, 0, p, 0, 0, p, 0, 0, p, 0, 0, p, 0, 0, p),
        _mm_setr_epi8(0, 0, p, 0, 0, p, 0, 0, p, 0, 0, p, 0, 0, p, 0),
        _mm_setr_epi8(0, p, 0, 0, p, 0, 0, p, 0, 0, p, 0, 0, p, 0, 0),
    };
    std::size_t done = 0;
    while (size - done >= 16) {
        __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + done));
        __m128i high = _mm_shuffle_epi8(hex, _mm_and_si128(_mm_srli_epi16(bytes, 4), low_nibble));
        __m128i low = _mm_shuffle_epi8(hex, _mm_and_si128(bytes, low_nibble));
        for (int k = 0; k < 3; ++k) {
            __m128i part = _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(high, high_pick[k]), _mm_shuffle_epi8(low, low_pick[k])),
                                        percent[k]);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 16 * k), part);
        }
        out += 48;
        done += 16;
    }
    return done;
}

}  // namespace

std::size_t base64_encode_blocks(const unsigned char* in, std::size_t size, char* out) {
    if (!has_ssse3()) return 0;
    std::size_t done = has_avx2() ? base64_avx2(in, size, out) : 0;
    return done + base64_ssse3(in + done, size - done, out + done / 3 * 4);
}

std::size_t percent_encode_blocks(const unsigned char* in, std::size_t size, char* out) {
    return has_ssse3() ? percent_ssse3(in, size, out) : 0;
}

#else

std::size_t base64_encode_blocks(const unsigned char*, std::size_t, char*) { return 0; }
std::size_t percent_encode_blocks(const unsigned char*, std::size_t, char*) { return 0; }

#endif

}  // namespace vorbel
