#include <iconv.h>

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

// Runs `input` through the converter into `output`. At a character the
// target cannot take, `on_unmappable` appends its stand-in and tells how many
// input bytes the character spans; conversion then resumes after it.
template <typename OnUnmappable>
void convert(iconv_t handle, std::string_view input, std::vector<char>& output, OnUnmappable on_unmappable) {
    char* in = const_cast<char*>(input.data());
    std::size_t in_left = input.size();
    while (in_left > 0) {
        std::size_t used = output.size();
        output.resize(used + in_left * 2 + 16);
        char* out = output.data() + used;
        std::size_t out_left = output.size() - used;
        std::size_t result = iconv(handle, &in, &in_left, &out, &out_left);
        output.resize(output.size() - out_left);
        if (result != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        std::size_t skip = on_unmappable(in, in_left, output);
        in += skip;
        in_left -= skip;
    }
}

}  // namespace

void decode_cp936_chars(std::string_view text, std::u16string& out) {
    if (text.empty()) return;
    Converter converter("UTF-16LE", "CP936");
    std::vector<char> bytes;
    if (converter.ok()) {
        convert(converter.get(), text, bytes, [](const char* at, std::size_t left, std::vector<char>& output) {
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
    Converter converter("CP936", "UTF-16LE");
    std::vector<char> bytes;
    if (converter.ok()) {
        convert(converter.get(), little_endian, bytes, [](const char*, std::size_t, std::vector<char>& output) {
            output.push_back('?');
            return std::size_t{2};
        });
    } else {
        for (char16_t unit : text) bytes.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
    }
    out.append(bytes.data(), bytes.size());
}

}  // namespace vorbel
