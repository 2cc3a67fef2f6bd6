#include "text/replace.h"

#include "text/dbcs.h"

namespace vorbel {

Text replace_all(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) return Text(text);
    Text result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text.substr(pos, from.size()) == from) {
            result += to;
            pos += from.size();
            continue;
        }
        std::size_t length = char_length_at(text, pos);
        result.append(text.substr(pos, length));
        pos += length;
    }
    return result;
}

}  // namespace vorbel
