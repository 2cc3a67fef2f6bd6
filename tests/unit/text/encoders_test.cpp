#include "text/encoders.h"

#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include "shown.h"

namespace vorbel {
namespace {

using test::shown;

std::string every_byte_value() {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    return bytes;
}

TEST(Base64Encode, EncodesWithPadding) {
    using namespace std::string_literals;
    struct Case {
        std::string bytes;
        std::string_view want;
    };
    const Case cases[] = {
        {"", ""},
        {"a", "YQ=="},
        {"ab", "YWI="},
        {"abc", "YWJj"},
        {"\0"s, "AA=="},
        {"\0\0\0"s, "AAAA"},
        {"\xFF\xFE\xFD", "//79"},
        {"\xFB\xEF\xBE", "++++"},
        {"f", "Zg=="},
        {"fo", "Zm8="},
        {"foo", "Zm9v"},
        {"foob", "Zm9vYg=="},
        {"fooba", "Zm9vYmE="},
        {"foobar", "Zm9vYmFy"},
        {"BM\0\0\x36\0"s, "Qk0AADYA"},
        {every_byte_value(),
         "AAECAwQFBgcICQoLDA0ODxAREhMUFRYXGBkaGxwdHh8gISIjJCUmJygpKissLS4vMDEyMzQ1Njc4OTo7PD0+P0BBQkNERUZHSElKS0xNTk9QUV"
         "JTVFVWV1hZWltcXV5fYGFiY2RlZmdoaWprbG1ub3BxcnN0dXZ3eHl6e3x9fn+AgYKDhIWGh4iJiouMjY6PkJGSk5SVlpeYmZqbnJ2en6ChoqOkp"
         "aanqKmqq6ytrq+wsbKztLW2t7i5uru8vb6/wMHCw8TFxsfIycrLzM3Oz9DR0tPU1dbX2Nna29zd3t/g4eLj5OXm5+jp6uvs7e7v8PHy8/T19vf4"
         "+fr7/P3+/w=="},
    };
    for (const auto& c : cases) {
        Text got = base64_encode(c.bytes);
        EXPECT_EQ(got, c.want) << "base64_encode(" << shown(c.bytes) << ") = " << got << ", want " << c.want;
    }
}

// Decodes padded Base64 for the round trip below; nullopt on any letter
// outside the alphabet or a wrong length.
std::optional<std::string> base64_decode(std::string_view text) {
    static const std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (text.size() % 4 != 0) return std::nullopt;
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        unsigned group = 0;
        int padding = 0;
        for (std::size_t j = 0; j < 4; ++j) {
            char letter = text[i + j];
            std::size_t index = alphabet.find(letter);
            if (letter == '=' && i + 4 == text.size() && j >= 2) {
                index = 0;
                ++padding;
            } else if (index == std::string_view::npos || padding > 0) {
                return std::nullopt;
            }
            group = group << 6 | static_cast<unsigned>(index);
        }
        bytes += static_cast<char>(group >> 16);
        if (padding < 2) bytes += static_cast<char>(group >> 8 & 0xFF);
        if (padding < 1) bytes += static_cast<char>(group & 0xFF);
    }
    return bytes;
}

std::string pseudo_random_bytes(std::size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>(seed >> 24);
    }
    return bytes;
}

// Long inputs go through a block loop and a tail loop; every length around
// the block sizes must come out whole.
TEST(Base64Encode, RoundTripsEveryLengthAcrossBlockBoundaries) {
    std::vector<std::size_t> sizes;
    for (std::size_t size = 0; size < 100; ++size) sizes.push_back(size);
    for (std::size_t size : {3070, 3071, 3072, 3073, 3074, 3075, 6144, 6145, 100001}) sizes.push_back(size);
    for (std::size_t size : sizes) {
        std::string bytes = pseudo_random_bytes(size, static_cast<unsigned>(size));
        Text text = base64_encode(bytes);
        EXPECT_EQ(text.size(), (size + 2) / 3 * 4) << "length " << size;
        EXPECT_EQ(base64_decode(text), bytes) << "length " << size << ": " << text;
    }
}

TEST(UrlEncode, EncodesEveryLengthAcrossBlockBoundaries) {
    const char* hex = "0123456789ABCDEF";
    for (std::size_t size = 0; size < 70; ++size) {
        std::string bytes = pseudo_random_bytes(size, static_cast<unsigned>(size) + 7);
        std::string want;
        for (unsigned char byte : bytes) want += {'%', hex[byte >> 4], hex[byte & 15]};
        EXPECT_EQ(url_encode(bytes), want) << "length " << size;
    }
}

TEST(UrlEncode, EscapesEveryByte) {
    using namespace std::string_literals;
    struct Case {
        std::string text;
        std::string_view want;
    };
    const Case cases[] = {
        {"", ""},
        {"auto", "%61%75%74%6F"},
        {"\r\n", "%0D%0A"},
        {" ", "%20"},
        {"+", "%2B"},
        {"-._~", "%2D%2E%5F%7E"},
        {"\xD6\xD0", "%D6%D0"},
        {"\0\x0F\x10\xFF"s, "%00%0F%10%FF"},
        {"Hello\r\n", "%48%65%6C%6C%6F%0D%0A"},
    };
    for (const auto& c : cases) {
        Text got = url_encode(c.text);
        EXPECT_EQ(got, c.want) << "url_encode(" << shown(c.text) << ") = " << got << ", want " << c.want;
    }
}

TEST(UrlEncode, EncodesAllByteValuesInPlace) {
    Text got = url_encode(every_byte_value());
    ASSERT_EQ(got.size(), 3u * 256);
    const char* hex = "0123456789ABCDEF";
    for (int i = 0; i < 256; ++i) {
        std::string want = {'%', hex[i >> 4], hex[i & 15]};
        EXPECT_EQ(got.substr(3 * i, 3), want) << "byte " << i;
    }
}

}  // namespace
}  // namespace vorbel
