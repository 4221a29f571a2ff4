#include "cli/FileDiscovery.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "text/Text.h"

namespace qw::cli {
namespace {

namespace fs = std::filesystem;

void addFolder(const fs::path& folder, Discovery& out) {
    std::error_code ec;
    // Each entry with its name, taken once: sorting compares them often.
    std::vector<std::pair<std::string, fs::directory_entry>> entries;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        entries.emplace_back(it->path().filename().string(), *it);
    if (ec) {
        out.errors.push_back("cannot read folder '" + folder.string() + "': " + ec.message());
        return;
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [name, entry] : entries) {
        std::error_code statError;
        if (entry.is_directory(statError) && !entry.is_symlink(statError))
            addFolder(entry.path(), out);
        else if (isSourceFileName(name) && entry.is_regular_file(statError))
            out.files.push_back(entry.path().string());
    }
}

} // namespace

bool isSourceFileName(const std::string& name) {
    const std::string lower = toLower(name);
    for (const char* ext : {".pas", ".inc", ".dpr"})
        if (lower.size() > 4 && lower.compare(lower.size() - 4, 4, ext) == 0)
            return true;
    return false;
}

Discovery discoverFiles(const std::vector<std::string>& arguments, Recursion recursion) {
    Discovery out;
    for (const std::string& argument : arguments) {
        std::error_code ec;
        if (!fs::is_directory(argument, ec)) {
            out.files.push_back(argument);
        } else if (recursion == Recursion::On) {
            addFolder(argument, out);
        } else {
            out.errors.push_back("'" + argument +
                                 "' is a folder; give -r to process the source files in it");
        }
    }
    return out;
}

} // namespace qw::cli
