#pragma once

#include <vector>

#include "platform/SettingsStore.h"

namespace qw {

// Settings in a per-user text file, for platforms without a registry:
//
//     [Quillwright]
//     Path=/home/ann/schemas/
//     Style=2
//
// A string stands as it is, or in double quotes with \" \\ \t \r \n and \xHH
// escapes when it has blanks at its ends or control characters; a quoted value
// is always a string, an unquoted one an integer when it is a decimal number.
// Lines the store does not know (comments, other sections) are kept. close()
// writes the whole file anew through a temporary file and a rename, so the
// file is always either the old one or the new one.
class IniSettingsStore final : public SettingsStore {
public:
    IniSettingsStore(FileSystem& fs, std::string path);

    const std::string& path() const { return path_; }

    // A missing file is an empty store; the file is made by the first close()
    // that has something to write, together with its folders.
    IoResult open() override;
    std::optional<std::string> readString(std::string_view name) override;
    std::optional<std::int32_t> readInteger(std::string_view name) override;
    IoResult writeString(std::string_view name, std::string_view value) override;
    IoResult writeInteger(std::string_view name, std::int32_t value) override;
    IoResult close() override;

private:
    struct Line {
        std::string text{};  // as it stands in the file
        std::string name{};  // empty: not a value of the store's section
        std::string value{}; // the text of the value, escapes resolved
        bool quoted = false;
    };

    void parse(std::string_view bytes);
    const Line* find(std::string_view name) const;
    void put(std::string_view name, std::string value, std::string text, bool quoted);
    std::size_t insertionPoint();
    std::string render() const;
    IoResult makeFolders(const std::string& folder);

    FileSystem& fs_;
    std::string path_;
    std::vector<Line> lines_;
    bool changed_ = false;
};

} // namespace qw
