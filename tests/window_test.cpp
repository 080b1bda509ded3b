// The real window offscreen: start-up, the modes, the run host's reading of the controls, Exit.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "ModalAnswers.h"
#include "TempFolder.h"
#include "app/WindowRunHost.h"
#include "app/frmMain.h"

using lw::test::ModalAnswers;
using lw::test::Press;
using lw::test::SeenBox;

namespace {

// A window started from the shipped files, which show no message.
struct Window {
    lw::frmMain window{LEADWRIGHT_SHIPPED_DIR};

    template <typename Widget = QWidget>
    Widget* Find(const QString& name) {
        return window.findChild<Widget*>(name);
    }
    bool Shown(const QString& name) { return Find(name)->isVisibleTo(&window); }
    QString Text(const QString& name) { return Find<QLabel>(name)->text(); }
    void Click(int mode) { Find<QRadioButton>(QStringLiteral("Option1_%1").arg(mode))->click(); }
};

QStringList Rows(const lw::frmMain& window, const char* name) {
    const auto* list = window.findChild<QListWidget*>(name);
    QStringList rows;
    for (int row = 0; row < list->count(); ++row) rows << list->item(row)->text();
    return rows;
}

QList<int> SelectedRows(const QListWidget* list) {
    QList<int> rows;
    for (QListWidgetItem* item : list->selectedItems()) rows << list->row(item);
    return rows;
}

// ---- Start-up --------------------------------------------------------------------------------

TEST(Startup, WithoutItsFilesTheMessagesComeInOrderBeforeTheWindow) {
    lw::test::TempFolder empty;
    std::vector<SeenBox> seen;
    ModalAnswers answers{Press(QMessageBox::Ok, seen), Press(QMessageBox::Ok, seen)};
    lw::frmMain window(QString::fromStdString(empty.Path("")));
    EXPECT_EQ(seen,
              (std::vector<SeenBox>{{"Configuration file corrupted or not found, using defaults...",
                                     "Leadwright", QMessageBox::NoIcon, QMessageBox::Ok},
                                    {"Help file corrupted or not found, using old internal help...",
                                     "Leadwright", QMessageBox::NoIcon, QMessageBox::Ok}}));
    EXPECT_EQ(window.Globals().ChordLineMarker, "^");  // the default
    const QStringList help = Rows(window, "lstHelp");
    EXPECT_EQ(help.size(), 30);
    EXPECT_EQ(help.value(0),
              "Leadwright transposes ASCII lead sheet chords, with or without lyrics, ");
}

TEST(Startup, TheFilesGiveTheMarkerTheDialogFilterAndTheHelp) {
    lw::test::TempFolder folder;
    folder.Write("LWSET.lwc", "[LWSET.lwc\r\n\r\n\r\n!\r\n\r\nlst\r\n");
    folder.Write("README.txt", "[DO NOT EDIT\r\nFirst row\r\n\r\nLast row\r\n");
    lw::frmMain window(QString::fromStdString(folder.Path("")));
    EXPECT_EQ(window.Globals().ChordLineMarker, "!");
    EXPECT_EQ(window.Globals().FileExtension, "lst");
    const auto* dialog = window.findChild<QFileDialog*>("CommonDialog1");
    EXPECT_EQ(dialog->nameFilters(), QStringList{"*.lst (*.lst)"});
    EXPECT_EQ(dialog->defaultSuffix(), "txt");
    EXPECT_EQ(Rows(window, "lstHelp"), (QStringList{"First row", "", "Last row"}));
}

TEST(Window, StateAtStart) {
    Window w;
    EXPECT_EQ(w.window.windowTitle(), "Leadwright, V3.0.0");
    const QStringList keys = Rows(w.window, "lstKey");
    EXPECT_EQ(keys.size(), 17);
    EXPECT_EQ(keys.value(0), "A (F#m)");
    EXPECT_EQ(keys.value(16), "Ab (Fm)");
    const QStringList steps = Rows(w.window, "lstStep");
    EXPECT_EQ(steps.size(), 22);
    EXPECT_EQ(steps.value(0), "Up 1/2");
    EXPECT_EQ(steps.value(21), "Down 5 1/2");
    EXPECT_EQ(SelectedRows(w.Find<QListWidget>("lstKey")), QList<int>{});
    EXPECT_EQ(SelectedRows(w.Find<QListWidget>("lstStep")), QList<int>{});
    EXPECT_TRUE(w.Find<QRadioButton>("optPref_1")->isChecked());  // "b"
    EXPECT_EQ(w.window.Globals().ConvertMode, 0);
    EXPECT_EQ(w.window.Globals().OutputKeyCode, -1);
    EXPECT_EQ(w.window.Globals().StepSemitones, std::nullopt);
}

// ---- Modes -----------------------------------------------------------------------------------

// What each mode shows besides the mode buttons and the file fields, which always show.
struct ModeView {
    int mode;
    bool keyList, stepList, preference, byStepButton;
};

constexpr ModeView kModeViews[] = {
    {0, true, false, false, true},    // By Key
    {1, false, true, true, true},     // By Step
    {2, true, false, false, false},   // Figured Bass to Key
    {3, false, false, false, false},  // Key to Figured Bass
};

void ExpectView(Window& w, const ModeView& view) {
    EXPECT_EQ(w.window.Globals().ConvertMode, view.mode);
    const std::pair<std::vector<const char*>, bool> controls[] = {
        {{"Label1_0", "lstKey"}, view.keyList},
        {{"Label1_1", "lstStep"}, view.stepList},
        {{"Frame1", "optPref_0", "optPref_1"}, view.preference},
        {{"Option1_1"}, view.byStepButton},
        {{"Option1_0", "Option1_2", "Option1_3", "lblFilename_0", "lstHelp"}, true},
        {{"lblFilename_2", "lblFilename_3"}, false},  // the line fields never show
    };
    for (const auto& [names, shown] : controls) {
        for (const char* name : names) EXPECT_EQ(w.Shown(name), shown) << name;
    }
    if (view.mode == 1) {  // By Step chooses "Up 1/2"
        EXPECT_EQ(SelectedRows(w.Find<QListWidget>("lstStep")), QList<int>{0});
        EXPECT_EQ(w.window.Globals().StepSemitones, 1);
    }
}

TEST(Modes, EveryChangeShowsTheControlsOfTheNewMode) {
    {
        SCOPED_TRACE("at start");
        Window w;
        ExpectView(w, kModeViews[0]);
    }
    for (const ModeView& from : kModeViews) {
        for (const ModeView& to : kModeViews) {
            if (to.mode == from.mode) continue;
            Window w;
            w.Click(from.mode);
            if (!w.Shown(QStringLiteral("Option1_%1").arg(to.mode))) continue;
            SCOPED_TRACE(testing::Message() << "mode " << from.mode << " then " << to.mode);
            w.Click(to.mode);
            ExpectView(w, to);
        }
    }
}

TEST(Modes, PreferenceIsKeptAcrossModes) {
    Window w;
    w.Click(1);
    w.Find<QRadioButton>("optPref_0")->click();
    for (int mode : {0, 2, 3, 0, 1}) w.Click(mode);
    EXPECT_TRUE(w.Find<QRadioButton>("optPref_0")->isChecked());
    EXPECT_FALSE(w.Find<QRadioButton>("optPref_1")->isChecked());
    EXPECT_EQ(w.window.Host().Preference(), lw::Spelling::Sharp);
}

// ---- The run host ----------------------------------------------------------------------------

TEST(RunHost, KeyIndexIsNoneUntilAKeyIsSelected) {
    Window w;
    auto* keys = w.Find<QListWidget>("lstKey");
    w.window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.window));
    keys->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(keys->currentRow(), 0);  // the focus moved to a row without selecting it
    EXPECT_EQ(w.window.Host().SelectedKeyIndex(), std::nullopt);
    EXPECT_EQ(w.window.Globals().StepSemitones, std::nullopt);
    keys->setCurrentRow(16);
    EXPECT_EQ(w.window.Host().SelectedKeyIndex(), 16);
}

TEST(RunHost, LineFieldsAreThrottledButKeepTheLastLine) {
    Window w;
    lw::WindowRunHost& host = w.window.Host();
    QElapsedTimer clock;
    clock.start();
    host.SetStatusField(lw::StatusField::InputLine, "in 1");
    host.SetStatusField(lw::StatusField::InputLine, "in 2");
    host.SetStatusField(lw::StatusField::OutputLine, "out 2");
    if (clock.elapsed() < 50) {  // too soon after the first line to draw again
        EXPECT_EQ(w.Text("lblFilename_2"), "in 1");
        EXPECT_EQ(w.Text("lblFilename_3"), "");
    }
    host.FlushStatusFields();  // as at the end of a run
    EXPECT_EQ(w.Text("lblFilename_2"), "in 2");
    EXPECT_EQ(w.Text("lblFilename_3"), "out 2");
}

// ---- File, Exit ------------------------------------------------------------------------------

TEST(FileMenu, ExitEndsTheProgramAtOnce) {
    Window w;
    w.window.show();
    QTimer::singleShot(0, [&] { w.Find<QAction>("mnuFileExit")->trigger(); });
    QTimer::singleShot(10000, &w.window, [] { QCoreApplication::exit(99); });  // if Exit failed
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(w.window.isVisible());
}

}  // namespace
