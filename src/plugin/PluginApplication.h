#pragma once

#include <memory>

class QApplication;

namespace qw::plugin {

// The Qt application object the library's windows need. The IDE that loads
// the library runs no Qt of its own, so the library makes the application
// when the process has none, and destroys it again when the library ends; a
// host that has one of its own keeps it. The IDE's own message loop drives
// the windows only while a command of the library runs: modal windows and the
// progress window's per-line step handle their events themselves.
class PluginApplication {
public:
    PluginApplication();
    ~PluginApplication();
    PluginApplication(const PluginApplication&) = delete;
    PluginApplication& operator=(const PluginApplication&) = delete;

    // Whether windows can be shown: false when the process already has an
    // application object without widgets (a QCoreApplication).
    bool hasWidgets() const;
    // Whether the application object is the library's own.
    bool ownsApplication() const { return owned_ != nullptr; }

private:
    // QApplication keeps references to its arguments for its whole life.
    int argc_ = 1;
    char name_[18] = "QuillwrightExpert";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> owned_;
};

} // namespace qw::plugin
