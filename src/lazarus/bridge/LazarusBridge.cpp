#include "LazarusBridge.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "plugin/IdeInterfaces.h"

namespace {

using namespace qw::ide;

QwLazarusHost host;

std::int32_t copyOut(const std::string& text, char* buffer, std::int32_t size) {
    if (buffer && size > 0) {
        const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size - 1));
        std::memcpy(buffer, text.data(), n);
        buffer[n] = '\0';
    }
    return static_cast<std::int32_t>(text.size());
}

// A menu item of the IDE as the plug-in sees it. The bridge keeps every one
// for the life of the process: the IDE's items outlive the plug-in's uses.
class BridgeItem final : public MenuItem {
public:
    explicit BridgeItem(QwLazarusItem item) : item_(item) {}

    std::int32_t AddRef() override { return 1; }
    std::int32_t Release() override { return 1; }
    std::int32_t GetVersion() override { return 1; }
    void DestroyMenuItem() override { host.destroyItem(item_); }
    std::int32_t GetIndex() override { return host.indexOf(item_); }
    MenuItem* GetParent() override { return wrap(host.parentOf(item_)); }
    std::int32_t GetShortCut() override { return host.shortCutOf(item_); }
    bool SetShortCut(std::int32_t shortCut) override {
        host.setShortCut(item_, shortCut);
        return true;
    }
    MenuItem* InsertItem(std::int32_t index, const char* caption, const char* name, const char*,
                         std::int32_t shortCut, std::int32_t, std::int32_t, std::uint32_t,
                         MenuClickHandler onClick) override {
        auto* tag = new MenuClickHandler(onClick);
        QwLazarusItem inserted =
            host.insertItem(item_, index, caption, name, shortCut, onClick.code != nullptr, tag);
        if (!inserted) {
            delete tag;
            return nullptr;
        }
        return wrap(inserted);
    }

    static MenuItem* wrap(QwLazarusItem item) {
        if (!item)
            return nullptr;
        static std::vector<std::unique_ptr<BridgeItem>> items;
        for (const auto& known : items)
            if (known->item_ == item)
                return known.get();
        items.push_back(std::make_unique<BridgeItem>(item));
        return items.back().get();
    }

private:
    QwLazarusItem item_;
};

class BridgeMenu final : public MainMenu {
public:
    std::int32_t AddRef() override { return 1; }
    std::int32_t Release() override { return 1; }
    std::int32_t GetVersion() override { return 1; }
    MenuItem* FindMenuItem(const char* name) override {
        return std::strcmp(name, "ToolsGalleryItem") == 0 ? BridgeItem::wrap(host.anchorItem())
                                                          : nullptr;
    }
};

class BridgeServices final : public ToolServices {
public:
    std::int32_t AddRef() override { return 1; }
    std::int32_t Release() override { return 1; }
    std::int32_t GetVersion() override { return 1; }
    bool SaveFile(const char* fileName) override { return host.saveFile(fileName) != 0; }
    bool ReloadFile(const char* fileName) override {
        host.reloadFile(fileName);
        return true;
    }
    std::uintptr_t GetParentHandle() override { return host.parentHandle(); }
    std::int32_t GetCurrentFile(char* buffer, std::int32_t size) override {
        return host.currentFile(buffer, size);
    }
    MainMenu* GetMainMenu() override { return &menu_; }

private:
    BridgeMenu menu_;
};

bool registerExpert(Expert*) {
    return true;
}

} // namespace

extern "C" std::int32_t qw_lazarus_start(const char* expertLibrary, const QwLazarusHost* bridgeHost,
                                         char* error, std::int32_t errorSize) {
    static BridgeServices services;
    static bool started = false;
    if (started)
        return copyOut("started already", error, errorSize), 0;
    host = *bridgeHost;
    // The library stays loaded until the IDE ends.
    void* library = dlopen(expertLibrary, RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* why = dlerror();
        return copyOut(why ? why : "cannot load the library", error, errorSize), 0;
    }
    auto* entry = reinterpret_cast<decltype(&INITEXPERT0016)>(dlsym(library, "INITEXPERT0016"));
    if (!entry)
        return copyOut("no entry point INITEXPERT0016", error, errorSize), 0;
    QwExpertTerminateProc terminate = nullptr;
    started = entry(&services, &registerExpert, &terminate);
    if (!started)
        copyOut("the entry point registered no expert", error, errorSize);
    return started ? 1 : 0;
}

extern "C" void qw_lazarus_click(void* tag) {
    const auto* handler = static_cast<const MenuClickHandler*>(tag);
    if (handler && handler->code)
        handler->code(handler->object, nullptr);
}
