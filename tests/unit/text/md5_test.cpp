#include "text/md5.h"

#include <gtest/gtest.h>

#include "shown.h"

namespace vorbel {
namespace {

using test::shown;

TEST(Md5Text, GivesLowerCaseHexDigest) {
    struct Case {
        std::string text;
        std::string_view want;
    };
    std::string repeated;
    for (int i = 0; i < 256000; ++i) repeated += static_cast<char>(i % 256);
    const Case cases[] = {
        // The test suite of RFC 1321.
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // 中文 as code page 936 bytes: the digest is of the bytes, not of another encoding.
        {"\xD6\xD0\xCE\xC4", "bcce109775e8e1972e9f5fcda3e12895"},
        {repeated, "1da708a75e25110b1341d16814feb52d"},
    };
    for (const auto& c : cases) {
        Text got = md5_text(c.text);
        EXPECT_EQ(got, c.want) << "md5_text(" << shown(c.text.substr(0, 80)) << ") = " << got << ", want " << c.want;
    }
}

TEST(DigestHex, WritesEachByteAsTwoLowerCaseDigitsOrNothingWithoutADigest) {
    std::array<unsigned char, 16> digest{0x00, 0x0F, 0xF0, 0xAB, 0x01, 0x23, 0x45, 0x67,
                                         0x89, 0xCD, 0xEF, 0x10, 0x9A, 0xBC, 0xDE, 0xFF};
    EXPECT_EQ(digest_hex(digest), "000ff0ab0123456789cdef109abcdeff");
    EXPECT_EQ(digest_hex(std::nullopt), "");
}

}  // namespace
}  // namespace vorbel
