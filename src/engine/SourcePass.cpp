#include "engine/SourcePass.h"

namespace qw {

std::string_view LineBreaks::dominant() const {
    if (lf > crlf && lf >= cr)
        return "\n";
    if (cr > crlf && cr > lf)
        return "\r";
    return "\r\n";
}

SourcePass::SourcePass(const PassOptions& options, PassHost& host, Progress& progress)
    : options_(options), host_(host), progress_(progress) {}
SourcePass::~SourcePass() = default;

void SourcePass::run(const std::string&, ResultEditor&) {}
void SourcePass::runText(const std::string&, std::string_view, ResultEditor&) {}

} // namespace qw
