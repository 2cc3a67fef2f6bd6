#include "text/encoders.h"

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
