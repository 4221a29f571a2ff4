#pragma once

#include <cstdint>

#include "plugin/IdeInterfaces.h"
#include "plugin/TIExpert.h"

namespace qw::plugin {

class ExpertLibrary;

// The library's expert: it adds the submenu "&Quillmark" with "&Comment!"
// (on the hot key), "&Setup" and "Strip" to the IDE's Tools menu, right after
// the gallery item, and removes it again when the IDE releases it. Its
// commands work on the file that has the focus in the IDE's editor: they
// make the IDE save it, run the drivers on the file on disk and make the IDE
// reload it.
class TQuillmarkExpert final : public TIExpert {
public:
    // Builds the menu. Without a main menu, a gallery item or its parent, or
    // when the IDE inserts no item, the expert goes on with the menu as far
    // as it was built.
    explicit TQuillmarkExpert(ExpertLibrary& library);

    std::int32_t GetName(char* buffer, std::int32_t size) override;
    std::int32_t GetAuthor(char* buffer, std::int32_t size) override;
    std::int32_t GetComment(char* buffer, std::int32_t size) override;
    std::int32_t GetPage(char* buffer, std::int32_t size) override; // empty
    std::uintptr_t GetGlyph() override;                             // none (0)
    std::int32_t GetStyle() override;                               // add-in expert
    std::uint32_t GetState() override;                              // enabled
    std::int32_t GetIDString(char* buffer, std::int32_t size) override;
    std::int32_t GetMenuText(char* buffer, std::int32_t size) override; // empty
    void Execute() override;                                            // does nothing

    // The click handlers; they take no account of their argument.
    void CommentClick(ide::MenuItem* sender);
    void StripClick(ide::MenuItem* sender);
    void SetupClick(ide::MenuItem* sender);

    // The IDE's menu items that the expert inserted; null when not inserted.
    ide::MenuItem* DoItItem = nullptr;      // "&Comment!"
    ide::MenuItem* StripItem = nullptr;     // "Strip"
    ide::MenuItem* SetupItem = nullptr;     // "&Setup"
    ide::MenuItem* QuillmarkItem = nullptr; // "&Quillmark", the submenu

private:
    // Removes the submenu and ends the use of the items.
    ~TQuillmarkExpert() override;

    void BuildMenu();

    ExpertLibrary& library_;
};

} // namespace qw::plugin
