#include "text/ResultEditor.h"

#include <algorithm>
#include <cstring>

namespace qw {
namespace {

// Large enough that a block serves thousands of lines, small enough that the
// unused end of the last one does not count.
constexpr std::size_t kBlockSize = std::size_t{1} << 20;

} // namespace

ResultEditor::Blocks::Blocks(Blocks&& o) noexcept
    : blocks_(std::move(o.blocks_)), free_(o.free_), left_(o.left_) {
    o.blocks_.clear();
    o.free_ = nullptr;
    o.left_ = 0;
}

ResultEditor::Blocks& ResultEditor::Blocks::operator=(Blocks&& o) noexcept {
    if (this != &o) {
        blocks_ = std::move(o.blocks_);
        free_ = o.free_;
        left_ = o.left_;
        o.blocks_.clear();
        o.free_ = nullptr;
        o.left_ = 0;
    }
    return *this;
}

const char* ResultEditor::Blocks::store(std::string_view text) {
    if (text.empty())
        return nullptr;
    if (text.size() > left_) {
        if (text.size() > kBlockSize / 4) {
            // A very long line gets a block of its own; the current one stays open.
            blocks_.push_back(std::make_unique_for_overwrite<char[]>(text.size()));
            std::memcpy(blocks_.back().get(), text.data(), text.size());
            return blocks_.back().get();
        }
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
        free_ = blocks_.back().get();
        left_ = kBlockSize;
    }
    char* at = free_;
    std::memcpy(at, text.data(), text.size());
    free_ += text.size();
    left_ -= text.size();
    return at;
}

void ResultEditor::Blocks::clear() {
    blocks_.clear();
    free_ = nullptr;
    left_ = 0;
}

ResultEditor::ResultEditor(const ResultEditor& other) {
    copyFrom(other);
}

ResultEditor& ResultEditor::operator=(const ResultEditor& other) {
    if (this != &other) {
        clear();
        copyFrom(other);
    }
    return *this;
}

// The copy's lines point into its own blocks.
void ResultEditor::copyFrom(const ResultEditor& other) {
    lines_ = other.lines_;
    for (Line& l : lines_)
        l.data = blocks_.store(l.text());
    changes_ = other.changes_;
    for (Change& c : changes_)
        c.old.data = blocks_.store(c.old.text());
    recording_ = other.recording_;
}

void ResultEditor::clear() {
    lines_.clear();
    changes_.clear(); // their lines' bytes go with the blocks
    blocks_.clear();
}

std::vector<std::string> ResultEditor::lines() const {
    std::vector<std::string> out;
    out.reserve(lines_.size());
    for (const auto& l : lines_)
        out.emplace_back(l.text());
    return out;
}

void ResultEditor::replace(int index, std::string_view text) {
    if (recording_)
        recordChange(Change::Kind::Changed, index);
    Line& l = lines_.at(index);
    const std::string_view old = l.text();
    const int oldLen = static_cast<int>(old.size());
    const int newLen = static_cast<int>(text.size());
    int common = 0;
    while (common < oldLen && common < newLen && old[common] == text[common])
        ++common;
    std::vector<Span> kept;
    for (const Span& s : l.marks.spans()) {
        const bool reachedEnd = s.column + s.length >= oldLen;
        const bool wholeLine = s.column == 0 && reachedEnd;
        if (s.column >= common && !wholeLine)
            continue;
        int end = reachedEnd ? newLen : std::min(s.column + s.length, common);
        if (end > s.column)
            kept.push_back({s.column, end - s.column});
    }
    l.marks.set(std::move(kept));
    l.data = blocks_.store(text);
    l.size = static_cast<std::uint32_t>(text.size());
}

void ResultEditor::append(std::string_view text) {
    if (recording_)
        recordChange(Change::Kind::Inserted, count());
    lines_.push_back(makeLine(text));
}

void ResultEditor::insert(int index, std::string_view text) {
    if (text.empty() || (std::memchr(text.data(), '\n', text.size()) == nullptr &&
                         std::memchr(text.data(), '\r', text.size()) == nullptr)) {
        // One line, as nearly every insertion is: no list of parts.
        if (recording_)
            recordChange(Change::Kind::Inserted, index, 1);
        lines_.insert(lines_.begin() + index, makeLine(text));
        return;
    }
    std::vector<Line> parts;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        if (i == text.size()) {
            parts.push_back(makeLine(text.substr(start)));
            break;
        }
        if (text[i] == '\r' || text[i] == '\n') {
            parts.push_back(makeLine(text.substr(start, i - start)));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            start = i + 1;
            if (start == text.size())
                break;
        }
    }
    if (recording_)
        recordChange(Change::Kind::Inserted, index, static_cast<int>(parts.size()));
    lines_.insert(lines_.begin() + index, std::make_move_iterator(parts.begin()),
                  std::make_move_iterator(parts.end()));
}

void ResultEditor::remove(int index) {
    if (recording_)
        recordChange(Change::Kind::Removed, index);
    lines_.erase(lines_.begin() + index);
}

void ResultEditor::mark(int index, int column, int length) {
    Line& l = lines_.at(index);
    const int len = static_cast<int>(l.size);
    column = std::clamp(column, 0, len);
    length = std::min(length, len - column);
    if (length <= 0)
        return;
    if (recording_)
        recordChange(Change::Kind::Changed, index);
    if (l.marks.spans().empty()) {
        l.marks.set({Span{column, length}}); // the line's first mark, as nearly always
        return;
    }
    // Keep spans sorted and merged so that the marks read back as ranges.
    std::vector<Span> spans = l.marks.spans();
    spans.push_back({column, length});
    std::sort(spans.begin(), spans.end(),
              [](const Span& a, const Span& b) { return a.column < b.column; });
    std::vector<Span> merged;
    for (const Span& s : spans) {
        if (!merged.empty() && s.column <= merged.back().column + merged.back().length) {
            int end = std::max(merged.back().column + merged.back().length, s.column + s.length);
            merged.back().length = end - merged.back().column;
        } else {
            merged.push_back(s);
        }
    }
    l.marks.set(std::move(merged));
}

void ResultEditor::markLines(int from, int to) {
    for (int i = std::max(from, 0); i < to && i < count(); ++i)
        mark(i, 0, static_cast<int>(lines_[i].size));
}

bool ResultEditor::isMarked(int index, int column) const {
    for (const Span& s : lines_.at(index).marks.spans())
        if (column >= s.column && column < s.column + s.length)
            return true;
    return false;
}

std::vector<CommentMark> ResultEditor::marks() const {
    std::vector<CommentMark> out;
    for (int i = 0; i < count(); ++i)
        for (const Span& s : lines_[i].marks.spans())
            out.push_back({i, s.column, s.length});
    return out;
}

void ResultEditor::startRecording() {
    changes_.clear();
    recording_ = true;
}

void ResultEditor::stopRecording() {
    changes_.clear();
    recording_ = false;
}

void ResultEditor::recordChange(Change::Kind kind, int index, int count) {
    Change change{kind, index, count, {}};
    if (kind != Change::Kind::Inserted)
        change.old = lines_.at(index);
    changes_.push_back(std::move(change));
}

void ResultEditor::undo(std::vector<Line>& lines, int at, const Change& change, Line old) {
    const auto it = lines.begin() + at;
    switch (change.kind) {
    case Change::Kind::Inserted:
        lines.erase(it, it + change.count);
        break;
    case Change::Kind::Removed:
        lines.insert(it, std::move(old));
        break;
    case Change::Kind::Changed:
        *it = std::move(old);
        break;
    }
}

void ResultEditor::takeBackRecorded() {
    for (auto c = changes_.rbegin(); c != changes_.rend(); ++c)
        undo(lines_, c->index, *c, std::move(c->old));
    stopRecording();
}

int ResultEditor::recordedTop() const {
    int top = count();
    for (const Change& c : changes_)
        top = std::min(top, c.index);
    return top;
}

std::optional<int> ResultEditor::recordedMove(int line) const {
    for (const Change& c : changes_) {
        switch (c.kind) {
        case Change::Kind::Inserted:
            if (line >= c.index)
                line += c.count;
            break;
        case Change::Kind::Removed:
            if (line == c.index)
                return std::nullopt;
            if (line > c.index)
                --line;
            break;
        case Change::Kind::Changed:
            if (line == c.index)
                return std::nullopt;
            break;
        }
    }
    return line;
}

std::optional<ResultEditor::EarlierLines> ResultEditor::linesBeforeRecording(int from,
                                                                             int to) const {
    if (from < 0 || to < from || to > count())
        return std::nullopt;
    std::vector<Line> lines(lines_.begin() + from, lines_.begin() + to);
    for (auto c = changes_.rbegin(); c != changes_.rend(); ++c) {
        const int at = c->index - from;
        const int size = static_cast<int>(lines.size());
        const int end = at + (c->kind == Change::Kind::Inserted ? c->count : 0);
        if (at < 0 || end > size || (c->kind == Change::Kind::Changed && at >= size))
            return std::nullopt;
        undo(lines, at, *c, c->old);
    }
    EarlierLines out;
    out.firstStartsInside =
        !lines.empty() && (lines.front().startsInside || lines.front().startsInsideForLanguage);
    out.text.reserve(lines.size());
    for (const Line& l : lines)
        out.text.emplace_back(l.text());
    return out;
}

std::string ResultEditor::text(std::string_view lineBreak, FinalBreak finalBreak) const {
    std::size_t size = 0;
    for (const auto& l : lines_)
        size += l.size + lineBreak.size();
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i].text();
        if (i + 1 < lines_.size() || finalBreak == FinalBreak::Yes)
            out += lineBreak;
    }
    return out;
}

void ResultEditor::writeText(std::string_view lineBreak, FinalBreak finalBreak,
                             const std::function<void(std::string_view)>& sink) const {
    constexpr std::size_t kPiece = std::size_t{1} << 16;
    std::string piece;
    piece.reserve(kPiece + 256);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const std::string_view t = lines_[i].text();
        if (piece.size() + t.size() > kPiece && !piece.empty()) {
            sink(piece);
            piece.clear();
        }
        if (t.size() > kPiece)
            sink(t);
        else
            piece += t;
        if (i + 1 < lines_.size() || finalBreak == FinalBreak::Yes)
            piece += lineBreak;
    }
    if (!piece.empty())
        sink(piece);
}

} // namespace qw
