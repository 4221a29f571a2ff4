#include "cli/HelpFormatter.h"

namespace qw::cli {
namespace {

constexpr std::size_t kTerminalWidth = 80;
constexpr std::size_t kNameColumn = 30;

void appendWrapped(std::string& out, std::string_view line, std::size_t width) {
    std::size_t used = 0;
    while (!line.empty()) {
        const std::size_t space = line.find(' ');
        const std::string_view word = line.substr(0, space);
        if (used > 0 && used + 1 + word.size() > width) {
            out += '\n';
            used = 0;
        } else if (used > 0) {
            out += ' ';
            ++used;
        }
        out += word;
        used += word.size();
        line.remove_prefix(space == std::string_view::npos ? line.size() : space + 1);
    }
}

} // namespace

std::string wrapped(std::string_view text, std::size_t width) {
    std::string out;
    for (;;) {
        const std::size_t end = text.find('\n');
        appendWrapped(out, text.substr(0, end), width);
        if (end == std::string_view::npos)
            return out;
        out += '\n';
        text.remove_prefix(end + 1);
    }
}

HelpFormatter::HelpFormatter() {
    column_width(kNameColumn);
}

std::string HelpFormatter::make_description(const CLI::App* app) const {
    const std::string& text = app->get_description();
    return text.empty() ? std::string() : wrapped(text, kTerminalWidth) + "\n";
}

std::string HelpFormatter::make_subcommand(const CLI::App* sub) const {
    std::stringstream out;
    CLI::detail::format_help(out, sub->get_display_name(true),
                             wrapped(sub->get_description(), kTerminalWidth - kNameColumn),
                             kNameColumn);
    return out.str();
}

std::string HelpFormatter::make_option_opts(const CLI::Option* opt) const {
    if (!opt->get_option_text().empty())
        return " " + opt->get_option_text();
    if (opt->get_type_size() == 0 || opt->get_positional())
        return {};
    return " " + opt->get_type_name();
}

std::string HelpFormatter::make_option_desc(const CLI::Option* opt) const {
    return wrapped(opt->get_description(), kTerminalWidth - kNameColumn);
}

} // namespace qw::cli
