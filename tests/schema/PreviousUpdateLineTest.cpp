// The label of the previous newest update line is blanked only on such a
// line: where the line under the new update line is none (the user removed
// the old one, or an earlier run left it unsettled and it was matched as the
// new one), that line may be code and stays as it is.
#include <gtest/gtest.h>

#include "schema/SchemaTestSupport.h"
#include "text/CodeEquivalence.h"

namespace qw::test {
namespace {

TEST(PreviousUpdateLine, LineUnderTheNewUpdateLineThatIsNoUpdateLineKeepsItsText) {
    const Schema schema = schemaOf({
        "x// Routine:     %FuncName:30%",
        "o// Routine:     %FuncName%",
        "x// Parameters:  %Parameters:30%",
        "o// Updated:     %Update%%Date:10% %Coder:10% Crc %Crc:3%",
        "x// Updated:     %Update%Crc %Crc%",
    });
    const std::string input = "unit U;\n"
                              "implementation\n"
                              "// Routine:     Create                        \n"
                              "// Routine:     Create\n"
                              "// Parameters:  -                             \n"
                              "// Updated:     08.12.2026 Fuzz       Crc %Crc:3%\n"
                              "// Updated:     Crc %Crc%\n"
                              "constructor TCounter.Create;\n"
                              "begin\n"
                              "  X;\n"
                              "end;\n"
                              "end.\n";
    const PassResult r = commentWith(schema, input);
    ASSERT_FALSE(r.aborted);
    auto m = findCodeMismatch(input, r.text);
    EXPECT_FALSE(m.has_value()) << (m ? describeCodeMismatch(*m) : "") << "\n" << r.text;
}

} // namespace
} // namespace qw::test
