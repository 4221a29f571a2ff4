#include "CorpusFiles.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace qw::tools {

namespace {

bool isPascal(const fs::path& p) {
    std::string ext = p.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".pas" || ext == ".pp" || ext == ".inc" || ext == ".dpr" || ext == ".lpr";
}

} // namespace

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<fs::path> filesUnder(const fs::path& root) {
    std::vector<fs::path> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        if (it->is_regular_file(ec) && isPascal(it->path()))
            files.push_back(it->path());
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<fs::path> filesListed(const fs::path& list) {
    std::vector<fs::path> files;
    std::ifstream in(list);
    for (std::string line; std::getline(in, line);)
        if (!line.empty())
            files.emplace_back(line);
    return files;
}

} // namespace qw::tools
