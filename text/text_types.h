// The two string types of the program.
#pragma once

#include <string>

namespace vorbel {

// A text in code page 936: a byte of 0x80 or above starts a two-byte
// character. An empty text and a missing text are the same.
using Text = std::string;

// A counted byte string that may hold NUL bytes (images, raw answers).
using Bytes = std::string;

}  // namespace vorbel
