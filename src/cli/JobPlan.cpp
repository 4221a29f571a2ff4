#include "cli/JobPlan.h"

#include <filesystem>
#include <unordered_map>

#include "drivers/SaveFile.h"
#include "text/Text.h"

namespace qw::cli {
namespace {

// The backup a file's save makes, spelt alike for every way of naming it
// ("./a.pas", "a.pas", "/x/a.pas"); letter case is ignored, so that names
// that one file system keeps apart and another does not stay together.
std::string backupKey(const std::string& file) {
    std::error_code ec;
    std::filesystem::path path = std::filesystem::absolute(file, ec);
    if (ec)
        path = file;
    return toLower(backupName(path.lexically_normal().string()));
}

} // namespace

std::vector<std::vector<std::size_t>> jobGroups(const std::vector<std::string>& files) {
    std::vector<std::vector<std::size_t>> groups;
    std::unordered_map<std::string, std::size_t> groupOf;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto [it, added] = groupOf.try_emplace(backupKey(files[i]), groups.size());
        if (added)
            groups.emplace_back();
        groups[it->second].push_back(i);
    }
    return groups;
}

} // namespace qw::cli
