// The desktop program's Parse from the click to the result window shown, on
// a generated unit of 100,000 lines: the progress window, the pass with its
// per-line step, and the result window, as the main window runs them. Then
// how soon Abort stops the same pass. Prints the figures; run it under any Qt
// platform (QT_QPA_PLATFORM=offscreen when there is no display).
//
//   parse_bench [SCHEMA.cs [UNIT]]    UNIT: where the unit is written (and kept)

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#include "BigUnit.h"
#include "app/dialogs/QtDialogLayer.h"
#include "app/dialogs/RunAndWait.h"
#include "app/dialogs/SchemaPictures.h"
#include "app/dialogs/TFrmProgress.h"
#include "app/dialogs/TextEditorCommand.h"
#include "app/dialogs/WindowDriverUi.h"
#include "app/dialogs/WindowServices.h"
#include "drivers/Drivers.h"
#include "platform/FileSystem.h"
#include "schema/SchemaFile.h"

namespace {

// Shows the result window, lets it be laid out and painted, and closes it at
// once; answers every question with Yes and notes when it came.
class TimedDialogs final : public qw::desktop::DialogLayer {
public:
    explicit TimedDialogs(QElapsedTimer& timer) : timer_(timer) {}
    qw::Button ask(QWidget*, const qw::Message& message) override {
        askedAt = timer_.nsecsElapsed();
        return std::find(message.buttons.begin(), message.buttons.end(), qw::Button::No) !=
                       message.buttons.end()
                   ? qw::Button::No
                   : message.buttons.front();
    }
    std::optional<QString> askText(QWidget*, const QString&, const QString&,
                                   const QString&) override {
        return std::nullopt;
    }
    void showError(QWidget*, const QString&, const QString&) override {}
    int showModal(QDialog& dialog) override {
        dialog.show();
        QCoreApplication::processEvents(); // laid out and painted
        shownAt = timer_.nsecsElapsed();
        dialog.hide();
        return 0;
    }
    void showHelp(QWidget*) override {}

    qint64 askedAt = -1;
    qint64 shownAt = -1;

private:
    QElapsedTimer& timer_;
};

std::string readAll(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    constexpr int kLines = 100000;
    QTemporaryDir folder;
    const std::string path =
        argc > 2 ? argv[2] : folder.filePath(QStringLiteral("Big.pas")).toStdString();
    std::ofstream(path, std::ios::binary) << bigUnit(kLines);

    qw::PassOptions options;
    options.style = qw::EndCommentStyle::Brace;
    if (argc > 1 && *argv[1])
        options.schema = qw::loadSchema(readAll(argv[1]));
    QElapsedTimer timer;
    TimedDialogs dialogs(timer);
    qw::desktop::SchemaPictures pictures;
    qw::desktop::TextEditor editor;
    const qw::desktop::WindowServices services{dialogs, qw::desktop::processLauncher(), editor,
                                               qw::realFileSystem(), pictures};
    qw::desktop::WindowDriverUi ui(services, nullptr);
    qw::Drivers drivers(ui, options);

    std::vector<double> runs;
    for (int run = 0; run < 3; ++run) {
        std::int32_t count = 0;
        timer.start();
        drivers.commentFile(path, qw::Interaction::ShowResult, count);
        runs.push_back(static_cast<double>(dialogs.shownAt) / 1e6);
    }
    std::sort(runs.begin(), runs.end());
    std::printf("Parse: %d lines, to the result window shown in %.0f ms (median of %zu, fastest "
                "%.0f ms, slowest %.0f ms)\n",
                kLines, runs[runs.size() / 2], runs.size(), runs.front(), runs.back());

    // Abort clicked while the pass runs: the time from the click until the
    // pass has stopped and the driver asks whether to show the partial result.
    // A unit ten times as long keeps the pass running when the click comes.
    const std::string longPath = folder.filePath(QStringLiteral("Long.pas")).toStdString();
    std::ofstream(longPath, std::ios::binary) << bigUnit(10 * kLines);
    std::vector<double> stops;
    for (int run = 0; run < 3; ++run) {
        qint64 clickedAt = -1;
        QTimer::singleShot(30, [&] {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<qw::desktop::TFrmProgress*>(w)) {
                    clickedAt = timer.nsecsElapsed();
                    progress->BtnAbort->click();
                }
        });
        std::int32_t count = 0;
        dialogs.askedAt = -1;
        timer.start();
        drivers.commentFile(longPath, qw::Interaction::ShowResult, count);
        if (clickedAt < 0 || dialogs.askedAt < clickedAt) {
            std::printf("Abort: the pass ended before the click (%.0f ms)\n",
                        static_cast<double>(timer.nsecsElapsed()) / 1e6);
            continue;
        }
        stops.push_back(static_cast<double>(dialogs.askedAt - clickedAt) / 1e6);
    }
    if (!stops.empty()) {
        std::sort(stops.begin(), stops.end());
        std::printf("Abort: the pass stopped %.1f ms after the click (slowest of %zu; at most "
                    "100 ms wanted)\n",
                    stops.back(), stops.size());
    }
    return 0;
}
