#pragma once

#include <gtest/gtest.h>

#include <QDialog>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "HostDialogs.h"
#include "IdeHost.h"
#include "LoadedLibrary.h"
#include "plugin/IdeInterfaces.h"

namespace qw::plugin::test {

// Shortcut codes: virtual-key code + 8192 Shift, 16384 Ctrl, 32768 Alt.
inline constexpr std::int32_t kCtrlShiftB = 16384 + 8192 + 'B';
inline constexpr std::int32_t kCtrlAltB = 16384 + 32768 + 'B';

// One test of the plug-in as the IDE sees it: a fresh instance of the built
// library loaded into this process, the substitute IDE, a folder of the
// test's own with the user's settings (XDG_CONFIG_HOME), the schema library
// and the sources, and the dialogs answered from a script. The settings say
// that the hot key is Ctrl+Shift+B.
class PluginTest : public ::testing::Test {
protected:
    using EntryPoint = decltype(&INITEXPERT0016);

    void SetUp() override;
    void TearDown() override;

    // Loads the library and calls its entry point with the host's tool
    // services; true when the expert was registered. The host's dialogs are
    // put on the application object afterwards.
    bool loadAndInit();
    void load();
    bool initExpert(ide::ToolServices* services, QwExpertRegisterProc registerProc);
    // Releases the expert as the IDE does before it unloads the library.
    std::int32_t releaseExpert();
    // Releases the expert when the test did not, and unloads the library
    // (whose end saves the settings).
    void unload();

    // The settings file, written before the library starts.
    std::filesystem::path settingsFile() const;
    void writeSettings(const std::vector<std::pair<std::string, std::string>>& values);
    std::string readSettings() const;

    std::string sourcePath(const std::string& name) const;
    void writeSource(const std::string& name, const std::string& bytes) const;
    std::string readSource(const std::string& name) const;
    bool sourceExists(const std::string& name) const;

    // Moves the process into the source folder, where a project walk looks
    // for its units.
    void enterSourceFolder() const;

    std::filesystem::path root;
    std::filesystem::path schemaFolder;
    std::filesystem::path sourceFolder;
    IdeHost host;
    HostDialogs dialogs;
    std::unique_ptr<LoadedLibrary> library;
    EntryPoint entry = nullptr;
    QwExpertTerminateProc terminate = nullptr;
    bool released = false;

private:
    QTemporaryDir temporary_;
    std::filesystem::path startFolder_;
};

// A child of a window, found by its object name; fails the test when missing.
template <typename Widget> Widget* childOf(QWidget& window, const char* name) {
    auto* child = window.findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << "no " << name << " in " << window.metaObject()->className();
    return child;
}

// A terminate procedure that the entry point is to replace by none.
void notReplaced();

// Sources for the commands.
inline constexpr const char* kUnitWithRoutine = "unit Unit1;\r\n"
                                                "interface\r\n"
                                                "procedure Foo;\r\n"
                                                "implementation\r\n"
                                                "procedure Foo;\r\n"
                                                "begin\r\n"
                                                "end;\r\n"
                                                "end.\r\n";

} // namespace qw::plugin::test
