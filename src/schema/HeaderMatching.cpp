#include "schema/HeaderMatching.h"

#include "schema/HeaderText.h"
#include "schema/HeadingLine.h"
#include "schema/Placeholder.h"
#include "text/ResultEditor.h"

namespace qw {

using namespace header_text;

namespace {

class Matcher {
public:
    Matcher(ResultEditor& editor, const HeaderLayout& layout, int headingLine)
        : editor_(editor), layout_(layout), schema_(layout.schema.lines),
          header_(layout.header.lines) {
        out_.headingLine = headingLine;
    }

    HeaderMatch run() {
        n_ = out_.headingLine - 1;
        e_ = static_cast<int>(header_.size()) - 1;
        f_ = static_cast<int>(schema_.size()) - 1;
        if (n_ < 0 || e_ < 0)
            return out_; // nothing to compare: a whole header goes in
        bool noHeader = false;
        while (f_ >= 0 && n_ >= 0 && e_ >= 0) {
            const Step step = compareStep();
            if (step == Step::NoHeader) {
                noHeader = true;
                break;
            }
            if (step == Step::Stop)
                break;
            if (step == Step::Matched) {
                inRun_ = false;
                --n_;
                --e_;
                --f_;
            }
        }
        out_.firstHeaderLine = n_ + 1;
        // A top schema line that was never reached (f_ = 0 included) means the
        // existing text ran out: updating in place would shift every line.
        out_.insertWhole = noHeader || f_ >= 0;
        return out_;
    }

private:
    enum class Step { Matched, Searched, NoHeader, Stop };

    std::string_view text(int n) const { return withoutIndent(editor_.line(n), layout_.indent); }
    bool sameLabel(std::string_view a, std::string_view b, int l) const {
        return prefix(a, l - 1) == prefix(b, l - 1);
    }
    // The first header line that the schema line expanded to.
    const std::string& firstLineOf(int schemaLine) const {
        const auto& starts = layout_.header.schemaLineStart;
        const int at = schemaLine < static_cast<int>(starts.size()) ? starts[schemaLine] : -1;
        return at >= 0 && at < static_cast<int>(header_.size()) ? header_[at] : schema_[schemaLine];
    }
    std::vector<std::string>& removedAt(int schemaLine) {
        auto& removed = out_.removedContinuations;
        if (removed.size() <= static_cast<std::size_t>(schemaLine))
            removed.resize(static_cast<std::size_t>(schemaLine) + 1);
        return removed[static_cast<std::size_t>(schemaLine)];
    }
    HeaderRun& startRun() {
        if (!inRun_) {
            out_.runs.emplace_back();
            inRun_ = true;
        }
        return out_.runs.back();
    }

    Step compareStep() {
        const std::string& line = schema_[f_];
        if (const int l = positionOf(line, "%Parameters"); l > 0) {
            if (parameterLineMatches(line, l))
                return Step::Matched;
            if (n_ < 0 || e_ < 0)
                return Step::Stop;
        }
        if (text(n_) == header_[e_])
            return Step::Matched;
        if (const int l = firstPlaceholderColumn(line);
            l > 0 && sameLabel(text(n_), header_[e_], l))
            return Step::Matched;
        if (f_ > 0 && f_ == layout_.trackedUpdate())
            if (const int l = positionOf(line, "%Update"); l > 0 && updateHistoryMatches(l))
                return Step::Matched;
        if (layout_.schema.isFixed(static_cast<std::size_t>(f_)))
            return Step::NoHeader;
        return searchAboveFreeLines();
    }

    // Old continuation lines go; new ones are stepped over; the label decides.
    bool parameterLineMatches(const std::string& line, int l) {
        const std::string prefix = continuationPrefix(firstLineOf(f_), l);
        while (e_ >= 0 && isContinuationLine(header_[e_], l, prefix))
            --e_;
        while (n_ >= 0 && isContinuationLine(text(n_), l, prefix)) {
            removedAt(f_).insert(removedAt(f_).begin(), std::string(editor_.line(n_)));
            editor_.remove(n_);
            --n_;
            --out_.headingLine;
        }
        return n_ >= 0 && sameLabel(text(n_), line, l);
    }

    // Older update lines (label blanked) are counted as one run up to the
    // newest one, which carries the label.
    bool updateHistoryMatches(int l) {
        if (regionBlank(text(n_), l)) {
            const bool fresh = !inRun_;
            HeaderRun& run = startRun();
            if (fresh) {
                run.history = true;
                run.topSchemaLine = f_;
            }
            const bool hasNext = e_ + 1 < static_cast<int>(header_.size());
            while (n_ > 0 && regionBlank(text(n_), l) &&
                   (!hasNext || text(n_) != header_[e_ + 1])) {
                --n_;
                ++run.existingLines;
            }
            run.schemaLines = 0;
        }
        return sameLabel(text(n_), header_[e_], l);
    }

    // Free lines that differ: the stretch up to the nearest fixed line is one
    // run; the existing text is searched upwards for that fixed line. The
    // search begins at the line that differed, which is that fixed line when
    // the user deleted the free lines, and it never passes a routine heading:
    // beyond one lies the header of another routine.
    Step searchAboveFreeLines() {
        HeaderRun& run = startRun();
        while (f_ > 0 && !layout_.schema.isFixed(static_cast<std::size_t>(f_)) && e_ > 0) {
            --e_;
            --f_;
            ++run.schemaLines;
        }
        run.history = false;
        run.topSchemaLine = run.schemaLines > 0 ? f_ + 1 : f_;
        const int l = firstPlaceholderColumn(schema_[f_]);
        for (;; --n_, ++run.existingLines) {
            if (beginsRoutineHeading(editor_.line(n_)))
                return Step::NoHeader;
            if (text(n_) == header_[e_] || (l > 0 && sameLabel(text(n_), header_[e_], l)))
                return Step::Searched;
            if (n_ == 0)
                return Step::NoHeader;
        }
    }

    ResultEditor& editor_;
    const HeaderLayout& layout_;
    const std::vector<std::string>& schema_;
    const std::vector<std::string>& header_;
    HeaderMatch out_;
    int n_ = 0;
    int e_ = 0;
    int f_ = 0;
    bool inRun_ = false;
};

} // namespace

HeaderMatch matchExistingHeader(ResultEditor& editor, const HeaderLayout& layout, int headingLine) {
    return Matcher(editor, layout, headingLine).run();
}

} // namespace qw
