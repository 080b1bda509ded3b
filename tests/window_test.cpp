// The real window offscreen, driven through its widgets, the real file dialog and the real
// message boxes: start-up, the modes, File, Open, and a long run's progress.

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>

#include "ModalAnswers.h"
#include "TempFolder.h"
#include "app/WindowHost.h"
#include "app/frmMain.h"

namespace lw {
namespace {

using namespace test;

QStringList Rows(const frmMain& window, const char* list) {
    QStringList rows;
    for (const auto* item : window.findChild<QListWidget*>(list)->findItems("", Qt::MatchContains))
        rows << item->text();
    return rows;
}

TEST(Startup, WithoutItsFilesSaysSoAndShowsTheBuiltInHelp) {
    const TempFolder empty;
    QStringList seen;
    ModalAnswers answers{Press(QMessageBox::Ok, seen), Press(QMessageBox::Ok, seen)};
    const frmMain window(QString::fromStdString(empty.Path("")));
    EXPECT_EQ(seen,
              (QStringList{Box("Configuration file corrupted or not found, using defaults..."),
                           Box("Help file corrupted or not found, using old internal help...")}));
    EXPECT_EQ(window.Globals().ChordLineMarker, "^");
    // Every row exactly as written, blanks included.
    EXPECT_EQ(Rows(window, "lstHelp").join('\n') + '\n',
              QString::fromStdString(ReadBytes(LEADWRIGHT_TEST_DATA "/BuiltInHelp.txt")));
}

TEST(Startup, TheFilesGiveTheMarkerTheFilterAndTheHelp) {
    const TempFolder folder;
    folder.Write("LWSET.lwc", "[LWSET.lwc\r\n\r\n\r\n!\r\n\r\nlst\r\n");
    folder.Write("README.txt", "[DO NOT EDIT\r\n");  // a header alone: no rows, no message
    frmMain window(QString::fromStdString(folder.Path("")));
    EXPECT_EQ(window.Globals().ChordLineMarker, "!");
    QStringList filters;
    ModalAnswers answers{[&](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        if (dialog == nullptr) return false;
        filters = dialog->nameFilters();
        dialog->reject();
        return true;
    }};
    window.findChild<QListWidget*>("lstKey")->setCurrentRow(0);
    window.findChild<QAction*>("mnuFileOpen")->trigger();
    EXPECT_EQ(filters.join(";;"), "*.lst (*.lst);;ChordPro sheets (*.cho *.crd *.chopro *.chordpro "
                                  "*.pro);;Lead sheets and ChordPro sheets (*.lst *.cho *.crd "
                                  "*.chopro *.chordpro *.pro)");
    EXPECT_EQ(Rows(window, "lstHelp"), QStringList{});
    EXPECT_EQ(Rows(window, "lstKey").join(", "),
              "A (F#m), A# (Gm), Bb (Gm), B (G#m), C (Am), C# (A#m), Db (Bbm), D (Bm), D# (B#m), "
              "Eb (Cm), E (C#m), F (Dm), F# (D#m), Gb (Ebm), G (Em), G# (E#m), Ab (Fm)");
    EXPECT_EQ(Rows(window, "lstStep").join(", "),
              "Up 1/2, Up 1, Up 1 1/2, Up 2, Up 2 1/2, Up 3, Up 3 1/2, Up 4, Up 4 1/2, Up 5, "
              "Up 5 1/2, Down 1/2, Down 1, Down 1 1/2, Down 2, Down 2 1/2, Down 3, Down 3 1/2, "
              "Down 4, Down 4 1/2, Down 5, Down 5 1/2");
}

// Nothing chosen (a focused list is no choice), Cancel at the question, then a conversion.
TEST(FileOpen, ConvertsThroughTheDialogAndTheQuestion) {
    const TempFolder songs;
    const QString input =
        QString::fromStdString(songs.Write("<b>Ewe_Ab.txt", "^Ab Fm7 Db/Eb\r\nBaa baa\r\n"));
    frmMain window(LEADWRIGHT_SHIPPED_DIR);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* keys = window.findChild<QListWidget*>("lstKey");
    auto* open = window.findChild<QAction*>("mnuFileOpen");
    QStringList seen;
    {
        ModalAnswers answers{Press(QMessageBox::Ok, seen), ChooseFile(input),
                             Press(QMessageBox::Cancel, seen), ChooseFile(input),
                             Press(QMessageBox::Ok, seen)};
        keys->setFocus(Qt::TabFocusReason);  // a current row, nothing selected
        open->trigger();
        keys->setCurrentRow(4);  // "C (Am)"
        open->trigger();
        EXPECT_EQ(songs.Names(), std::set<std::string>{"<b>Ewe_Ab.txt"});  // Cancel wrote nothing
        // By Step selects "Up 1/2"; back in By Key, the run records its own interval.
        for (const char* mode : {"Option1_1", "Option1_0"})
            window.findChild<QRadioButton*>(mode)->click();
        open->trigger();
    }
    const QString question =
        Box("Any you ready to write the file?", QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(seen,
              (QStringList{Box("ERROR! Select an output key or interval..."), question, question}));
    EXPECT_EQ(ReadBytes(songs.Path("<b>Ewe_C.txt")), "^C Am7 F/G\r\nBaa baa\r\n");
    QStringList fields;
    for (const auto* field : window.findChildren<QLabel*>(QRegularExpression("lblFilename_")))
        fields << field->text();
    EXPECT_EQ(fields, (QStringList{input, QString::fromStdString(songs.Path("<b>Ewe_C.txt")),
                                   "Baa baa", "^C Am7 F/G"}));
    // The run recorded its own interval; By Step records "Up 1/2" again though it stays selected.
    EXPECT_EQ(window.Globals().StepSemitones, -8);
    window.findChild<QRadioButton*>("Option1_1")->click();
    EXPECT_EQ(window.Globals().StepSemitones, 1);
    EXPECT_TRUE(window.findChild<QWidget*>("Frame1")->isVisibleTo(&window) && keys->isHidden());
}

// File, Convert Several By Step with sharps on lead sheets and a ChordPro sheet: one question
// before anything is written, a summary at the end, each file in their details; the next
// dialog opens where the typed files are.
TEST(ConvertSeveral, AsksOnceWritesAndSumsUp) {
    const TempFolder songs;
    QString typed;
    for (const char* name : {"A_C.txt", "Notes.txt", "B_C.txt", "D_C.cho"})
        typed += '"' + QString::fromStdString(songs.Write(name, "^C\r\n")) + "\" ";
    songs.Write("B_C#.txt", "old");
    frmMain window(LEADWRIGHT_SHIPPED_DIR);
    window.findChild<QRadioButton*>("Option1_1")->click();  // "Up 1/2"
    window.findChild<QRadioButton*>("optPref_0")->click();  // "#"
    auto* convertSeveral = window.findChild<QAction*>("mnuFileConvertSeveral");
    QStringList seen;
    QString secondFolder, secondFilter;
    // The first time the user picks the filter entry that shows both kinds of sheet; the
    // dialog keeps it and its folder for the next time.
    const Answer pickBothKindsAndChoose = [&](QWidget& modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(&modal))
            dialog->selectNameFilter(dialog->nameFilters().last());
        return ChooseFile(typed)(modal);
    };
    const Answer noteFolderAndChoose = [&](QWidget& modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(&modal)) {
            secondFolder = dialog->directory().absolutePath();
            secondFilter = dialog->selectedNameFilter();
        }
        return ChooseFile(typed)(modal);
    };
    {
        ModalAnswers answers{pickBothKindsAndChoose, Press(QMessageBox::Cancel, seen),
                             noteFolderAndChoose, Press(QMessageBox::Ok, seen),
                             Press(QMessageBox::Ok, seen)};
        convertSeveral->trigger();
        EXPECT_EQ(songs.Names().size(), 5u);  // Cancel at the question wrote nothing
        convertSeveral->trigger();
    }
    EXPECT_EQ(secondFolder.toStdString(), songs.path.string());
    EXPECT_TRUE(secondFilter.startsWith("Lead sheets and ChordPro sheets"));
    const QString question =
        Box("Output files to write: 3\nExisting files they replace: 1\nChosen files refused: 1 "
            "(see the details)\n\nWrite the output files?",
            QMessageBox::Ok | QMessageBox::Cancel,
            "A_C.txt \u2192 A_C#.txt\nB_C.txt \u2192 B_C#.txt (replaces a file)\nD_C.cho \u2192 "
            "D_C#.cho\nNotes.txt: refused\n    ERROR! Key not found in input filename...");
    const QString summary = Box(
        "Output files written: 3 of 4\nChosen files refused: 1 (see the details)", QMessageBox::Ok,
        "A_C.txt \u2192 A_C#.txt: written\nB_C.txt \u2192 B_C#.txt: replaced a file\nD_C.cho "
        "\u2192 D_C#.cho: written\nNotes.txt: refused\n    ERROR! Key not found in input filename...");
    EXPECT_EQ(seen.join("\n---\n").toStdString(),
              QStringList({question, question, summary}).join("\n---\n").toStdString());
    EXPECT_EQ(ReadBytes(songs.Path("A_C#.txt")) + ReadBytes(songs.Path("B_C#.txt")),
              "^C#\r\n^C#\r\n");
}

TEST(Progress, ALongRunShowsItAndCancelEndsIt) {
    frmMain window(LEADWRIGHT_SHIPPED_DIR);
    window.show();
    WindowHost& host = window.Host();
    host.StartWork();
    const Progress half{.bytesDone = 2, .bytesTotal = 4, .filesDone = 0, .filesTotal = 1,
                        .currentFile = "Song_C.txt"};
    EXPECT_TRUE(host.KeepGoing(half));  // too soon for a dialog
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
    QTest::qWait(600);
    EXPECT_TRUE(host.KeepGoing(half));
    auto* progress = window.findChild<QProgressDialog*>();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ((std::pair{progress->windowTitle(), progress->value()}),
              (std::pair{QString("Leadwright"), 500}));
    progress->findChild<QPushButton*>()->click();
    EXPECT_FALSE(host.KeepGoing(half));
    host.EndWork();
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
}

}  // namespace
}  // namespace lw
