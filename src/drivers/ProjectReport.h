#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qw {

// One processed file of a project walk.
struct ReportEntry {
    // The name as the walk knows it: the project file as it was given, units
    // by their queued name (lower case, no folder, e.g. "unit1.pas").
    std::string name;
    std::int32_t count = 0; // comments inserted
    // Where the walk found it on disk (the unit folder joined with the name as
    // it is spelt there); for opening the file from the report.
    std::string path;
};

// The data of the project report window: one line per processed file, in the
// order of processing.
class ProjectReport {
public:
    void addEntry(std::string name, std::int32_t count, std::string path = {});
    const std::vector<ReportEntry>& entries() const { return entries_; }
    // The list's lines: name, a TAB, the count in decimal.
    std::vector<std::string> lines() const;
    bool empty() const { return entries_.empty(); }

private:
    std::vector<ReportEntry> entries_;
};

// The report line of an entry: name + TAB + count.
std::string reportLine(const ReportEntry& entry);

// The file name of a report line: everything before its last TAB (the whole
// line when it has none), as the report's Edit button takes it.
std::string reportLineFileName(const std::string& line);

} // namespace qw
