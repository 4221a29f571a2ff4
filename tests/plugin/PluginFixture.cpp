#include "PluginFixture.h"

#include <QCoreApplication>
#include <QVariant>

#include <fstream>
#include <sstream>

#include "plugin/PluginDialogs.h"

namespace qw::plugin::test {
namespace {

void writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "<missing>";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace

void notReplaced() {}

void PluginTest::SetUp() {
    startFolder_ = std::filesystem::current_path();
    ASSERT_TRUE(temporary_.isValid());
    root = temporary_.path().toStdString();
    schemaFolder = root / "schemas";
    sourceFolder = root / "sources";
    std::filesystem::create_directories(sourceFolder);
    const std::filesystem::path runtime = root / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString((root / "config").string()));
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.string()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    writeBytes(schemaFolder / "Test.cs", "x{ %FuncName% }\r\n");
    writeSettings({{"Path", schemaFolder.string() + "/"},
                   {"Name", "Test.cs"},
                   {"User", "Tester"},
                   {"Style", "2"},
                   {"SCut", std::to_string(kCtrlShiftB)},
                   {"CRef", "0"}});
    terminate = &notReplaced;
}

void PluginTest::TearDown() {
    unload();
    std::filesystem::current_path(startFolder_);
}

void PluginTest::load() {
    library = std::make_unique<LoadedLibrary>(QW_EXPERT_LIBRARY);
    ASSERT_TRUE(library->loaded()) << library->error();
    entry = reinterpret_cast<EntryPoint>(library->symbol("INITEXPERT0016"));
    ASSERT_NE(entry, nullptr);
}

bool PluginTest::initExpert(ide::ToolServices* services, QwExpertRegisterProc registerProc) {
    const bool registered = entry(services, registerProc, &terminate);
    if (QCoreApplication* application = QCoreApplication::instance())
        application->setProperty(
            kHostDialogsProperty,
            QVariant::fromValue(static_cast<void*>(static_cast<desktop::DialogLayer*>(&dialogs))));
    return registered;
}

bool PluginTest::loadAndInit() {
    load();
    if (!entry)
        return false;
    return initExpert(host.toolServices(), &IdeHost::registerExpert);
}

std::int32_t PluginTest::releaseExpert() {
    released = true;
    return host.expert->Release();
}

void PluginTest::unload() {
    if (!library)
        return;
    if (host.expert && !released)
        releaseExpert();
    library->close();
    library.reset();
    // A library that stayed loaded would carry its state into the next test.
    EXPECT_FALSE(LoadedLibrary::isLoaded(QW_EXPERT_LIBRARY)) << "the library was not unloaded";
}

std::filesystem::path PluginTest::settingsFile() const {
    return root / "config" / "Varnstead" / "Quillwright.conf";
}

void PluginTest::writeSettings(const std::vector<std::pair<std::string, std::string>>& values) {
    std::string text = "[Quillwright]\n";
    for (const auto& [name, value] : values)
        text += name + '=' + value + '\n';
    writeBytes(settingsFile(), text);
}

std::string PluginTest::readSettings() const {
    return readBytes(settingsFile());
}

std::string PluginTest::sourcePath(const std::string& name) const {
    return (sourceFolder / name).string();
}

void PluginTest::writeSource(const std::string& name, const std::string& bytes) const {
    writeBytes(sourceFolder / name, bytes);
}

std::string PluginTest::readSource(const std::string& name) const {
    return readBytes(sourceFolder / name);
}

bool PluginTest::sourceExists(const std::string& name) const {
    return std::filesystem::exists(sourceFolder / name);
}

void PluginTest::enterSourceFolder() const {
    std::filesystem::current_path(sourceFolder);
}

} // namespace qw::plugin::test
