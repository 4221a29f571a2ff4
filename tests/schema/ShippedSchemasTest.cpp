#include <gtest/gtest.h>

#include "SchemaTestSupport.h"
#include "schema/SchemaFile.h"

namespace qw::test {
namespace {

const std::string kUnit = R"(unit Sample;

interface

type
  TCounter = class
    procedure Reset;
    function Next(Step: Integer): Integer;
  end;

procedure Log(const Text: string);

implementation

procedure Log(const Text: string);
begin
  WriteLn(Text);
end;

procedure TCounter.Reset;
begin
  FValue := 0;
end;

function TCounter.Next(Step: Integer): Integer;
var
  Old: Integer;

  function Clamp(Value, Low,
    High: Integer; var Hit: Boolean): Integer;
  begin
    Result := Value;
  end;

begin
  Old := FValue;
  FValue := Clamp(FValue + Step, 0, 100, FHit);
  Result := Old;
end;

constructor TCounter.Create(AOwner: TComponent; const AName: string = 'x');
begin
  inherited Create(AOwner);
end;

end.
)";

constexpr int kRoutines = 5; // Log, Reset, Next, Clamp, Create

class ShippedSchema : public ::testing::TestWithParam<const char*> {
protected:
    std::string bytes() const {
        return readTextFile(std::string(QW_SOURCE_DIR) + "/schemas/" + GetParam());
    }
    Schema schema() const { return loadSchema(bytes()); }
    // The number of update lines: each carries a two-digit checksum where the
    // new expansion has %Crc.
    static int updateLines(const PassResult& r, const Schema& s) {
        std::string marker;
        for (const std::string& l : s.lines)
            if (l.find("%Update") != std::string::npos)
                marker = l.substr(l.find("%Crc") - 4, 4); // the text in front of the checksum
        int n = 0;
        for (const std::string& l : r.lines)
            n += l.find(marker) != std::string::npos && l.find("%Crc") == std::string::npos;
        return n;
    }
};

TEST_P(ShippedSchema, IsWrittenWithMarkersAndCrLf) {
    const std::string b = bytes();
    ASSERT_FALSE(b.empty());
    EXPECT_EQ(schemaFileText(schema()), b);
    for (const std::string& line : splitSchemaLines(b))
        EXPECT_TRUE(line.front() == 'x' || line.front() == 'o') << line;
    EXPECT_EQ(b.find('\n'), b.find("\r\n") + 1);
    EXPECT_TRUE(schema().isFixed(0));
    EXPECT_TRUE(schema().isFixed(schema().lines.size() - 1));
}

TEST_P(ShippedSchema, GivesEveryRoutineOneHeaderAndASecondRunChangesNothing) {
    FixedClock clock;
    const Schema s = schema();
    const PassResult first = commentWith(s, kUnit, &clock);
    EXPECT_EQ(first.count, kRoutines);
    EXPECT_FALSE(first.aborted);
    EXPECT_EQ(updateLines(first, s), kRoutines);
    const PassResult second = commentWith(s, first.text, &clock);
    EXPECT_EQ(second.text, first.text);
    EXPECT_EQ(second.count, 0);
}

TEST_P(ShippedSchema, ABodyChangeAddsExactlyOneUpdateLine) {
    FixedClock clock;
    FixedClock later("09.12.2026", "11:00:00");
    const Schema s = schema();
    const PassResult first = commentWith(s, kUnit, &clock);
    std::string changed = first.text;
    changed.replace(changed.find("Result := Old;"), 14, "Result := Old + 1;");
    const PassResult second = commentWith(s, changed, &later);
    EXPECT_EQ(second.count, 1);
    EXPECT_EQ(updateLines(second, s), kRoutines + 1);
    EXPECT_EQ(second.lines.size(), first.lines.size() + 1);
    const PassResult third = commentWith(s, second.text, &later);
    EXPECT_EQ(third.text, second.text);
}

INSTANTIATE_TEST_SUITE_P(Schemas, ShippedSchema,
                         ::testing::Values("Demo.cs", "XmlDoc.cs", "PasDoc.cs"),
                         [](const auto& row) {
                             std::string n = row.param;
                             return n.substr(0, n.find('.'));
                         });

} // namespace
} // namespace qw::test
