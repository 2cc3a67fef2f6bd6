// Encoders for the values the cloud requests carry.
#pragma once

#include <string_view>

#include "text/text_types.h"

namespace vorbel {

// The padded Base64 text (RFC 4648 alphabet, no line breaks) of `bytes`:
// four letters for every three bytes or part of three. Empty for empty input.
Text base64_encode(std::string_view bytes);

// Every byte of `text` as "%" and two upper-case hexadecimal digits, with no
// byte exempt (a blank becomes %20). Three times as long as the input.
Text url_encode(std::string_view text);

}  // namespace vorbel
