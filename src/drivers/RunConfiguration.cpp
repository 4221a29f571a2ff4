#include "drivers/RunConfiguration.h"

namespace qw {

namespace {

constexpr std::uint8_t kHighestStyle = 3;

} // namespace

RunConfiguration runConfiguration(const Settings& settings, Schema schema, Clock* clock,
                                  FileSystem* files) {
    RunConfiguration run;
    PassOptions& o = run.options;
    if (settings.endCommentStyle <= kHighestStyle) {
        o.style = static_cast<EndCommentStyle>(settings.endCommentStyle);
    } else {
        run.warnings.push_back("the stored style " + std::to_string(settings.endCommentStyle) +
                               " is not 0 to 3; style 2 is used");
        o.style = EndCommentStyle::Brace;
    }
    o.crossReference = settings.crossReference;
    o.schema = std::move(schema);
    o.coderName = settings.coderName;
    o.clock = clock;
    o.fileSystem = files;
    return run;
}

} // namespace qw
