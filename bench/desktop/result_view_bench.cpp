// How long the result window takes to show a result of 100,000 lines: the
// text decoded, the inserted comments formatted, the window shown and
// painted. Prints the figure; run it under any Qt platform
// (QT_QPA_PLATFORM=offscreen when there is no display).

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BigUnit.h"
#include "app/dialogs/QtDialogLayer.h"
#include "app/dialogs/RunAndWait.h"
#include "app/dialogs/SchemaPictures.h"
#include "app/dialogs/TFrmResult.h"
#include "app/dialogs/TextEditorCommand.h"
#include "drivers/ResultDocument.h"
#include "engine/SourcePass.h"
#include "platform/FileSystem.h"

namespace {

class SilentHost final : public qw::PassHost {
public:
    qw::Button ask(const qw::Message&) override { return qw::Button::Ignore; }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    constexpr int kLines = 100000;
    qw::ResultDocument document;
    {
        qw::PassOptions options;
        SilentHost host;
        qw::Progress progress;
        qw::SourcePass pass(options, host, progress);
        pass.runText("Big.pas", bigUnit(kLines), document.editor);
        document.commentCount = progress.commentCount;
    }
    document.title = "/tmp/Big.pas";

    qw::desktop::SchemaPictures pictures;
    qw::desktop::QtDialogLayer dialogs;
    qw::desktop::TextEditor editor;
    const qw::desktop::WindowServices services{dialogs, qw::desktop::processLauncher(), editor,
                                               qw::realFileSystem(), pictures};
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        qw::desktop::TFrmResult window(services);
        window.LoadDocument(document);
        window.show();
        QCoreApplication::processEvents(); // laid out and painted
        runs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        window.hide();
    }
    std::sort(runs.begin(), runs.end());
    std::printf("result window: %d lines, %zu comment marks: shown in %.0f ms (median of %zu, "
                "fastest %.0f ms, slowest %.0f ms)\n",
                document.editor.count(), document.editor.marks().size(), runs[runs.size() / 2],
                runs.size(), runs.front(), runs.back());
    return 0;
}
