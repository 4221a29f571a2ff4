#include "corpus/Corpus.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "support/TestSupport.h"

namespace qw::test {

static std::vector<std::string> pascalFilesBelow(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> files;
    const fs::path root = folder;
    std::error_code ec;
    if (!fs::is_directory(root, ec))
        return files;
    for (auto it = fs::recursive_directory_iterator(root, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec))
            continue;
        std::string ext = it->path().extension().string();
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (ext == ".pas" || ext == ".pp" || ext == ".inc" || ext == ".dpr" || ext == ".lpr")
            files.push_back(it->path().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> corpusFiles() {
    return pascalFilesBelow("/usr/share/fpcsrc");
}

static std::vector<std::string> everyNth(const std::vector<std::string>& all, std::size_t count) {
    if (all.size() <= count)
        return all;
    std::vector<std::string> sample;
    const std::size_t step = all.size() / count;
    for (std::size_t i = 0; i < all.size() && sample.size() < count; i += step)
        sample.push_back(all[i]);
    return sample;
}

std::vector<std::string> corpusSample(std::size_t count) {
    return everyNth(corpusFiles(), count);
}

// The Pascal sources a Debian package installed, from its file list, so that
// files of other packages in the same folders do not change the sample.
static std::vector<std::string> pascalFilesOfPackage(const std::string& package) {
    std::vector<std::string> files;
    std::istringstream list(readTextFile("/var/lib/dpkg/info/" + package + ".list"));
    for (std::string path; std::getline(list, path);) {
        const std::size_t dot = path.rfind('.');
        if (dot == std::string::npos || path.find('/', dot) != std::string::npos)
            continue;
        std::string ext = path.substr(dot);
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if ((ext == ".pas" || ext == ".pp" || ext == ".inc" || ext == ".dpr" || ext == ".lpr") &&
            std::filesystem::is_regular_file(path))
            files.push_back(path);
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<std::string> modernCorpusSample(std::size_t count) {
    std::vector<std::string> sample;
    for (const char* package : {"castle-game-engine-src", "lazarus-src-2.2"}) {
        const std::vector<std::string> some = everyNth(pascalFilesOfPackage(package), count);
        sample.insert(sample.end(), some.begin(), some.end());
    }
    return sample;
}

// The clean pass right-trims every line it writes, the lines of a directive
// that runs over several lines too; that is no change of the directive.
static std::string trimmedAtLineEnds(std::string directive) {
    std::string out;
    for (char c : directive) {
        if (c == '\n' || c == '\r')
            while (!out.empty() && (out.back() == ' ' || out.back() == '\t'))
                out.pop_back();
        out += c;
    }
    return out;
}

std::vector<std::string> directivesOf(const std::string& text) {
    std::vector<std::string> out;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        const char c = text[i];
        if (c == '\'') {
            std::size_t j = i + 1;
            while (j < n && text[j] != '\'' && text[j] != '\n' && text[j] != '\r')
                ++j;
            i = j + 1;
        } else if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            while (i < n && text[i] != '\n' && text[i] != '\r')
                ++i;
        } else if (c == '{') {
            std::size_t j = text.find('}', i);
            j = j == std::string::npos ? n : j + 1;
            if (i + 1 < n && text[i + 1] == '$')
                out.push_back(trimmedAtLineEnds(text.substr(i, j - i)));
            i = j;
        } else if (c == '(' && i + 1 < n && text[i + 1] == '*') {
            std::size_t j = text.find("*)", i + 1);
            j = j == std::string::npos ? n : j + 2;
            if (i + 2 < n && text[i + 2] == '$')
                out.push_back(trimmedAtLineEnds(text.substr(i, j - i)));
            i = j;
        } else {
            ++i;
        }
    }
    return out;
}

} // namespace qw::test
