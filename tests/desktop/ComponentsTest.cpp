// The small parts: text encodings, shortcut codes and the hot-key field, the
// file drop, the launcher, the choice of text editor, and the title bars of
// the dialogs that have no buttons.

#include <QDropEvent>
#include <QFile>
#include <QKeyEvent>
#include <QMimeData>
#include <QUrl>

#include "DesktopTest.h"
#include "app/desktop/TFilesDrop.h"
#include "app/dialogs/HotKeyCode.h"
#include "app/dialogs/RunAndWait.h"
#include "app/dialogs/TFrmProgress.h"
#include "app/dialogs/TFrmSetup.h"
#include "app/dialogs/THotKey.h"
#include "app/dialogs/TextEditorCommand.h"
#include "app/dialogs/TextEncoding.h"

using namespace qw;
using namespace qw::desktop;
using namespace qw::desktop::test;

namespace {

void dropOn(QWidget& widget, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls << QUrl::fromLocalFile(path);
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &drop);
}

} // namespace

class ComponentsTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QW_VERIFY_NO_LEAKED_WINDOWS(); }

    // Neither asks for a button in its title bar, and a minimising (which
    // some window managers offer anyway) is taken back.
    void titleBarsWithoutButtons_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("setup") << "setup";
        QTest::newRow("progress") << "progress";
    }
    void titleBarsWithoutButtons() {
        QFETCH(QString, window);
        DesktopFixture fx;
        Settings settings;
        Schema schema;
        Progress progress;
        std::unique_ptr<QWidget> shown;
        if (window == QLatin1String("setup"))
            shown =
                std::make_unique<TFrmSetup>(fx.services, settings, schema, HotKeyControls::Hidden);
        else
            shown = std::make_unique<TFrmProgress>(progress);
        const Qt::WindowFlags flags = shown->windowFlags();
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowTitleHint));
        for (Qt::WindowType button : {Qt::WindowSystemMenuHint, Qt::WindowMinimizeButtonHint,
                                      Qt::WindowMaximizeButtonHint, Qt::WindowCloseButtonHint})
            QVERIFY(!flags.testFlag(button));
        shown->show();
        shown->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY(!shown->isMinimized());
        QVERIFY(shown->isVisible());
        shown->hide();
    }

    void encodingIsDetected_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding");
        QTest::newRow("ascii") << QByteArray("begin end;") << int(TextEncoding::Utf8);
        QTest::newRow("utf-8") << QByteArray("\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80")
                               << int(TextEncoding::Utf8);
        QTest::newRow("latin byte") << QByteArray("caf\xe9") << int(TextEncoding::Windows1252);
        QTest::newRow("overlong") << QByteArray("\xc0\xaf") << int(TextEncoding::Windows1252);
        QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << int(TextEncoding::Windows1252);
        QTest::newRow("cut sequence") << QByteArray("ab\xe2\x82") << int(TextEncoding::Windows1252);
        QTest::newRow("above U+10FFFF")
            << QByteArray("\xf4\x90\x80\x80") << int(TextEncoding::Windows1252);
    }
    void encodingIsDetected() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, encoding);
        QCOMPARE(int(detectEncoding(bytes.toStdString())), encoding);
    }

    void everyWindows1252ByteSurvivesTheRoundTrip() {
        std::string all;
        for (int b = 0; b < 256; ++b)
            all += static_cast<char>(b);
        const QString text = decodeText(all, TextEncoding::Windows1252);
        QCOMPARE(text.size(), qsizetype(256));
        QCOMPARE(text.at(0x80), QChar(0x20AC)); // the euro sign
        QCOMPARE(text.at(0x9F), QChar(0x0178));
        QCOMPARE(encodeText(text, TextEncoding::Windows1252), all);
        QCOMPARE(encodeText(QStringLiteral("\u0142\U0001F600"), TextEncoding::Windows1252),
                 std::string("??"));
    }

    void decodedLengthCountsUtf16Units() {
        QCOMPARE(decodedLength("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80", TextEncoding::Utf8), 5);
        QCOMPARE(decodedLength("a\xe9", TextEncoding::Windows1252), 2);
    }

    void shortcutCodes_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Ctrl+Alt+A")
            << 49217 << int(Qt::Key_A) << int(Qt::ControlModifier | Qt::AltModifier);
        QTest::newRow("Shift+F5") << (0x74 + 8192) << int(Qt::Key_F5) << int(Qt::ShiftModifier);
        QTest::newRow("Ctrl+Insert")
            << (0x2D + 16384) << int(Qt::Key_Insert) << int(Qt::ControlModifier);
        QTest::newRow("Alt+7") << ('7' + 32768) << int(Qt::Key_7) << int(Qt::AltModifier);
        QTest::newRow("Ctrl+Alt+Shift+Z")
            << ('Z' + 8192 + 16384 + 32768) << int(Qt::Key_Z)
            << int(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        QTest::newRow("Ctrl+;") << (0xBA + 16384) << int(Qt::Key_Semicolon)
                                << int(Qt::ControlModifier);
    }
    void shortcutCodes() {
        QFETCH(int, code);
        QFETCH(int, key);
        QFETCH(int, modifiers);
        const QKeyCombination combination{Qt::KeyboardModifiers(modifiers), Qt::Key(key)};
        QCOMPARE(shortcutCodeFromKey(combination), code);
        const auto back = keyFromShortcutCode(code);
        QVERIFY(back.has_value());
        QCOMPARE(back->toCombined(), combination.toCombined());
    }

    void codesWithoutAKey() {
        QVERIFY(!keyFromShortcutCode(0).has_value());
        QVERIFY(!keyFromShortcutCode(0xFF + 16384).has_value());
        QCOMPARE(shortcutCodeFromKey(QKeyCombination(Qt::ControlModifier, Qt::Key_Eacute)), 0);
    }

    void hotKeyFieldTakesCtrlAltForAKeyAlone_data() {
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("code");
        QTest::newRow("alone") << int(Qt::NoModifier) << 'B' + 16384 + 32768;
        QTest::newRow("Shift only") << int(Qt::ShiftModifier) << 'B' + 16384 + 32768;
        QTest::newRow("Ctrl") << int(Qt::ControlModifier) << 'B' + 16384;
        QTest::newRow("Shift+Alt")
            << int(Qt::ShiftModifier | Qt::AltModifier) << 'B' + 8192 + 32768;
    }
    void hotKeyFieldTakesCtrlAltForAKeyAlone() {
        QFETCH(int, modifiers);
        QFETCH(int, code);
        THotKey field;
        field.setHotKey(49217);
        QTest::keyClick(&field, Qt::Key_B, Qt::KeyboardModifiers(modifiers));
        QCOMPARE(field.hotKey(), code);
        QTest::keyClick(&field, Qt::Key_Control,
                        Qt::ControlModifier); // a modifier alone changes nothing
        QCOMPARE(field.hotKey(), code);
    }

    void hotKeyFieldTakesTheDialogsAccessKeys() {
        // A key the field accepts in the shortcut check is its own: Alt+O
        // becomes a hot key instead of pressing the dialog's "&Ok".
        THotKey field;
        auto overridden = [&](Qt::Key key, Qt::KeyboardModifiers modifiers) {
            QKeyEvent probe(QEvent::ShortcutOverride, key, modifiers);
            probe.ignore();
            QCoreApplication::sendEvent(&field, &probe);
            return probe.isAccepted();
        };
        QVERIFY(overridden(Qt::Key_O, Qt::AltModifier));
        QVERIFY(overridden(Qt::Key_S, Qt::ControlModifier));
        QVERIFY(!overridden(Qt::Key_Tab, Qt::NoModifier)); // Tab still moves on
        QTest::keyClick(&field, Qt::Key_O, Qt::AltModifier);
        QCOMPARE(field.hotKey(), 'O' + 32768);
    }

    void dropCollectsOnlyWhileActive() {
        DesktopFixture fx;
        QWidget owner;
        TFilesDrop drop(&owner);
        int raised = 0;
        drop.OnDropFile = [&](TFilesDrop* sender) {
            QCOMPARE(sender, &drop);
            ++raised;
        };
        QVERIFY(!owner.acceptDrops());
        dropOn(owner, {fx.file("a.pas")});
        QCOMPARE(raised, 0);
        QCOMPARE(drop.DroppedCount, 0);

        drop.setActive(true);
        QVERIFY(owner.acceptDrops());
        const QString longName = fx.file(QString(300, u'n') + QStringLiteral(".pas"));
        dropOn(owner, {fx.file("a.pas"), fx.file("b c.pas"), longName});
        QCOMPARE(raised, 1);
        QCOMPARE(drop.DroppedCount, 3);
        QCOMPARE(drop.DroppedFiles, (QStringList{fx.file("a.pas"), fx.file("b c.pas"), longName}));

        dropOn(owner, {fx.file("z.inc")}); // replaces the last drop
        QCOMPARE(drop.DroppedCount, 1);
        QCOMPARE(drop.DroppedFiles, QStringList{fx.file("z.inc")});

        drop.setActive(false);
        dropOn(owner, {fx.file("q.pas")});
        QCOMPARE(raised, 2);
        QCOMPARE(drop.DroppedFiles, QStringList{fx.file("z.inc")});
    }

    void runAndWaitWaitsOrNot() {
        DesktopFixture fx;
        const QString marker = fx.file("done");
        const Command slow{QStringLiteral("/bin/sh"),
                           {QStringLiteral("-c"), QStringLiteral("sleep 0.2; : > \"$0\""), marker}};
        QVERIFY(RunAndWait(slow, ShowWindow::Normal, -1)); // waits without limit
        QVERIFY(QFile::exists(marker));
        QFile::remove(marker);

        const Command slower{QStringLiteral("/bin/sh"),
                             {QStringLiteral("-c"), QStringLiteral("sleep 2; : > \"$0\""), marker}};
        QVERIFY(RunAndWait(slower, ShowWindow::Normal, 0)); // starts it and returns
        QVERIFY(!QFile::exists(marker));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000); // it kept running

        // What cannot be started returns at once and says so.
        QVERIFY(!RunAndWait(Command{fx.file("no-such-program"), {}}, ShowWindow::Normal, -1));
        QVERIFY(!RunAndWait(Command{}, ShowWindow::Normal, -1));
    }

    // Rows: what is on the search path, $VISUAL, $EDITOR, the desktop entry
    // of the default application for plain text, whether the caller waits,
    // the file, and the command made (empty: none).
    void textEditorCommands_data() {
        QTest::addColumn<QStringList>("onPath");
        QTest::addColumn<QString>("visual");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("wait");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("command");
        const QString gedit = "[Desktop Entry]\nName=Text Editor\nExec=gedit %U\nTerminal=false\n"
                              "[Desktop Action new-window]\nExec=gedit --new-window\n";
        QTest::newRow("gedit waits")
            << QStringList{"gedit", "kate"} << ""
            << ""
            << "" << true << "/s/A b.cs" << QStringList{"/bin/gedit", "--wait", "/s/A b.cs"};
        QTest::newRow("kate blocks")
            << QStringList{"kate", "leafpad"} << ""
            << ""
            << "" << true << "/s/x.cs" << QStringList{"/bin/kate", "--block", "/s/x.cs"};
        QTest::newRow("mousepad") << QStringList{"mousepad"} << ""
                                  << ""
                                  << "" << true << "/s/x.cs"
                                  << QStringList{"/bin/mousepad", "--disable-server", "/s/x.cs"};
        QTest::newRow("leafpad has no option")
            << QStringList{"leafpad"} << ""
            << ""
            << "" << true << "/s/x.cs" << QStringList{"/bin/leafpad", "/s/x.cs"};
        QTest::newRow("no wait asked")
            << QStringList{"gedit"} << ""
            << ""
            << "" << false << "unit1.pas" << QStringList{"/bin/gedit", "unit1.pas"};
        QTest::newRow("name like an option")
            << QStringList{"gedit"} << ""
            << ""
            << "" << false << "-x.pas" << QStringList{"/bin/gedit", "./-x.pas"};
        QTest::newRow("none found") << QStringList{} << ""
                                    << ""
                                    << "" << true << "/s/x.cs" << QStringList{};
        // The desktop's default application comes first.
        QTest::newRow("default gedit waits")
            << QStringList{"gedit", "kate"} << "vi"
            << "" << gedit << true << "/s/x.cs" << QStringList{"/bin/gedit", "--wait", "/s/x.cs"};
        QTest::newRow("default, no wait")
            << QStringList{"gedit"} << ""
            << "" << gedit << false << "-x.pas" << QStringList{"/bin/gedit", "./-x.pas"};
        QTest::newRow("default without field code")
            << QStringList{"pluma"} << ""
            << ""
            << "[Desktop Entry]\nExec=pluma\n"
            << true << "/s/x.cs" << QStringList{"/bin/pluma", "/s/x.cs"};
        QTest::newRow("default's field codes")
            << QStringList{"ed1"} << ""
            << ""
            << "[Desktop Entry]\nExec = ed1 %i --title=%c --at=100%% %f %F\n"
            << true << "/s/x.cs" << QStringList{"/bin/ed1", "--title=", "--at=100%", "/s/x.cs"};
        QTest::newRow("default quoted with blanks")
            << QStringList{"/opt/My Editor/ed"} << ""
            << ""
            << "[Desktop Entry]\nExec=\"/opt/My Editor/ed\" \"--say=\\\\\"hi\\\\\"\" %u\n"
            << true << "/s/x.cs" << QStringList{"/opt/My Editor/ed", "--say=\"hi\"", "/s/x.cs"};
        QTest::newRow("default in a terminal")
            << QStringList{"vim", "x-terminal-emulator", "gedit"} << ""
            << ""
            << "[Desktop Entry]\nExec=vim %F\nTerminal=true\n"
            << true << "/s/x.cs" << QStringList{"/bin/x-terminal-emulator", "-e", "vim", "/s/x.cs"};
        QTest::newRow("default not installed")
            << QStringList{"leafpad"} << ""
            << ""
            << "[Desktop Entry]\nExec=gone %U\n"
            << true << "/s/x.cs" << QStringList{"/bin/leafpad", "/s/x.cs"};
        QTest::newRow("default with an open quote")
            << QStringList{"gedit"} << ""
            << ""
            << "[Desktop Entry]\nExec=\"gedit %U\n"
            << false << "/s/x.cs" << QStringList{"/bin/gedit", "/s/x.cs"};
        // Then $VISUAL and $EDITOR, a terminal editor in a terminal window.
        QTest::newRow("VISUAL in a terminal")
            << QStringList{"nano", "x-terminal-emulator", "gedit"} << "nano"
            << ""
            << "" << true << "/s/x.cs"
            << QStringList{"/bin/x-terminal-emulator", "-e", "nano", "/s/x.cs"};
        QTest::newRow("VISUAL before EDITOR")
            << QStringList{"vim", "nano", "xterm"} << "vim"
            << "nano"
            << "" << true << "/s/x.cs" << QStringList{"/bin/xterm", "-e", "vim", "/s/x.cs"};
        QTest::newRow("EDITOR with its arguments")
            << QStringList{"vim", "xterm"} << ""
            << "vim -u \"my vimrc\""
            << "" << true << "/s/x.cs"
            << QStringList{"/bin/xterm", "-e", "vim", "-u", "my vimrc", "/s/x.cs"};
        QTest::newRow("VISUAL a desktop editor")
            << QStringList{"code", "xterm"} << "code --wait"
            << ""
            << "" << true << "/s/x.cs" << QStringList{"/bin/code", "--wait", "/s/x.cs"};
        QTest::newRow("VISUAL gvim stays")
            << QStringList{"gvim"} << "gvim"
            << ""
            << "" << true << "/s/x.cs" << QStringList{"/bin/gvim", "--nofork", "/s/x.cs"};
        QTest::newRow("no terminal for vi")
            << QStringList{"vi", "kate"} << "vi"
            << ""
            << "" << true << "/s/x.cs" << QStringList{"/bin/kate", "--block", "/s/x.cs"};
        QTest::newRow("VISUAL not installed")
            << QStringList{"nano", "xterm"} << "micro"
            << "nano"
            << "" << true << "/s/x.cs" << QStringList{"/bin/xterm", "-e", "nano", "/s/x.cs"};
    }
    void textEditorCommands() {
        QFETCH(QStringList, onPath);
        QFETCH(QString, visual);
        QFETCH(QString, editor);
        QFETCH(QString, entry);
        QFETCH(bool, wait);
        QFETCH(QString, file);
        QFETCH(QStringList, command);
        const TextEditor textEditor(EditorLookup{
            [&](const QString& name) {
                if (!onPath.contains(name))
                    return QString();
                return name.startsWith(u'/') ? name : QStringLiteral("/bin/") + name;
            },
            [&](const char* name) {
                return QLatin1String(name) == QLatin1String("VISUAL") ? visual : editor;
            },
            [&] {
                return entry.toUtf8();
            }});
        const Command made =
            textEditor.command(file, wait ? EditorWait::UntilClosed : EditorWait::No);
        QStringList got;
        if (!made.empty())
            got << made.program << made.arguments;
        QCOMPARE(got, command);
    }
};

QW_DESKTOP_TEST_MAIN(ComponentsTest)
#include "ComponentsTest.moc"
