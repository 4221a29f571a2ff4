#include "plugin/PascalSource.h"

#include <string>

#include "drivers/FilePaths.h"
#include "text/Text.h"

namespace qw::plugin {
namespace {

constexpr std::string_view kPascalExtensions = " .dpr .pas .inc ";

} // namespace

SourceKind sourceKindOf(std::string_view fileName) {
    const std::string extension = toLower(extensionOf(fileName));
    const std::string probe = ' ' + extension + ' ';
    if (kPascalExtensions.find(probe) == std::string_view::npos)
        return SourceKind::Other;
    return extension == ".dpr" ? SourceKind::Project : SourceKind::Source;
}

} // namespace qw::plugin
