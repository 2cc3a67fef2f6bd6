// Vector kernels for the encoders: each encodes whole blocks from the start
// of the input and reports how many input bytes it consumed, leaving the
// rest to the portable loop. On processors without the needed instructions
// they consume nothing.
#pragma once

#include <cstddef>

namespace vorbel {

// Base64 of a prefix of `in` whose length is a multiple of 3, four letters
// per three bytes into `out`. Reads at most `size` bytes.
std::size_t base64_encode_blocks(const unsigned char* in, std::size_t size, char* out);

// Percent escapes of a prefix of `in`, three letters per byte into `out`.
std::size_t percent_encode_blocks(const unsigned char* in, std::size_t size, char* out);

}  // namespace vorbel
