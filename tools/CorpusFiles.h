#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Clock.h"

namespace qw::tools {

// The fixed moment of the corpus tools, so that two runs give the same text.
class CorpusClock : public Clock {
public:
    std::string shortDate() override { return "08.12.2026"; }
    std::string longTime() override { return "10:30:00"; }
};

std::string readFile(const std::filesystem::path& path);

// The Pascal sources below `root` (*.pas, *.pp, *.inc, *.dpr, *.lpr in any
// letter case), sorted.
std::vector<std::filesystem::path> filesUnder(const std::filesystem::path& root);

// The files named in `list`, one per line.
std::vector<std::filesystem::path> filesListed(const std::filesystem::path& list);

} // namespace qw::tools
