#pragma once

#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

namespace qw::cli {

// Help text for an 80-column terminal (and for the manual page made from it):
// descriptions wrapped at word boundaries beside the option names, options
// shown with the words they take ("--style none|line|brace|paren") instead
// of the parser's internal value types and exclusions.
class HelpFormatter : public CLI::Formatter {
public:
    HelpFormatter();

    std::string make_description(const CLI::App* app) const override;
    std::string make_subcommand(const CLI::App* sub) const override;
    std::string make_option_opts(const CLI::Option* opt) const override;
    std::string make_option_desc(const CLI::Option* opt) const override;
};

// `text` broken into lines of at most `width` characters at spaces; lines of
// its own stay as they are.
std::string wrapped(std::string_view text, std::size_t width);

} // namespace qw::cli
