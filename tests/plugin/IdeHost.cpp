#include "IdeHost.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace qw::plugin::test {
namespace {

IdeHost* g_lastHost = nullptr;

std::string quoted(const char* text) {
    return '"' + std::string(text ? text : "<null>") + '"';
}

// A string result into the caller's buffer, as the interface has it.
std::int32_t copyOut(const std::string& text, char* buffer, std::int32_t size) {
    if (buffer && size > 0) {
        const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(size) - 1);
        std::memcpy(buffer, text.data(), copied);
        buffer[copied] = '\0';
    }
    return static_cast<std::int32_t>(text.size());
}

} // namespace

std::string describeHandler(const ide::MenuClickHandler& handler) {
    return handler.code ? "handler" : "no handler";
}

// --- Tool services and main menu ---

class IdeHost::Services final : public ide::ToolServices {
public:
    explicit Services(IdeHost& host) : host_(host) {}
    std::int32_t AddRef() override {
        host_.record("ToolServices.AddRef()");
        return 2;
    }
    std::int32_t Release() override {
        host_.record("ToolServices.Release()");
        return 1;
    }
    std::int32_t GetVersion() override {
        host_.record("ToolServices.GetVersion()");
        return 2;
    }
    bool SaveFile(const char* fileName) override {
        host_.record("ToolServices.SaveFile(" + quoted(fileName) + ")");
        return host_.saveSucceeds;
    }
    bool ReloadFile(const char* fileName) override {
        host_.record("ToolServices.ReloadFile(" + quoted(fileName) + ")");
        return true;
    }
    std::uintptr_t GetParentHandle() override {
        host_.record("ToolServices.GetParentHandle()");
        return host_.parentHandle;
    }
    std::int32_t GetCurrentFile(char* buffer, std::int32_t size) override {
        host_.record("ToolServices.GetCurrentFile()");
        return copyOut(host_.currentFile, buffer, size);
    }
    ide::MainMenu* GetMainMenu() override;

private:
    IdeHost& host_;
};

class IdeHost::Menu final : public ide::MainMenu {
public:
    explicit Menu(IdeHost& host) : host_(host) {}
    std::int32_t AddRef() override {
        host_.record("MainMenu.AddRef()");
        return ++references + 1;
    }
    std::int32_t Release() override {
        host_.record("MainMenu.Release()");
        return --references + 1;
    }
    std::int32_t GetVersion() override {
        host_.record("MainMenu.GetVersion()");
        return 2;
    }
    ide::MenuItem* FindMenuItem(const char* name) override {
        host_.record("MainMenu.FindMenuItem(" + quoted(name) + ")");
        HostMenuItem* found = name ? host_.item(name) : nullptr;
        return found ? found->handOut() : nullptr;
    }

    std::int32_t references = 0;

private:
    IdeHost& host_;
};

ide::MainMenu* IdeHost::Services::GetMainMenu() {
    host_.record("ToolServices.GetMainMenu()");
    if (!host_.offerMainMenu)
        return nullptr;
    ++host_.menu_->references;
    return host_.menu_.get();
}

// --- Menu items ---

HostMenuItem::HostMenuItem(IdeHost& host, std::string itemName, std::string itemCaption)
    : name(std::move(itemName)), caption(std::move(itemCaption)), host_(host) {}

HostMenuItem* HostMenuItem::handOut() {
    ++references;
    return this;
}

std::int32_t HostMenuItem::AddRef() {
    host_.record(name + ".AddRef()");
    return ++references + 1; // and the host's own
}

std::int32_t HostMenuItem::Release() {
    host_.record(name + ".Release()");
    return --references + 1;
}

std::int32_t HostMenuItem::GetVersion() {
    host_.record(name + ".GetVersion()");
    return 2;
}

void HostMenuItem::DestroyMenuItem() {
    host_.record(name + ".DestroyMenuItem()");
    if (parent) {
        auto& siblings = parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        parent = nullptr;
    }
    std::function<void(HostMenuItem&)> destroy = [&](HostMenuItem& item) {
        item.destroyed = true;
        for (HostMenuItem* child : item.children)
            destroy(*child);
    };
    destroy(*this);
}

std::int32_t HostMenuItem::GetIndex() {
    host_.record(name + ".GetIndex()");
    if (!parent)
        return -1;
    const auto& siblings = parent->children;
    return static_cast<std::int32_t>(std::find(siblings.begin(), siblings.end(), this) -
                                     siblings.begin());
}

ide::MenuItem* HostMenuItem::GetParent() {
    host_.record(name + ".GetParent()");
    return parent && parent != host_.root_ ? parent->handOut() : nullptr;
}

std::int32_t HostMenuItem::GetShortCut() {
    host_.record(name + ".GetShortCut()");
    return shortCut;
}

bool HostMenuItem::SetShortCut(std::int32_t code) {
    host_.record(name + ".SetShortCut(" + std::to_string(code) + ")");
    shortCut = code;
    return true;
}

ide::MenuItem* HostMenuItem::InsertItem(std::int32_t index, const char* itemCaption,
                                        const char* itemName, const char* itemHint,
                                        std::int32_t itemShortCut, std::int32_t itemHelpContext,
                                        std::int32_t itemGroupIndex, std::uint32_t itemFlags,
                                        ide::MenuClickHandler itemOnClick) {
    host_.record(name + ".InsertItem(" + std::to_string(index) + ", " + quoted(itemCaption) + ", " +
                 quoted(itemName) + ", " + quoted(itemHint) + ", " + std::to_string(itemShortCut) +
                 ", " + std::to_string(itemHelpContext) + ", " + std::to_string(itemGroupIndex) +
                 ", " + std::to_string(itemFlags) + ", " + describeHandler(itemOnClick) + ")");
    if (++host_.insertions_ == host_.failInsertion)
        return nullptr;
    HostMenuItem* item = host_.newItem(itemName ? itemName : "", itemCaption ? itemCaption : "");
    item->hint = itemHint ? itemHint : "";
    item->shortCut = itemShortCut;
    item->helpContext = itemHelpContext;
    item->groupIndex = itemGroupIndex;
    item->flags = itemFlags;
    item->onClick = itemOnClick;
    item->parent = this;
    const auto at = static_cast<std::size_t>(
        std::clamp<std::int32_t>(index, 0, static_cast<std::int32_t>(children.size())));
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(at), item);
    return item->handOut();
}

bool HostMenuItem::onMenu() const {
    return !destroyed && (parent != nullptr || this == host_.root_);
}

std::vector<std::string> HostMenuItem::childNames() const {
    std::vector<std::string> names;
    for (const HostMenuItem* child : children)
        names.push_back(child->name);
    return names;
}

// --- The host ---

IdeHost::IdeHost()
    : services_(std::make_unique<Services>(*this)), menu_(std::make_unique<Menu>(*this)) {
    g_lastHost = this;
    root_ = newItem("MainMenu1", "");
    const auto attach = [](HostMenuItem* parent, HostMenuItem* child) {
        child->parent = parent;
        parent->children.push_back(child);
        return child;
    };
    HostMenuItem* file = attach(root_, newItem("FileMenu", "&File"));
    attach(file, newItem("FileOpenItem", "&Open..."));
    HostMenuItem* tools = attach(root_, newItem("ToolsMenu", "&Tools"));
    attach(tools, newItem("ToolsOptionsItem", "Environment &Options..."));
    attach(tools, newItem("ToolsGalleryItem", "&Repository..."));
    attach(tools, newItem("ToolsToolsItem", "&Configure Tools..."));
}

IdeHost::~IdeHost() {
    if (g_lastHost == this)
        g_lastHost = nullptr;
}

void IdeHost::makeCurrent() {
    g_lastHost = this;
}

ide::ToolServices* IdeHost::toolServices() {
    return services_.get();
}

bool IdeHost::registerExpert(ide::Expert* registered) {
    if (!g_lastHost)
        return false;
    g_lastHost->record("RegisterExpert()");
    g_lastHost->expert = registered;
    ++g_lastHost->registrations;
    return true;
}

HostMenuItem* IdeHost::newItem(std::string name, std::string caption) {
    items_.push_back(std::make_unique<HostMenuItem>(*this, std::move(name), std::move(caption)));
    return items_.back().get();
}

void IdeHost::removeGalleryItem() {
    HostMenuItem* gallery = item("ToolsGalleryItem");
    auto& siblings = gallery->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), gallery), siblings.end());
    gallery->parent = nullptr;
    gallery->destroyed = true;
}

void IdeHost::orphanGalleryItem() {
    // The item stays findable but stands on the menu bar itself.
    HostMenuItem* gallery = item("ToolsGalleryItem");
    auto& siblings = gallery->parent->children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), gallery), siblings.end());
    gallery->parent = root_;
    root_->children.push_back(gallery);
}

HostMenuItem* IdeHost::item(const std::string& name) const {
    std::function<HostMenuItem*(HostMenuItem*)> search = [&](HostMenuItem* at) -> HostMenuItem* {
        if (at->name == name && at != root_)
            return at;
        for (HostMenuItem* child : at->children)
            if (HostMenuItem* found = search(child))
                return found;
        return nullptr;
    };
    return search(root_);
}

std::vector<std::string> IdeHost::childNames(const std::string& name) const {
    const HostMenuItem* found = item(name);
    return found ? found->childNames() : std::vector<std::string>{};
}

bool IdeHost::click(const std::string& name) {
    HostMenuItem* found = item(name);
    if (!found || !found->onClick.code)
        return false;
    found->onClick.code(found->onClick.object, found);
    return true;
}

bool IdeHost::pressKey(std::int32_t code) {
    std::function<HostMenuItem*(HostMenuItem*)> search = [&](HostMenuItem* at) -> HostMenuItem* {
        if (at->shortCut == code && at->onClick.code && (at->flags & ide::MenuFlagEnabled))
            return at;
        for (HostMenuItem* child : at->children)
            if (HostMenuItem* found = search(child))
                return found;
        return nullptr;
    };
    HostMenuItem* found = code != 0 ? search(root_) : nullptr;
    if (!found)
        return false;
    found->onClick.code(found->onClick.object, found);
    return true;
}

std::vector<std::string> IdeHost::callsTo(const std::string& operation) const {
    std::vector<std::string> matching;
    for (const std::string& call : calls_)
        if (call.find('.' + operation + '(') != std::string::npos)
            matching.push_back(call);
    return matching;
}

std::int32_t IdeHost::outstandingReferences() const {
    std::int32_t outstanding = menu_->references;
    for (const auto& each : items_)
        outstanding += each->references;
    return outstanding;
}

} // namespace qw::plugin::test
