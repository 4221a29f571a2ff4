#pragma once

// The binary interface between the IDE and the plug-in library: the objects
// the IDE hands to the library (tool services, main menu, menu items), the
// expert object the library hands back, and the entry point. Both sides
// include this one header.
//
// Every object is a C++ class with virtual operations only, single
// inheritance, no virtual destructor among them: an operation's position in
// the object's table of operations is its place in declaration order,
// counting from 0 and including the three reference operations. Positions the
// plug-in does not use are held by placeholders, so that every operation sits
// where the expert interface has it. Objects end through Release, never
// through delete.
//
// Nothing crosses that needs an allocator shared by the two sides:
// - a string argument is a NUL-terminated byte string owned by the caller and
//   read during the call only;
// - a string result is copied into a buffer that the caller owns: the caller
//   passes the buffer and its size in bytes, the callee writes at most
//   size - 1 bytes and a NUL, and returns the full length of the string
//   without the NUL (a result of `size` or more means the buffer was too small
//   and the string was cut; call again with a larger one);
// - a click handler is a plain function with an object pointer beside it.
//
// Strings are bytes in the platform's narrow encoding (the ANSI code page on
// Windows, UTF-8 elsewhere). All calls come from the IDE's user-interface
// thread.

#include <cstdint>

// The library exports its entry point; a host that includes this header
// finds it with the platform's loader.
#if !defined(QW_EXPERT_LIBRARY_BUILD)
#define QW_EXPERT_EXPORT
#elif defined(_WIN32)
#define QW_EXPERT_EXPORT __declspec(dllexport)
#else
#define QW_EXPERT_EXPORT __attribute__((visibility("default")))
#endif

namespace qw::ide {

class MenuItem;

// The reference operations every object starts with (positions 0 to 2).
class Interface {
public:
    virtual std::int32_t AddRef() = 0;     // 0: the new count
    virtual std::int32_t Release() = 0;    // 1: the new count; at 0 the object is gone
    virtual std::int32_t GetVersion() = 0; // 2

protected:
    ~Interface() = default;
};

// A menu item's flags.
enum MenuFlag : std::uint32_t {
    MenuFlagEnabled = 1u << 0,
    MenuFlagVisible = 1u << 1,
};

// The click handler of a menu item: `code(object, item)`, where `item` is the
// item clicked. Null code: the item has no handler.
struct MenuClickHandler {
    void (*code)(void* object, MenuItem* sender);
    void* object;
};

// An item of the IDE's menu. An object the IDE hands out stays valid until
// its user releases it, also after DestroyMenuItem took the item off the
// menu.
class MenuItem : public Interface {
public:
    // 3: removes the item, with its children, from the menu; for items that
    // the plug-in inserted.
    virtual void DestroyMenuItem() = 0;
    // 4: the item's index within its parent.
    virtual std::int32_t GetIndex() = 0;
    virtual void unused5() {}
    virtual void unused6() {}
    virtual void unused7() {}
    // 8: the item's parent, or null; the caller releases it.
    virtual MenuItem* GetParent() = 0;
    virtual void unused9() {}
    virtual void unused10() {}
    // 11: the item's shortcut code (virtual-key code + 8192 Shift, 16384
    // Ctrl, 32768 Alt).
    virtual std::int32_t GetShortCut() = 0;
    // 12: the result is not looked at.
    virtual bool SetShortCut(std::int32_t shortCut) = 0;
    virtual void unused13() {}
    virtual void unused14() {}
    virtual void unused15() {}
    virtual void unused16() {}
    virtual void unused17() {}
    virtual void unused18() {}
    virtual void unused19() {}
    virtual void unused20() {}
    virtual void unused21() {}
    virtual void unused22() {}
    // 23: inserts a new child at `index` and hands it out (the caller
    // releases it), or null when the IDE could not insert it. `flags` is a
    // combination of MenuFlag values.
    virtual MenuItem* InsertItem(std::int32_t index, const char* caption, const char* name,
                                 const char* hint, std::int32_t shortCut, std::int32_t helpContext,
                                 std::int32_t groupIndex, std::uint32_t flags,
                                 MenuClickHandler onClick) = 0;

protected:
    ~MenuItem() = default;
};

// The IDE's main menu.
class MainMenu : public Interface {
public:
    virtual void unused3() {}
    // 4: the item of that name anywhere in the menu, or null; the caller
    // releases it.
    virtual MenuItem* FindMenuItem(const char* name) = 0;

protected:
    ~MainMenu() = default;
};

// The IDE's services for experts. The object lives as long as the library is
// loaded; the library does not release it.
class ToolServices : public Interface {
public:
    virtual void unused3() {}
    virtual void unused4() {}
    virtual void unused5() {}
    virtual void unused6() {}
    virtual void unused7() {}
    // 8: saves the editor's text of that file; true when it is on disk.
    virtual bool SaveFile(const char* fileName) = 0;
    virtual void unused9() {}
    // 10: the editor shows the file as it is now on disk; the result is not
    // looked at.
    virtual bool ReloadFile(const char* fileName) = 0;
    virtual void unused11() {}
    virtual void unused12() {}
    virtual void unused13() {}
    // 14: the handle of the IDE's main window (0: none).
    virtual std::uintptr_t GetParentHandle() = 0;
    virtual void unused15() {}
    virtual void unused16() {}
    virtual void unused17() {}
    virtual void unused18() {}
    virtual void unused19() {}
    virtual void unused20() {}
    // 21: the full path of the file that has the focus in the editor, into
    // the caller's buffer (see above).
    virtual std::int32_t GetCurrentFile(char* buffer, std::int32_t size) = 0;
    virtual void unused22() {}
    virtual void unused23() {}
    virtual void unused24() {}
    virtual void unused25() {}
    virtual void unused26() {}
    virtual void unused27() {}
    virtual void unused28() {}
    virtual void unused29() {}
    virtual void unused30() {}
    virtual void unused31() {}
    virtual void unused32() {}
    // 33: the main menu, or null; the caller releases it.
    virtual MainMenu* GetMainMenu() = 0;

protected:
    ~ToolServices() = default;
};

// The expert's style: an add-in expert manages its own menu items.
inline constexpr std::int32_t kExpertStyleAddIn = 3;
// The expert's state: a set of which "enabled" is the value 1.
inline constexpr std::uint32_t kExpertStateEnabled = 1;

// The expert object the library registers with the IDE.
class Expert : public Interface {
public:
    virtual std::int32_t GetName(char* buffer, std::int32_t size) = 0;    // 3
    virtual std::int32_t GetAuthor(char* buffer, std::int32_t size) = 0;  // 4
    virtual std::int32_t GetComment(char* buffer, std::int32_t size) = 0; // 5
    virtual std::int32_t GetPage(char* buffer, std::int32_t size) = 0;    // 6
    virtual std::uintptr_t GetGlyph() = 0; // 7: an icon handle, 0: none
    virtual std::int32_t GetStyle() = 0;   // 8
    virtual std::uint32_t GetState() = 0;  // 9
    virtual std::int32_t GetIDString(char* buffer, std::int32_t size) = 0; // 10
    virtual std::int32_t GetMenuText(char* buffer, std::int32_t size) = 0; // 11
    virtual void Execute() = 0;                                            // 12

protected:
    ~Expert() = default;
};

} // namespace qw::ide

extern "C" {

// The IDE's procedure that registers an expert object; its result is not
// looked at.
typedef bool (*QwExpertRegisterProc)(qw::ide::Expert* expert);
// A procedure the IDE calls before it unloads the library.
typedef void (*QwExpertTerminateProc)(void);

// The library's entry point, called by the IDE once after loading it: creates
// the expert with its menu and registers it. `terminate` receives the
// library's terminate procedure (none). True when the expert was registered.
QW_EXPERT_EXPORT bool INITEXPERT0016(qw::ide::ToolServices* toolServices,
                                     QwExpertRegisterProc registerProc,
                                     QwExpertTerminateProc* terminate);

} // extern "C"
