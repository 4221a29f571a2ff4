#include "drivers/ProjectReport.h"

namespace qw {

void ProjectReport::addEntry(std::string name, std::int32_t count, std::string path) {
    entries_.push_back({std::move(name), count, std::move(path)});
}

std::vector<std::string> ProjectReport::lines() const {
    std::vector<std::string> out;
    out.reserve(entries_.size());
    for (const ReportEntry& entry : entries_)
        out.push_back(reportLine(entry));
    return out;
}

std::string reportLine(const ReportEntry& entry) {
    return entry.name + '\t' + std::to_string(entry.count);
}

std::string reportLineFileName(const std::string& line) {
    const auto tab = line.rfind('\t');
    return tab == std::string::npos ? line : line.substr(0, tab);
}

} // namespace qw
