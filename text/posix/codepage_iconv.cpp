#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "text/codepage_platform.h"

namespace vorbel {
namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    bool ok() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get() const { return handle_; }

private:
    iconv_t handle_;
};

// Runs `input` through the converter, appending to `output`. At a character
// the target cannot take, `on_unmappable` appends its stand-in and tells how
// many input bytes the character spans; conversion then resumes after it.
template <typename OnUnmappable>
void convert_slice(iconv_t handle, std::string_view input, std::vector<char>& output, OnUnmappable& on_unmappable) {
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    char buffer[1024];
    while (in_left > 0) {
        char* out = buffer;
        std::size_t out_left = sizeof buffer;
        std::size_t result = iconv(handle, &in, &in_left, &out, &out_left);
        output.insert(output.end(), buffer, out);
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        std::size_t skip = on_unmappable(in, in_left, output);
        in += skip;
        in_left -= skip;
    }
}

// The input goes to iconv in slices of about 256 bytes, cut between
// characters by `character_length`: after a character it cannot map, iconv
// re-reads everything it had taken in one call, which on a long text full of
// such characters would take time quadratic in its length.
template <typename CharacterLength, typename OnUnmappable>
void convert(iconv_t handle, std::string_view input, std::vector<char>& output, CharacterLength character_length,
             OnUnmappable on_unmappable) {
    iconv(handle, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
    constexpr std::size_t kSlice = 256;
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = start;
        while (end < input.size() && end - start < kSlice) end += character_length(input, end);
        end = std::min(end, input.size());
        convert_slice(handle, input.substr(start, end - start), output, on_unmappable);
        start = end;
    }
}

}  // namespace

void decode_cp936_chars(std::string_view text, std::u16string& out) {
    if (text.empty()) return;
    // One converter per thread: a text with many malformed bytes is decoded
    // in many short runs, and opening the table for each would dominate.
    thread_local Converter converter("UTF-16LE", "CP936");
    std::vector<char> bytes;
    if (converter.ok()) {
        auto pair_or_single = [](std::string_view input, std::size_t at) -> std::size_t {
            return static_cast<unsigned char>(input[at]) >= 0x81 ? 2 : 1;
        };
        convert(converter.get(), text, bytes, pair_or_single, [](const char* at, std::size_t left, std::vector<char>& output) {
            output.push_back('\xFD');
            output.push_back('\xFF');
            return static_cast<unsigned char>(*at) >= 0x81 && left >= 2 ? std::size_t{2} : std::size_t{1};
        });
    } else {
        // Without the table only ASCII can be read.
        for (unsigned char byte : text) {
            bytes.push_back(byte < 0x80 ? static_cast<char>(byte) : '\xFD');
            bytes.push_back(byte < 0x80 ? '\0' : '\xFF');
        }
    }
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
}

void encode_cp936_chars(std::u16string_view text, std::string& out) {
    if (text.empty()) return;
    std::string little_endian;
    little_endian.reserve(text.size() * 2);
    for (char16_t unit : text) {
        little_endian += static_cast<char>(unit & 0xFF);
        little_endian += static_cast<char>(unit >> 8);
    }
    thread_local Converter converter("CP936", "UTF-16LE");
    std::vector<char> bytes;
    if (converter.ok()) {
        auto one_unit = [](std::string_view, std::size_t) -> std::size_t { return 2; };
        convert(converter.get(), little_endian, bytes, one_unit, [](const char*, std::size_t, std::vector<char>& output) {
            output.push_back('?');
            return std::size_t{2};
        });
    } else {
        for (char16_t unit : text) bytes.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    out.append(bytes.data(), bytes.size());
}

}  // namespace vorbel
