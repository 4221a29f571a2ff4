#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugin/IdeInterfaces.h"

namespace qw::plugin::test {

class IdeHost;

// An item of the substitute IDE's menu. The host keeps every item until it
// ends, also after DestroyMenuItem took it off the menu, so that the uses the
// plug-in was handed stay valid until it releases them.
class HostMenuItem final : public ide::MenuItem {
public:
    HostMenuItem(IdeHost& host, std::string name, std::string caption);

    std::int32_t AddRef() override;
    std::int32_t Release() override;
    std::int32_t GetVersion() override;
    void DestroyMenuItem() override;
    std::int32_t GetIndex() override;
    ide::MenuItem* GetParent() override;
    std::int32_t GetShortCut() override;
    bool SetShortCut(std::int32_t shortCut) override;
    ide::MenuItem* InsertItem(std::int32_t index, const char* caption, const char* name,
                              const char* hint, std::int32_t shortCut, std::int32_t helpContext,
                              std::int32_t groupIndex, std::uint32_t flags,
                              ide::MenuClickHandler onClick) override;

    // Where the item stands: on the menu, or taken off it.
    bool onMenu() const;
    std::vector<std::string> childNames() const;

    std::string name;
    std::string caption;
    std::string hint;
    std::int32_t shortCut = 0;
    std::int32_t helpContext = 0;
    std::int32_t groupIndex = 0;
    std::uint32_t flags = ide::MenuFlagEnabled | ide::MenuFlagVisible;
    ide::MenuClickHandler onClick{nullptr, nullptr};
    HostMenuItem* parent = nullptr;
    std::vector<HostMenuItem*> children;
    bool destroyed = false;
    // Uses handed out and not yet released.
    std::int32_t references = 0;

private:
    friend class IdeHost;
    HostMenuItem* handOut();
    IdeHost& host_;
};

// A stand-in for the IDE: tool services over a main menu that holds a File
// menu and a Tools menu with "ToolsOptionsItem", "ToolsGalleryItem" and
// "ToolsToolsItem". It records every call the plug-in makes, in the form
// "Object.Operation(arguments)", and lets a test click the items and press
// their shortcuts as the IDE would.
class IdeHost {
public:
    IdeHost();
    ~IdeHost();
    IdeHost(const IdeHost&) = delete;
    IdeHost& operator=(const IdeHost&) = delete;

    ide::ToolServices* toolServices();
    // The IDE's register procedure; it registers with the current host: the
    // one made last, or made current since.
    static bool registerExpert(ide::Expert* expert);
    void makeCurrent();

    // --- What the IDE answers ---
    bool offerMainMenu = true;       // GetMainMenu gives the main menu, else null
    std::string currentFile;         // GetCurrentFile
    bool saveSucceeds = true;        // SaveFile
    std::uintptr_t parentHandle = 0; // GetParentHandle
    int failInsertion = 0;           // the n-th InsertItem (from 1) gives null; 0: none
    // Takes the gallery item off the menu, or only its parent from it.
    void removeGalleryItem();
    void orphanGalleryItem();

    // --- What a test does as the user ---
    // Clicks the item of that name on the menu; false when there is no such
    // item or it has no click handler.
    bool click(const std::string& name);
    // Presses a shortcut: the first enabled item on the menu with that
    // shortcut and a handler is clicked. False when no item answers.
    bool pressKey(std::int32_t shortCut);

    // --- What a test looks at ---
    // The item of that name on the menu; null when there is none.
    HostMenuItem* item(const std::string& name) const;
    std::vector<std::string> childNames(const std::string& name) const;
    // Every call so far, in order; clearCalls starts a new record.
    const std::vector<std::string>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    std::vector<std::string> callsTo(const std::string& operation) const;
    // Uses of the main menu and the items that the plug-in was handed and did
    // not release (negative when it released more than it was handed).
    std::int32_t outstandingReferences() const;

    ide::Expert* expert = nullptr; // the registered expert
    int registrations = 0;

    void record(std::string call) { calls_.push_back(std::move(call)); }
    HostMenuItem* newItem(std::string name, std::string caption);

private:
    friend class HostMenuItem;
    class Services;
    class Menu;

    std::vector<std::unique_ptr<HostMenuItem>> items_;
    std::unique_ptr<Services> services_;
    std::unique_ptr<Menu> menu_;
    HostMenuItem* root_ = nullptr; // the menu bar
    std::vector<std::string> calls_;
    int insertions_ = 0;
};

// "no handler" or "handler(object)" for a click handler in a call record.
std::string describeHandler(const ide::MenuClickHandler& handler);

} // namespace qw::plugin::test
