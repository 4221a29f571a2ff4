// "&Setup": the setup dialog with its hot-key controls, the hot key of
// "&Comment!", and the settings from the library's start to its end.

#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include "PluginFixture.h"

namespace qw::plugin::test {
namespace {

using Calls = std::vector<std::string>;

QString keyText(QKeyCombination key) {
    return QKeySequence(key).toString(QKeySequence::NativeText);
}

// In the setup dialog: press Ctrl+Alt+B in the hot-key field, then the button.
HostDialogs::ModalAction pressCtrlAltBThen(const char* button) {
    return [button](QDialog& setup) {
        if (auto* field = childOf<QLineEdit>(setup, "HotKey1"))
            QTest::keyClick(field, Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);
        if (auto* pressed = childOf<QPushButton>(setup, button))
            pressed->click();
    };
}

TEST_F(PluginTest, SetupShowsTheHotKeyControlsWithTheKeyInForce) {
    ASSERT_TRUE(loadAndInit());
    host.item("QWDoItItem")->shortCut = kCtrlAltB; // the IDE's own key mapping changed it
    bool fieldShown = false;
    bool labelShown = false;
    QString shownKey;
    dialogs.modalActions.push_back([&](QDialog& setup) {
        if (auto* field = childOf<QLineEdit>(setup, "HotKey1")) {
            fieldShown = field->isVisible();
            shownKey = field->text();
        }
        if (auto* label = childOf<QLabel>(setup, "Label2"))
            labelShown = label->isVisible();
    });
    host.clearCalls();

    ASSERT_TRUE(host.click("QWSetupItem"));

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].className, "qw::desktop::TFrmSetup");
    EXPECT_TRUE(fieldShown);
    EXPECT_TRUE(labelShown);
    EXPECT_EQ(shownKey, keyText(Qt::ControlModifier | Qt::AltModifier | Qt::Key_B));
    EXPECT_EQ(host.calls(), (Calls{"QWDoItItem.GetShortCut()", "QWDoItItem.SetShortCut(49218)"}));
}

TEST_F(PluginTest, NewHotKeyFromSetupAnswersAtOnceAndIsSavedAtTheLibrarysEnd) {
    writeSource("Unit1.pas", kUnitWithRoutine);
    host.currentFile = sourcePath("Unit1.pas");
    ASSERT_TRUE(loadAndInit());
    dialogs.modalActions.push_back(pressCtrlAltBThen("Button1")); // Ok

    ASSERT_TRUE(host.click("QWSetupItem"));

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].result, QDialog::Accepted);
    EXPECT_EQ(host.item("QWDoItItem")->shortCut, kCtrlAltB);
    EXPECT_FALSE(host.pressKey(kCtrlShiftB));
    host.clearCalls();
    EXPECT_TRUE(host.pressKey(kCtrlAltB));
    EXPECT_EQ(host.callsTo("GetCurrentFile").size(), 1u);

    unload();
    EXPECT_NE(readSettings().find("SCut=49218"), std::string::npos) << readSettings();
}

TEST_F(PluginTest, CancelledSetupLeavesTheItemItsHotKey) {
    ASSERT_TRUE(loadAndInit());
    dialogs.modalActions.push_back(pressCtrlAltBThen("Button2")); // Cancel
    host.clearCalls();

    ASSERT_TRUE(host.click("QWSetupItem"));

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].result, QDialog::Rejected);
    EXPECT_EQ(host.calls(), (Calls{"QWDoItItem.GetShortCut()", "QWDoItItem.SetShortCut(24642)"}));
    EXPECT_EQ(host.item("QWDoItItem")->shortCut, kCtrlShiftB);
    EXPECT_FALSE(host.pressKey(kCtrlAltB));

    unload();
    EXPECT_NE(readSettings().find("SCut=24642"), std::string::npos) << readSettings();
}

TEST_F(PluginTest, SettingsChosenInSetupRuleTheNextCommand) {
    writeSource("Unit1.pas", kUnitWithRoutine);
    host.currentFile = sourcePath("Unit1.pas");
    ASSERT_TRUE(loadAndInit());
    std::vector<QString> results;
    const auto keepResult = [&](QDialog& result) {
        if (auto* text = childOf<QPlainTextEdit>(result, "Memo2"))
            results.push_back(text->toPlainText());
    };
    dialogs.modalActions.push_back(keepResult);
    dialogs.modalActions.push_back([](QDialog& setup) {
        if (auto* styles = childOf<QListWidget>(setup, "LBCStyle"))
            styles->setCurrentRow(1); // "// function"
        if (auto* ok = childOf<QPushButton>(setup, "Button1"))
            ok->click();
    });
    dialogs.modalActions.push_back(keepResult);

    ASSERT_TRUE(host.click("QWDoItItem"));
    ASSERT_TRUE(host.click("QWSetupItem"));
    ASSERT_TRUE(host.click("QWDoItItem"));

    ASSERT_EQ(results.size(), 2u);
    EXPECT_FALSE(results[0].contains(QStringLiteral("//"))) << results[0].toStdString();
    EXPECT_TRUE(results[1].contains(QStringLiteral("//"))) << results[1].toStdString();

    unload();
    EXPECT_NE(readSettings().find("Style=1"), std::string::npos) << readSettings();
}

} // namespace
} // namespace qw::plugin::test
