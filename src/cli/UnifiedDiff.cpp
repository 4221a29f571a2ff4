#include "cli/UnifiedDiff.h"

#include <unordered_map>
#include <vector>

#include "cli/LineDiff.h"

namespace qw::cli {
namespace {

constexpr std::size_t kContext = 3;

struct Line {
    std::string_view text; // without its LF
    bool newline;          // ended by LF
};

std::vector<Line> splitAtLf(std::string_view text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t lf = text.find('\n', start);
        if (lf == std::string_view::npos) {
            lines.push_back({text.substr(start), false});
            break;
        }
        lines.push_back({text.substr(start, lf - start), true});
        start = lf + 1;
    }
    return lines;
}

// Equal lines get equal numbers; a last line without LF differs from the
// same text with one.
class LineNumbers {
public:
    std::vector<int> of(const std::vector<Line>& lines) {
        std::vector<int> out;
        out.reserve(lines.size());
        for (const Line& line : lines) {
            auto& table = line.newline ? ended_ : open_;
            out.push_back(table.try_emplace(line.text, next_).first->second);
            if (out.back() == next_)
                ++next_;
        }
        return out;
    }

private:
    std::unordered_map<std::string_view, int> ended_;
    std::unordered_map<std::string_view, int> open_;
    int next_ = 0;
};

void appendLine(std::string& out, char mark, const Line& line) {
    out += mark;
    out += line.text;
    out += '\n';
    if (!line.newline)
        out += "\\ No newline at end of file\n";
}

// "start,count" as diff -u writes it: ",1" left out, and an empty range
// starting at the line before it.
std::string range(std::size_t start, std::size_t count) {
    std::string text = std::to_string(count == 0 ? start : start + 1);
    if (count != 1)
        text += "," + std::to_string(count);
    return text;
}

} // namespace

std::string unifiedDiff(const std::string& label, std::string_view before, std::string_view after) {
    const std::vector<Line> a = splitAtLf(before);
    const std::vector<Line> b = splitAtLf(after);
    LineNumbers numbers;
    const std::vector<int> an = numbers.of(a);
    const std::vector<int> bn = numbers.of(b);
    const std::vector<Edit> edits = lineEdits(an, bn);

    std::string out;
    std::size_t i = 0;
    while (i < edits.size()) {
        while (i < edits.size() && edits[i].kind == EditKind::Equal)
            ++i;
        if (i == edits.size())
            break;
        // A hunk: from kContext lines before its first change to kContext
        // lines after its last one, taking in changes closer than 2 * kContext.
        const std::size_t first = i >= kContext ? i - kContext : 0;
        std::size_t last = i; // one past the last change
        for (std::size_t j = i; j < edits.size(); ++j) {
            if (edits[j].kind != EditKind::Equal)
                last = j + 1;
            else if (j - last >= 2 * kContext)
                break;
        }
        const std::size_t end = std::min(edits.size(), last + kContext);

        std::size_t aCount = 0;
        std::size_t bCount = 0;
        for (std::size_t j = first; j < end; ++j) {
            aCount += edits[j].kind != EditKind::Insert;
            bCount += edits[j].kind != EditKind::Delete;
        }
        if (out.empty())
            out = "--- " + label + "\n+++ " + label + "\n";
        out +=
            "@@ -" + range(edits[first].a, aCount) + " +" + range(edits[first].b, bCount) + " @@\n";
        for (std::size_t j = first; j < end; ++j) {
            const Edit& e = edits[j];
            if (e.kind == EditKind::Equal)
                appendLine(out, ' ', a[e.a]);
            else if (e.kind == EditKind::Delete)
                appendLine(out, '-', a[e.a]);
            else
                appendLine(out, '+', b[e.b]);
        }
        i = end;
    }
    return out;
}

} // namespace qw::cli
