#include "engine/Messages.h"

namespace qw::messages {

std::string format(std::string_view text, std::string_view file, int line) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's') {
            out += file;
            ++i;
        } else if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 'd') {
            out += std::to_string(line);
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace qw::messages
