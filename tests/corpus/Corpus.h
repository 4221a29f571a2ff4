#pragma once

#include <string>
#include <vector>

namespace qw::test {

// Pascal sources found on this machine (the fpc-source package), sorted.
std::vector<std::string> corpusFiles();
// Every `step`-th of them, so that a run is fixed and bounded.
std::vector<std::string> corpusSample(std::size_t count);

// The compiler directives of a text in order, found by a scanner of its own.
std::vector<std::string> directivesOf(const std::string& text);

} // namespace qw::test
