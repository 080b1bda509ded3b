#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <optional>

#include "ModalAnswers.h"
#include "app/WindowRunHost.h"
#include "app/frmMain.h"

using lw::frmMain;
using lw::test::ModalAnswers;
using lw::test::SeenBox;

namespace {

// Keeps the text of every message the window shows, in order; the window asks nothing here.
struct RecordingMessenger : lw::Messenger {
    std::vector<std::string> texts;
    void ShowMessage(std::string_view text) override { texts.emplace_back(text); }
    bool AskOkCancel(std::string_view text) override {
        ADD_FAILURE() << "Unexpected question: " << text;
        return false;
    }
};

const std::string kConfigMessage = "Configuration file corrupted or not found, using defaults...";
const std::string kHelpMessage = "Help file corrupted or not found, using old internal help...";
const QByteArray kGoodConfig = "[LWSET.lwc\r\nmarker below\r\n\r\n^\r\nextension below\r\ntxt\r\n";
const QByteArray kGoodHelp = "[DO NOT EDIT\r\nFirst help row\r\n\r\nLast help row\r\n";

// The folder the program starts from, with the configuration and help files a test puts there.
class ProgramFolder {
public:
    ProgramFolder& With(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return *this;
    }
    ProgramFolder& WithFolder(const QString& name) {
        EXPECT_TRUE(QDir(dir_.path()).mkdir(name));
        return *this;
    }
    QString Path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

// A window started from a folder with good configuration and help files.
struct StartedWindow {
    ProgramFolder folder;
    RecordingMessenger messages;
    std::unique_ptr<frmMain> window;

    StartedWindow() {
        folder.With("LWSET.lwc", kGoodConfig).With("README.txt", kGoodHelp);
        window = std::make_unique<frmMain>(folder.Path(), &messages);
    }
    template <typename Widget>
    Widget* Find(const char* name) {
        auto* widget = window->findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void ClickMode(int index) {
        Find<QRadioButton>(("Option1_" + std::to_string(index)).c_str())->click();
    }
    bool Shown(const char* name) { return Find<QWidget>(name)->isVisibleTo(window.get()); }
    QListWidget* List(const char* name) { return Find<QListWidget>(name); }
};

QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int row = 0; row < list->count(); ++row) rows << list->item(row)->text();
    return rows;
}

int SelectedRow(const QListWidget* list) {
    const auto items = list->selectedItems();
    return items.isEmpty() ? -1 : list->row(items.first());
}

// ---- Start-up --------------------------------------------------------------------------------

struct SettingsCase {
    const char* name;
    std::optional<QByteArray> config;  // nothing: no file
    bool message;
    std::string marker, extension;
    QString filter;
};

void PrintTo(const SettingsCase& c, std::ostream* out) { *out << c.name; }

class StartupSettings : public testing::TestWithParam<SettingsCase> {};

TEST_P(StartupSettings, SetTheMarkerAndTheDialogFilter) {
    const SettingsCase& c = GetParam();
    ProgramFolder folder;
    folder.With("README.txt", kGoodHelp);
    if (c.config) folder.With("LWSET.lwc", *c.config);
    RecordingMessenger messages;
    frmMain window(folder.Path(), &messages);

    EXPECT_EQ(messages.texts, c.message ? std::vector{kConfigMessage} : std::vector<std::string>{});
    EXPECT_EQ(window.Globals().ChordLineMarker, c.marker);
    EXPECT_EQ(window.Globals().FileExtension, c.extension);
    auto* dialog = window.findChild<QFileDialog*>("CommonDialog1");
    EXPECT_EQ(dialog->nameFilters(), QStringList{c.filter});
    EXPECT_EQ(dialog->defaultSuffix(), "txt");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, StartupSettings, testing::Values(
    SettingsCase{"Good file: no message", kGoodConfig, false, "^", "txt", "*.txt (*.txt)"},
    SettingsCase{"No file: the defaults", std::nullopt, true, "^", "txt", "*.txt (*.txt)"},
    SettingsCase{"Another marker and extension: the filter follows",
                 "[LWSET.lwc\r\n\r\n\r\n!\r\n\r\nlst\r\n", false, "!", "lst", "*.lst (*.lst)"},
    SettingsCase{"An empty extension gives bare patterns",
                 "[LWSET.lwc\r\n\r\n\r\n^\r\n\r\n\r\n", false, "^", "", "*. (*.)"},
    SettingsCase{"Four lines only: the marker read is dropped",
                 "[LWSET.lwc\r\n\r\n\r\n!\r\n", true, "^", "txt", "*.txt (*.txt)"}));
// clang-format on

TEST(Startup, NeitherFileGivesBothMessagesInOrderAndTheBuiltInHelp) {
    ProgramFolder folder;
    folder.WithFolder("LWSET.lwc");
    RecordingMessenger messages;
    frmMain window(folder.Path(), &messages);
    EXPECT_EQ(messages.texts, (std::vector<std::string>{kConfigMessage, kHelpMessage}));
    const QStringList help = Rows(window.findChild<QListWidget*>("lstHelp"));
    ASSERT_EQ(help.size(), 30);
    EXPECT_EQ(help[0], "Leadwright transposes ASCII lead sheet chords, with or without lyrics, ");
    EXPECT_EQ(help[8], "Extension must be 'txt'. It is required!");
    EXPECT_EQ(help[24], "");
    EXPECT_EQ(help[25], "DISCLAIMER ->");
    for (int row = 26; row < 30; ++row) EXPECT_FALSE(help[row].isEmpty()) << row;
}

TEST(Startup, HelpRowsComeFromTheHelpFile) {
    ProgramFolder folder;
    folder.With("LWSET.lwc", kGoodConfig).With("README.txt", kGoodHelp);
    RecordingMessenger messages;
    frmMain window(folder.Path(), &messages);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(Rows(window.findChild<QListWidget*>("lstHelp")),
              (QStringList{"First help row", "", "Last help row"}));

    ProgramFolder headerOnly;
    headerOnly.With("LWSET.lwc", kGoodConfig).With("README.txt", "[DO NOT\r\n");
    frmMain emptyHelp(headerOnly.Path(), &messages);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(emptyHelp.findChild<QListWidget*>("lstHelp")->count(), 0);
}

TEST(Startup, ShippedFilesStartWithoutAMessage) {
    RecordingMessenger messages;
    frmMain window(LEADWRIGHT_SHIPPED_DIR, &messages);
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(window.Globals().ChordLineMarker, "^");
    EXPECT_EQ(window.Globals().FileExtension, "txt");
    EXPECT_GT(window.findChild<QListWidget*>("lstHelp")->count(), 20);
}

TEST(Startup, RealMessageBoxesComeBeforeTheWindowIsShown) {
    ProgramFolder folder;
    std::vector<SeenBox> seen;
    std::unique_ptr<frmMain> window;
    {
        ModalAnswers answers;
        answers.Then(lw::test::Press(QMessageBox::Ok, seen))
            .Then(lw::test::Press(QMessageBox::Ok, seen));
        window = std::make_unique<frmMain>(folder.Path());
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].text.toStdString(), kConfigMessage);
    EXPECT_EQ(seen[1].text.toStdString(), kHelpMessage);
    for (const SeenBox& box : seen) {
        EXPECT_EQ(box.title, "Leadwright");
        EXPECT_EQ(box.icon, QMessageBox::NoIcon);
        EXPECT_EQ(box.buttons, QMessageBox::Ok);
        EXPECT_TRUE(box.modal);
    }
    EXPECT_FALSE(window->isVisible());
}

// ---- The window at start ---------------------------------------------------------------------

TEST(Window, CaptionListsAndSelectionStateAtStart) {
    StartedWindow w;
    EXPECT_EQ(w.window->windowTitle(), "Leadwright, V3.0.0");
    const QStringList keys = Rows(w.List("lstKey"));
    ASSERT_EQ(keys.size(), 17);
    EXPECT_EQ(keys.first(), "A (F#m)");
    EXPECT_EQ(keys[8], "D# (B#m)");
    EXPECT_EQ(keys.last(), "Ab (Fm)");
    const QStringList steps = Rows(w.List("lstStep"));
    ASSERT_EQ(steps.size(), 22);
    EXPECT_EQ(steps.first(), "Up 1/2");
    EXPECT_EQ(steps[11], "Down 1/2");
    EXPECT_EQ(steps.last(), "Down 5 1/2");
    EXPECT_EQ(SelectedRow(w.List("lstKey")), -1);
    EXPECT_EQ(SelectedRow(w.List("lstStep")), -1);
    EXPECT_EQ(w.window->Globals().StepSemitones, std::nullopt);
    EXPECT_EQ(w.window->Globals().OutputKeyCode, -1);
    EXPECT_EQ(w.window->Globals().ConvertMode, 0);
    EXPECT_TRUE(w.Find<QRadioButton>("Option1_0")->isChecked());
    EXPECT_TRUE(w.Find<QRadioButton>("optPref_1")->isChecked());
    EXPECT_FALSE(w.Find<QRadioButton>("optPref_0")->isChecked());
    EXPECT_EQ(w.Find<QLabel>("lblFilename_0")->text(), "");
    EXPECT_EQ(w.Find<QLabel>("lblFilename_1")->text(), "");
}

struct ControlCase {
    const char* name;
    QString caption;
    QRect pixels;
    bool shown;
};

TEST(Window, EveryControlWithItsCaptionPlaceAndDesignState) {
    const ControlCase controls[] = {
        {"Option1_3", "Key to Figured Bass", {5, 33, 126, 22}, true},
        {"Option1_2", "Figured Bass to Key", {5, 3, 126, 22}, true},
        {"Frame1", "", {73, 411, 95, 67}, false},
        {"optPref_1", "b", {54, 40, 33, 19}, false},
        {"optPref_0", "#", {8, 40, 33, 19}, false},
        {"Label3", "Output Key Preference", {2, 2, 91, 27}, false},
        {"lstHelp", "", {172, 86, 465, 372}, true},
        {"lstStep", "", {75, 103, 89, 303}, false},
        {"lstKey", "", {1, 103, 67, 238}, true},
        {"Option1_1", "By Step", {75, 63, 67, 19}, true},
        {"Option1_0", "By Key", {5, 63, 67, 19}, true},
        {"Label2_3", "Output Line", {172, 138, 77, 15}, false},
        {"Label2_2", "Input Line", {172, 94, 77, 15}, false},
        {"lblFilename_3", "", {172, 156, 453, 15}, false},
        {"lblFilename_2", "", {172, 112, 453, 15}, false},
        {"Label2_1", "Output File", {172, 42, 77, 15}, true},
        {"lblFilename_1", "", {172, 60, 465, 15}, true},
        {"Label2_0", "Input File", {172, 4, 77, 15}, true},
        {"Label1_1", "Select Step", {75, 87, 89, 15}, false},
        {"Label1_0", "Select Key", {3, 87, 65, 15}, true},
        {"lblFilename_0", "", {172, 22, 465, 15}, true},
    };
    StartedWindow w;
    w.window->show();
    for (const ControlCase& c : controls) {
        SCOPED_TRACE(c.name);
        QWidget* control = w.Find<QWidget>(c.name);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->geometry(), c.pixels);
        EXPECT_EQ(control->isVisible(), c.shown);
        if (auto* button = qobject_cast<QRadioButton*>(control)) {
            EXPECT_EQ(button->text(), c.caption);
        }
        if (auto* label = qobject_cast<QLabel*>(control)) {
            EXPECT_EQ(label->text(), c.caption);
        }
    }
    EXPECT_EQ(w.window->centralWidget()->size(), QSize(640, 480));
    EXPECT_EQ(w.window->minimumSize(), w.window->maximumSize());
    EXPECT_EQ(w.Find<QLabel>("Label1_0")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_EQ(w.Find<QLabel>("Label3")->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);

    const QFont helpFont = w.List("lstHelp")->font();
    EXPECT_EQ(helpFont.family(), "MS Serif");
    EXPECT_DOUBLE_EQ(helpFont.pointSizeF(), 9.75);
    EXPECT_EQ(w.window->windowIcon().availableSizes(), QList<QSize>{QSize(32, 32)});
}

TEST(Window, FileMenuWithAccessKeysAndNoShortcuts) {
    StartedWindow w;
    auto* menu = w.Find<QMenu>("mnuFile");
    EXPECT_EQ(menu->title(), "&File");
    const QList<QAction*> items = menu->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0]->objectName(), "mnuFileOpen");
    EXPECT_EQ(items[0]->text(), "&Open");
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->objectName(), "mnuFileExit");
    EXPECT_EQ(items[2]->text(), "E&xit");
    for (QAction* item : items) EXPECT_TRUE(item->shortcut().isEmpty());
}

// ---- Modes -----------------------------------------------------------------------------------

struct ModeCase {
    int mode;
    bool keyList, stepList, frame, preferenceButtons, byStepButton;
};

TEST(Modes, EachModeShowsItsControls) {
    const ModeCase cases[] = {
        {0, true, false, false, false, true},
        {1, false, true, true, true, true},
        {2, true, false, false, false, false},
        {3, false, false, false, false, false},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE("mode " + std::to_string(c.mode));
        StartedWindow w;
        w.ClickMode(c.mode);
        EXPECT_EQ(w.window->Globals().ConvertMode, c.mode);
        EXPECT_EQ(w.Shown("Label1_0"), c.keyList);
        EXPECT_EQ(w.Shown("lstKey"), c.keyList);
        EXPECT_EQ(w.Shown("Label1_1"), c.stepList);
        EXPECT_EQ(w.Shown("lstStep"), c.stepList);
        EXPECT_EQ(w.Shown("Frame1"), c.frame);
        EXPECT_EQ(w.Shown("optPref_0"), c.preferenceButtons);
        EXPECT_EQ(w.Shown("optPref_1"), c.preferenceButtons);
        EXPECT_EQ(w.Shown("Option1_1"), c.byStepButton);
        EXPECT_TRUE(w.Shown("Option1_0"));
        EXPECT_TRUE(w.Shown("Option1_2"));
        EXPECT_TRUE(w.Shown("Option1_3"));
        EXPECT_FALSE(w.Shown("lblFilename_2"));
        EXPECT_FALSE(w.Shown("lblFilename_3"));
    }
}

TEST(Modes, ByStepReplacesTheStepWithUpHalfAStep) {
    StartedWindow w;
    w.ClickMode(1);
    EXPECT_EQ(SelectedRow(w.List("lstStep")), 0);
    EXPECT_EQ(w.window->Globals().StepSemitones, 1);
    w.List("lstStep")->setCurrentRow(14);  // "Down 2"
    EXPECT_EQ(w.window->Globals().StepSemitones, -4);
    w.ClickMode(0);
    w.ClickMode(1);
    EXPECT_EQ(SelectedRow(w.List("lstStep")), 0);
    EXPECT_EQ(w.window->Globals().StepSemitones, 1);
}

TEST(Modes, ByStepRecordsUpHalfAStepAgainAfterAKeyWasChosen) {
    StartedWindow w;
    w.ClickMode(1);
    w.ClickMode(0);
    w.List("lstKey")->setCurrentRow(4);
    ASSERT_EQ(w.window->Globals().StepSemitones, 0);
    w.ClickMode(1);  // "Up 1/2" is still the selected row
    EXPECT_EQ(w.window->Globals().StepSemitones, 1);
}

TEST(Modes, ByStepThenByKeyShowsTheOldKeyAgain) {
    StartedWindow w;
    w.List("lstKey")->setCurrentRow(4);
    w.ClickMode(1);
    w.ClickMode(0);
    EXPECT_TRUE(w.Shown("lstKey"));
    EXPECT_FALSE(w.Shown("lstStep"));
    EXPECT_FALSE(w.Shown("Frame1"));
    EXPECT_EQ(SelectedRow(w.List("lstKey")), 4);
    EXPECT_EQ(w.window->Globals().StepSemitones, 1);  // nothing resets the step on a mode change
}

TEST(Modes, ByKeyAfterKeyToFiguredBassBringsBackByStep) {
    StartedWindow w;
    w.ClickMode(3);
    ASSERT_FALSE(w.Shown("Option1_1"));
    w.ClickMode(0);
    EXPECT_TRUE(w.Shown("Option1_1"));
    EXPECT_TRUE(w.Shown("lstKey"));
    EXPECT_EQ(w.window->Globals().ConvertMode, 0);
}

TEST(Modes, PreferenceIsKeptAcrossModes) {
    StartedWindow w;
    w.ClickMode(1);
    w.Find<QRadioButton>("optPref_0")->click();
    for (int mode : {0, 3, 2, 0, 1}) w.ClickMode(mode);
    EXPECT_TRUE(w.Find<QRadioButton>("optPref_0")->isChecked());
    EXPECT_FALSE(w.Find<QRadioButton>("optPref_1")->isChecked());
    EXPECT_TRUE(w.Shown("optPref_0"));
    EXPECT_EQ(w.window->Host().Preference(), lw::Spelling::Sharp);
}

TEST(Modes, AnIndexOutsideTheModesIsOnlyStored) {
    StartedWindow w;
    w.window->Option1_Click(7);
    EXPECT_EQ(w.window->Globals().ConvertMode, 7);
    EXPECT_TRUE(w.Shown("lstKey"));
    EXPECT_FALSE(w.Shown("lstStep"));
    EXPECT_TRUE(w.Shown("Option1_1"));
    EXPECT_EQ(w.window->Globals().StepSemitones, std::nullopt);
}

// ---- Lists -----------------------------------------------------------------------------------

TEST(Lists, ASelectionRecordsItsInterval) {
    const std::pair<int, int> steps[] = {{11, -1}, {21, -11}};
    StartedWindow w;
    w.ClickMode(1);
    for (auto [row, semitones] : steps) {
        w.List("lstStep")->setCurrentRow(row);
        EXPECT_EQ(w.window->Globals().StepSemitones, semitones) << "row " << row;
    }
    w.ClickMode(0);
    w.List("lstKey")->setCurrentRow(16);
    EXPECT_EQ(w.window->Globals().StepSemitones, 0);
}

TEST(Lists, TakingTheFocusChoosesNothing) {
    StartedWindow w;
    w.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.window.get()));
    w.List("lstKey")->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(w.List("lstKey")->currentRow(), 0);  // the list moved to a row, selecting none
    EXPECT_EQ(w.window->Globals().StepSemitones, std::nullopt);
    EXPECT_EQ(w.window->Host().SelectedKeyIndex(), std::nullopt);
}

// ---- File, Exit ------------------------------------------------------------------------------

TEST(FileMenu, ExitEndsTheProgramAtOnce) {
    StartedWindow w;
    w.window->show();
    QTimer::singleShot(0, [&] { w.Find<QAction>("mnuFileExit")->trigger(); });
    QTimer::singleShot(10000, [] { QCoreApplication::exit(99); });  // only if Exit did nothing
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(w.window->isVisible());
    EXPECT_TRUE(w.messages.texts.empty());
}

}  // namespace
