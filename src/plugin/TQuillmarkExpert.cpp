#include "plugin/TQuillmarkExpert.h"

#include "plugin/ExpertLibrary.h"
#include "plugin/IdeReference.h"
#include "plugin/IdeStrings.h"

namespace qw::plugin {
namespace {

constexpr const char* kName = "Quillwright";
constexpr const char* kAuthor = "Varnstead";
constexpr const char* kComment = ".. comments Delphi source code.";
constexpr const char* kIdString = "Varnstead.Quillwright";
constexpr const char* kGalleryItem = "ToolsGalleryItem";
constexpr std::uint32_t kShown = ide::MenuFlagEnabled | ide::MenuFlagVisible;

// The code half of a click handler: the IDE calls it with the expert as its
// object. Nothing may be thrown back into the IDE.
template <void (TQuillmarkExpert::*Handler)(ide::MenuItem*)>
void clicked(void* object, ide::MenuItem* sender) noexcept {
    try {
        (static_cast<TQuillmarkExpert*>(object)->*Handler)(sender);
    } catch (...) {
        // The commands show their own errors; what escapes them is dropped
        // here rather than thrown through the IDE.
    }
}

template <void (TQuillmarkExpert::*Handler)(ide::MenuItem*)>
ide::MenuClickHandler handler(TQuillmarkExpert* expert) {
    return {&clicked<Handler>, expert};
}

constexpr ide::MenuClickHandler kNoHandler{nullptr, nullptr};

} // namespace

TQuillmarkExpert::TQuillmarkExpert(ExpertLibrary& library) : library_(library) {
    BuildMenu();
}

void TQuillmarkExpert::BuildMenu() {
    ide::ToolServices* tools = library_.toolServices();
    if (!tools)
        return;
    // Released when this function returns, however it returns: the Tools
    // menu first, then the gallery item, then the main menu.
    const IdeReference<ide::MainMenu> mainMenu(tools->GetMainMenu());
    if (!mainMenu)
        return;
    const IdeReference<ide::MenuItem> gallery(mainMenu->FindMenuItem(kGalleryItem));
    if (!gallery)
        return;
    const IdeReference<ide::MenuItem> toolsMenu(gallery->GetParent());
    if (!toolsMenu)
        return;

    // Each insertion needs the one before it; the menu stops where the IDE
    // inserted nothing.
    QuillmarkItem = toolsMenu->InsertItem(gallery->GetIndex() + 1, "&Quillmark", "QWItem", "", 0, 0,
                                          0, kShown, kNoHandler);
    if (!QuillmarkItem)
        return;
    StripItem = QuillmarkItem->InsertItem(0, "Strip", "QWStrip", "", 0, 0, 0, kShown,
                                          handler<&TQuillmarkExpert::StripClick>(this));
    if (!StripItem)
        return;
    DoItItem = QuillmarkItem->InsertItem(0, "&Comment!", "QWDoItItem", "",
                                         library_.state().settings.commentHotKey, 0, 0, kShown,
                                         handler<&TQuillmarkExpert::CommentClick>(this));
    if (!DoItItem)
        return;
    SetupItem = QuillmarkItem->InsertItem(1, "&Setup", "QWSetupItem", "", 0, 0, 0, kShown,
                                          handler<&TQuillmarkExpert::SetupClick>(this));
}

TQuillmarkExpert::~TQuillmarkExpert() {
    if (QuillmarkItem)
        QuillmarkItem->DestroyMenuItem(); // the submenu with its items
    // The item objects were handed out to the expert: its use of them ends.
    for (ide::MenuItem* item : {DoItItem, StripItem, SetupItem, QuillmarkItem})
        if (item)
            item->Release();
    library_.expertDestroyed(this);
}

std::int32_t TQuillmarkExpert::GetName(char* buffer, std::int32_t size) {
    return copyToBuffer(kName, buffer, size);
}

std::int32_t TQuillmarkExpert::GetAuthor(char* buffer, std::int32_t size) {
    return copyToBuffer(kAuthor, buffer, size);
}

std::int32_t TQuillmarkExpert::GetComment(char* buffer, std::int32_t size) {
    return copyToBuffer(kComment, buffer, size);
}

std::int32_t TQuillmarkExpert::GetPage(char* buffer, std::int32_t size) {
    return copyToBuffer({}, buffer, size);
}

std::uintptr_t TQuillmarkExpert::GetGlyph() {
    return 0;
}

std::int32_t TQuillmarkExpert::GetStyle() {
    return ide::kExpertStyleAddIn;
}

std::uint32_t TQuillmarkExpert::GetState() {
    return ide::kExpertStateEnabled;
}

std::int32_t TQuillmarkExpert::GetIDString(char* buffer, std::int32_t size) {
    return copyToBuffer(kIdString, buffer, size);
}

std::int32_t TQuillmarkExpert::GetMenuText(char* buffer, std::int32_t size) {
    return copyToBuffer({}, buffer, size);
}

void TQuillmarkExpert::Execute() {}

} // namespace qw::plugin
