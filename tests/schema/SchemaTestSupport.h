#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/PassServices.h"
#include "engine/PassState.h"
#include "engine/ResultEditor.h"
#include "schema/Schema.h"
#include "support/PassRunner.h"

namespace qw::test {

// A schema from marked lines ("x..." fixed, "o..." free).
Schema schemaOf(std::vector<std::string> markedLines);
// One of the schemas that ship in schemas/.
Schema shippedSchema(const std::string& fileName);

// Comments `input` with a schema, a coder "Ann" and the given clock (a fixed
// one by default); without begin/end comments unless a style is given.
PassResult commentWith(const Schema& schema, const std::string& input, Clock* clock = nullptr,
                       EndCommentStyle style = EndCommentStyle::None);

// The pass as the header step sees it, over a plain editor: counts comments,
// records line shifts and conversion failures.
class FakePassServices : public PassServices {
public:
    PassState& state() override { return state_; }
    ResultEditor& editor() override { return editor_; }
    void markCommentLines(int from, int to) override;
    void markComment(int line, int column, int length) override;
    void uncountComment() override { --commentCount; }
    int strToIntOrAbort(std::string_view text) override;
    void shiftLines(int fromLine) override { shifted.push_back(fromLine); }

    void setLines(const std::vector<std::string>& lines);

    int commentCount = 0;
    std::vector<int> shifted;
    std::vector<std::string> badNumbers;

private:
    PassState state_;
    ResultEditor editor_;
};

} // namespace qw::test
