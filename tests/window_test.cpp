// The real window offscreen, driven through its widgets, the real file dialog and the real
// message boxes: start-up, the modes, File, Open, Convert Several and a long run's progress.
//
// The tests answer the real modal windows (the file dialog, the message boxes) that the code
// under test opens while the test waits inside it. A timer started in main() gives each modal
// window the next answer; one with no answer left, or one its answer does not fit, fails the
// test and is rejected, so no test hangs. A progress dialog needs no answer.

#include <gtest/gtest.h>

#include <QTest>
#include <QtWidgets>
#include <deque>
#include <functional>
#include <new>

#include "TempFolder.h"
#include "app/WindowHost.h"
#include "app/frmMain.h"
#include "convert/RunHost.h"

// gtest prints a QString as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace lw::test {
namespace {

// Answers one modal window; false when it is not the window expected.
using Answer = std::function<bool(QWidget& modal)>;
std::deque<Answer> pendingAnswers;

// The answers for the modal windows to come, in order; all must be used.
struct ModalAnswers {
    ModalAnswers(std::initializer_list<Answer> answers) { pendingAnswers.assign(answers); }
    ~ModalAnswers() { EXPECT_TRUE(std::exchange(pendingAnswers, {}).empty()) << "one missing"; }
};

void AnswerModalWindow() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal->property("done").toBool() || modal->inherits("QProgressDialog")) return;
    modal->setProperty("done", true);  // answered, whether it closes at once or not
    Answer answer = pendingAnswers.empty() ? Answer() : pendingAnswers.front();
    if (answer) pendingAnswers.pop_front();
    // Answered outside the timer's event: an answer may run event loops of its own.
    QTimer::singleShot(0, modal, [answer, modal] {
        if (answer && answer(*modal)) return;
        ADD_FAILURE() << "Unexpected modal window " << modal->windowTitle().toStdString();
        if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    });
}

// A message box in one line of text: what it says, its buttons and its details if any.
QString Box(const QString& text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            const QString& details = "") {
    return text + " | " + QString::number(buttons.toInt()) + " | " + details;
}

// Records the message box as Box() describes it, then presses button. Every box of the program
// is modal, has no icon, is titled Leadwright and shows its text as written, never read as
// markup; one that does not look so is recorded as such before its text.
Answer Press(QMessageBox::StandardButton button, QStringList& seen) {
    return [button, &seen](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (!box || !box->button(button)) return false;
        if (box->windowTitle() != "Leadwright" || box->icon() || box->textFormat()) seen << "looks";
        seen << Box(box->text(), box->standardButtons(), box->detailedText());
        box->button(button)->click();
        return true;
    };
}

// Types absolute paths (several in quotes) into the file dialog and accepts them. Before, it
// notes in dialogs the folder the dialog opened in and the filter entry it shows, and shows the
// entry filter (by default the last, of every kind of sheet).
Answer ChooseFile(const QString& paths, QStringList* dialogs = nullptr, int filter = -1) {
    return [=](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!name) return false;
        if (dialogs)
            *dialogs << dialog->directory().absolutePath() + ": " + dialog->selectedNameFilter();
        const QStringList filters = dialog->nameFilters();
        dialog->selectNameFilter(filters.at(filter < 0 ? filters.size() - 1 : filter));
        // Typed into an inactive dialog, the name may be completed behind the test's back.
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        name->setFocus();
        name->setText(paths);
        QTest::keyClick(name, Qt::Key_Return);
        return true;
    };
}

QString Q(const std::string& text) { return QString::fromStdString(text); }

QString Rows(const frmMain& window, const char* list, const char* between = ", ") {
    QStringList rows;
    for (const auto* item : window.findChild<QListWidget*>(list)->findItems("", Qt::MatchContains))
        rows << item->text();
    return rows.join(between);
}

// Start-up from a folder whose files give the marker "!" and the extension "lst" and no help
// rows, without a message. Then File, Open: nothing chosen (a focused list is no choice), Cancel
// at the question, then a conversion; the second dialog opens where the first was left.
TEST(FileOpen, ConvertsThroughTheDialogAndTheQuestion) {
    const TempFolder songs;
    songs.Write("LWSET.lwc", "[LWSET.lwc\r\n\r\n\r\n!\r\n\r\nlst\r\n");
    songs.Write("README.txt", "[DO NOT EDIT\r\n");  // a header alone
    const QString input = Q(songs.Write("<b>Ewe_Ab.lst", "!Ab Fm7 Db/Eb\r\nBaa baa\r\n"));
    frmMain window(Q(songs.Path("")));
    EXPECT_EQ(Rows(window, "lstHelp"), "");
    EXPECT_EQ(Rows(window, "lstKey") + "; " + Rows(window, "lstStep"),
              "A (F#m), A# (Gm), Bb (Gm), B (G#m), C (Am), C# (A#m), Db (Bbm), D (Bm), D# (B#m), "
              "Eb (Cm), E (C#m), F (Dm), F# (D#m), Gb (Ebm), G (Em), G# (E#m), Ab (Fm); Up 1/2, "
              "Up 1, Up 1 1/2, Up 2, Up 2 1/2, Up 3, Up 3 1/2, Up 4, Up 4 1/2, Up 5, Up 5 1/2, "
              "Down 1/2, Down 1, Down 1 1/2, Down 2, Down 2 1/2, Down 3, Down 3 1/2, Down 4, "
              "Down 4 1/2, Down 5, Down 5 1/2");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* keys = window.findChild<QListWidget*>("lstKey");
    auto* open = window.findChild<QAction*>("mnuFileOpen");
    QStringList seen, dialogs;
    ModalAnswers answers{Press(QMessageBox::Ok, seen), ChooseFile(input, &dialogs, 1),
                         Press(QMessageBox::Cancel, seen), ChooseFile(input, &dialogs),
                         Press(QMessageBox::Ok, seen)};
    keys->setFocus(Qt::TabFocusReason);  // a current row, nothing selected
    open->trigger();
    keys->setCurrentRow(4);  // "C (Am)"
    open->trigger();
    EXPECT_EQ(songs.Names().size(), 3u);  // Cancel wrote nothing
    // By Step selects "Up 1/2"; back in By Key, the run records its own interval.
    for (const char* mode : {"Option1_1", "Option1_0"})
        window.findChild<QRadioButton*>(mode)->click();
    open->trigger();
    const QString question =
        Box("Any you ready to write the file?", QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(seen,
              (QStringList{Box("ERROR! Select an output key or interval..."), question, question}));
    EXPECT_EQ(dialogs,
              (QStringList{QDir::currentPath() + ": *.lst (*.lst)",
                           Q(songs.path.string()) +
                               ": ChordPro sheets (*.cho *.chopro *.chordpro *.pro)"}));
    EXPECT_EQ(ReadBytes(songs.Path("<b>Ewe_C.lst")), "!C Am7 F/G\r\nBaa baa\r\n");
    QStringList fields;
    for (const auto* field : window.findChildren<QLabel*>(QRegularExpression("lblFilename_")))
        fields << field->text();
    EXPECT_EQ(fields, (QStringList{input, Q(songs.Path("<b>Ewe_C.lst")), "Baa baa", "!C Am7 F/G"}));
    // The run recorded its own interval; By Step records "Up 1/2" again though it stays selected.
    EXPECT_EQ(window.Globals().StepSemitones, -8);
    window.findChild<QRadioButton*>("Option1_1")->click();
    EXPECT_EQ(window.Globals().StepSemitones, 1);
    EXPECT_TRUE(window.findChild<QWidget*>("Frame1")->isVisibleTo(&window) && keys->isHidden());
}

// Figured Bass to Key on a sheet with 25 degrees it cannot read: after the question, 20 of
// their messages show as boxes, then one says how many more there were, and the file is written.
// A failure in the writing still shows after its messages, though the boxes are used up.
TEST(FileOpen, ShowsTwentyMessagesOfTheWritingThenHowManyMore) {
    const TempFolder songs;
    songs.Write("LWSET.lwc", "[LWSET.lwc\r\n\r\n\r\n^\r\n\r\ntxt\r\n");
    songs.Write("README.txt", "[DO NOT EDIT\r\n");
    std::string sheet = "^", written = "^";
    for (int token = 0; token < 25; ++token) sheet += "b ", written += "C ";
    const QString input = Q(songs.Write("Hymn_.txt", sheet));
    frmMain window(Q(songs.Path("")));
    window.findChild<QRadioButton*>("Option1_2")->click();
    window.findChild<QListWidget*>("lstKey")->setCurrentRow(4);  // "C (Am)"
    QStringList seen,
        expected{Box("Any you ready to write the file?", QMessageBox::Ok | QMessageBox::Cancel)};
    ModalAnswers answers{ChooseFile(input)};
    pendingAnswers.insert(pendingAnswers.end(), 22, Press(QMessageBox::Ok, seen));
    window.findChild<QAction*>("mnuFileOpen")->trigger();
    expected << QStringList(20, Box("ERROR! Code not found, GetCodeFromChordRoman(), b"));
    EXPECT_EQ(seen, expected << Box("5 more messages"));
    EXPECT_EQ(ReadBytes(songs.Path("Hymn_C.txt")), written + "\r\n");

    seen.clear();
    pendingAnswers.assign(22, Press(QMessageBox::Ok, seen));
    WindowHost& host = window.Host();
    ShowingFailures(host, [&] {
        host.WritingWithFewBoxes([&]() -> bool {
            for (int message = 0; message < 21; ++message) host.ShowMessage("lost");
            throw std::bad_alloc();
        });
    });
    EXPECT_EQ(seen.mid(19),
              (QStringList{Box("lost"), Box("1 more messages"), Box("Out of memory")}));
}

// A window started from a folder without its files says so, shows the built-in help and keeps
// the marker "^" and the extension "txt". Then File, Convert Several By Step with sharps on a
// ChordPro sheet and a lead sheet, typed in the dialog's entry for both kinds of sheet: one
// question before anything is written, a summary at the end, each file in their order in the
// details; the next dialog keeps the entry and opens where the files are. Last, a long batch
// shows its progress, and Cancel there ends it.
TEST(ConvertSeveral, AsksOnceWritesSumsUpAndStopsAtCancel) {
    const TempFolder songs;
    const QString typed = '"' + Q(songs.Write("D_C.cho", "[C]\n")) + "\" \"" +
                          Q(songs.Write("A_C.txt", "^C\r\n")) + '"';
    songs.Write("A_C#.txt", "old");
    QStringList seen, dialogs;
    const Answer ok = Press(QMessageBox::Ok, seen), cancel = Press(QMessageBox::Cancel, seen);
    ModalAnswers answers{ok, ok, ChooseFile(typed, &dialogs), cancel, ChooseFile(typed, &dialogs),
                         ok, ok};
    frmMain window(Q(songs.Path("")));
    // Every row exactly as written, blanks included.
    EXPECT_EQ(Rows(window, "lstHelp", "\n") + '\n',
              Q(ReadBytes(LEADWRIGHT_TEST_DATA "/BuiltInHelp.txt")));
    window.findChild<QRadioButton*>("Option1_1")->click();  // "Up 1/2"
    window.findChild<QRadioButton*>("optPref_0")->click();  // "#"
    window.findChild<QAction*>("mnuFileConvertSeveral")->trigger();
    EXPECT_EQ(songs.Names().size(), 3u);  // Cancel at the question wrote nothing
    window.findChild<QAction*>("mnuFileConvertSeveral")->trigger();
    // Convert Several opens on the entry of every kind of sheet.
    const QString everyKind = ": All sheets (*.txt *.cho *.chopro *.chordpro *.pro *.crd)";
    EXPECT_EQ(dialogs, (QStringList{QDir::currentPath() + everyKind,
                                    Q(songs.path.string()) + everyKind}));
    const QString question =
        Box("Output files to write: 2\nExisting files they replace: 1\n\nWrite the output files?",
            QMessageBox::Ok | QMessageBox::Cancel,
            "A_C.txt \u2192 A_C#.txt (replaces a file)\nD_C.cho \u2192 D_C#.cho");
    const QString summary =
        Box("Output files written: 2 of 2", QMessageBox::Ok,
            "A_C.txt \u2192 A_C#.txt: replaced a file\nD_C.cho \u2192 D_C#.cho: written");
    EXPECT_EQ(seen,
              (QStringList{Box("Configuration file corrupted or not found, using defaults..."),
                           Box("Help file corrupted or not found, using old internal help..."),
                           question, question, summary}));
    EXPECT_EQ(ReadBytes(songs.Path("A_C#.txt")) + ReadBytes(songs.Path("D_C#.cho")),
              "^C#\r\n[C#]\n");

    WindowHost& host = window.Host();
    host.StartWork();
    const Progress half{.bytesDone = 2, .bytesTotal = 4, .filesTotal = 2, .currentFile = {}};
    EXPECT_TRUE(host.KeepGoing(half) && !window.findChild<QProgressDialog*>());  // too soon
    QTest::qWait(600);
    ASSERT_TRUE(host.KeepGoing(half) && window.findChild<QProgressDialog*>());
    auto* progress = window.findChild<QProgressDialog*>();
    EXPECT_EQ(progress->windowTitle() + QString::number(progress->value()), "Leadwright500");
    progress->findChild<QPushButton*>()->click();
    QTest::qWait(60);  // past the draw interval, then within it
    EXPECT_FALSE(host.KeepGoing(half) || host.KeepGoing(half));
    host.EndWork();
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
}

}  // namespace
}  // namespace lw::test

// Qt needs its application object before any widget, and a display; the offscreen platform is
// the default. Modal windows are answered whenever an event loop runs.
int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, &lw::test::AnswerModalWindow);
    answering.start(10);
    return RUN_ALL_TESTS();
}
