#include "cli/BundledSchema.h"

#include <filesystem>

#include "platform/ExecutablePath.h"
#include "platform/FileSystem.h"

namespace qw::cli {

std::vector<std::string> bundledSchemaCandidates() {
    namespace fs = std::filesystem;
    std::vector<std::string> out;
    const std::string exe = executablePath();
    if (!exe.empty()) {
        const fs::path dir = fs::path(exe).parent_path();
        for (const fs::path& folder :
             {dir / "schemas", dir / ".." / "share" / "quillwright" / "schemas",
              dir / ".." / "schemas", dir / ".." / ".." / "schemas"})
            out.push_back((folder / kBundledSchemaName).lexically_normal().string());
    }
#ifdef QW_SOURCE_SCHEMAS
    out.push_back((fs::path(QW_SOURCE_SCHEMAS) / kBundledSchemaName).string());
#endif
    return out;
}

std::optional<std::string> findBundledSchema(FileSystem& fs) {
    for (const std::string& path : bundledSchemaCandidates())
        if (fs.isFile(path))
            return path;
    return std::nullopt;
}

} // namespace qw::cli
