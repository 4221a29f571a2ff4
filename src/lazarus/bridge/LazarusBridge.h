#pragma once

// The flat C interface between the Lazarus IDE package and the plug-in
// library QuillwrightExpert: the package hands over what the IDE can do as
// plain functions, the bridge turns them into the tool services, main menu
// and menu items the plug-in expects, loads the library and calls its entry
// point. All calls come from the IDE's user-interface thread.

#include <cstdint>

extern "C" {

// A menu item of the IDE, as the package knows it.
typedef void* QwLazarusItem;

struct QwLazarusHost {
    // Saves the editor's text of that file; nonzero when it is on disk.
    std::int32_t (*saveFile)(const char* fileName);
    // The editor shows the file as it is now on disk.
    void (*reloadFile)(const char* fileName);
    // The X window of the IDE's main window (0: none).
    std::uintptr_t (*parentHandle)(void);
    // The file of the active source editor into the buffer, as the plug-in's
    // string results: the full length is returned, at most size - 1 bytes
    // and a NUL written.
    std::int32_t (*currentFile)(char* buffer, std::int32_t size);
    // The item after which experts put their menu (the gallery item of the
    // plug-in's IDE), its parent, and an item's index within its parent.
    QwLazarusItem (*anchorItem)(void);
    QwLazarusItem (*parentOf)(QwLazarusItem item);
    std::int32_t (*indexOf)(QwLazarusItem item);
    // Inserts an item into `parent` at `index`: a submenu when `clickable` is
    // zero, else a command; `tag` comes back to qw_lazarus_click.
    QwLazarusItem (*insertItem)(QwLazarusItem parent, std::int32_t index, const char* caption,
                                const char* name, std::int32_t shortCut, std::int32_t clickable,
                                void* tag);
    void (*destroyItem)(QwLazarusItem item);
    std::int32_t (*shortCutOf)(QwLazarusItem item);
    void (*setShortCut)(QwLazarusItem item, std::int32_t shortCut);
};

// Loads the plug-in library and calls its entry point with tool services
// over `host` (copied). Nonzero when the expert was registered; the message
// of a failure is written into `error`.
__attribute__((visibility("default"))) std::int32_t qw_lazarus_start(const char* expertLibrary,
                                                                     const QwLazarusHost* host,
                                                                     char* error,
                                                                     std::int32_t errorSize);
// The user chose the item inserted with `tag`.
__attribute__((visibility("default"))) void qw_lazarus_click(void* tag);

} // extern "C"
