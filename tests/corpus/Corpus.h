#pragma once

#include <string>
#include <vector>

namespace qw::test {

// Pascal sources found on this machine (the fpc-source package), sorted.
std::vector<std::string> corpusFiles();
// Every `step`-th of them, so that a run is fixed and bounded.
std::vector<std::string> corpusSample(std::size_t count);

// Today's Free Pascal (generics, nested types, class members): the sources of
// the castle-game-engine-src and lazarus-src-2.2 packages, a fixed sample of
// `count` files from each; none when they are not installed.
std::vector<std::string> modernCorpusSample(std::size_t count);

// The compiler directives of a text in order, found by a scanner of its own.
std::vector<std::string> directivesOf(const std::string& text);

} // namespace qw::test
