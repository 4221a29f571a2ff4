#pragma once

namespace qw {
class FileSystem;
}

namespace qw::desktop {

class DialogLayer;
class ProgramLauncher;
class SchemaPictures;
class TextEditor;

// What the windows need of the program, handed in by whoever creates them:
// the real dialogs, processes and files, or a test's stand-ins.
struct WindowServices {
    DialogLayer& dialogs;
    ProgramLauncher& launcher;
    const TextEditor& editor;
    FileSystem& files;
    const SchemaPictures& pictures;
};

} // namespace qw::desktop
