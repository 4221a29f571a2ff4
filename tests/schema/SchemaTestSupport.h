#pragma once

#include <string>
#include <vector>

#include "schema/HeaderHost.h"
#include "schema/Schema.h"
#include "schema/UpdateRecord.h"
#include "support/PassRunner.h"
#include "text/ResultEditor.h"

namespace qw {
// For readable failures: "line 4, label end 12, indent 2".
void PrintTo(const UpdateRecord& record, std::ostream* out);
} // namespace qw

namespace qw::test {

// A schema from marked lines ("x..." fixed, "o..." free).
Schema schemaOf(std::vector<std::string> markedLines);
// One of the schemas that ship in schemas/.
Schema shippedSchema(const std::string& fileName);

// Comments `input` with a schema, a coder "Ann" and the given clock (a fixed
// one by default); without begin/end comments unless a style is given.
PassResult commentWith(const Schema& schema, const std::string& input, Clock* clock = nullptr,
                       EndCommentStyle style = EndCommentStyle::None);

// The pass as the header step sees it, over a plain editor: counts comments
// and records line shifts.
class FakeHeaderHost : public HeaderHost {
public:
    ResultEditor& editor() override { return editor_; }
    void markCommentLines(int from, int to) override;
    void markComment(int line, int column, int length) override;
    void uncountComment() override { --commentCount; }
    void shiftLines(int fromLine) override { shifted.push_back(fromLine); }

    void setLines(const std::vector<std::string>& lines);

    int commentCount = 0;
    std::vector<int> shifted;

private:
    ResultEditor editor_;
};

} // namespace qw::test
