#include "tools/sim/Quoted.h"

namespace vellix::sim {

std::string quoted(std::string_view text, std::size_t limit) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "'";
    for (std::size_t i = 0; i < text.size() && i < limit; ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '\'' || byte == '\\') out += '\\';
        if (byte >= 0x20 && byte < 0x7F) out += char(byte);
        else out += {'\\', 'x', kHex[byte >> 4], kHex[byte & 0xF]};
    }
    out += '\'';
    if (text.size() > limit) out += "...";
    return out;
}

}  // namespace vellix::sim
