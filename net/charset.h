// Conversion of a byte string between two named character sets.
#pragma once

#include <string_view>

#include "text/text_types.h"

namespace vorbel {

// `input` decoded as `from_charset` ("UTF-8" when empty) and encoded again as
// `to_charset` ("GBK" when empty). Names are matched without regard to case.
//
// The program only ever turns UTF-8 answers into its own code page, so only
// these are known: "UTF-8" (also "UTF8") and code page 936 under the names
// "GBK", "CP936", "GB2312" and "936". The same set on both sides gives the
// input back unchanged. A character the target cannot represent becomes the
// code page's default character; a byte sequence that is not valid in
// `from_charset` becomes the replacement character first, and a leading UTF-8
// byte order mark is dropped.
//
// Returns empty Bytes for an unknown character set, as for empty input.
Bytes convert_charset(std::string_view input, std::string_view from_charset = "",
                      std::string_view to_charset = "");

}  // namespace vorbel
