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
#include "app/WindowRunHost.h"
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
    EXPECT_EQ(Rows(window, "lstHelp").join('\n').toStdString(),
              R"(Leadwright transposes ASCII lead sheet chords, with or without lyrics, 
 and writes the transposed lead sheet to another file.
The program expects input filenames in this format: 
<song name><underscore><key><dot><extension>
Song name can be any legal filename characters.
Underscore is just for readability.
Key, 1, 2, or 3 characters, is required!
Dot is required!
Extension must be 'txt'. It is required!
Examples: SongoftheNight_Dm.txt,  Another Ewe_Ab.txt,  Medication_F#.txt
Minor keys must be designated with a lowercase 'm'.
Each Chord Line must begin with a caret: '^', and be sure it's the 1st character.
Don't use a '^' anywhere else. Actually, you could as long as it's not the 1st character.
Always use spaces between chords, but never in a chord.
Use a forward slash '/' only for slash chords.
Spell slash chords like this: G13/Ab, or G13/b9
Don't use lowercase for chord(note) names.
Use only lowercase 'b' for flat sign.
The program passes through '+' and '-' characters, as in C7+5. Do not use with note names, 
e.g. C7/+G, You should use '#' and 'b' instead.
The program doesn't check for a duplicate filename before writing the output file.
The default Chord Line Marker and default file extension, can be changed by editing the
Configuration File: 'LWSET.lwc'.  Use a plain text editor like Notepad.  Instructions are
included in the file.

DISCLAIMER ->
Leadwright is free to use and to share, unchanged and free of charge.
It comes as it is, with no warranty of any kind.
The authors are not liable for any damage or loss from its use.
Keep copies of your lead sheets before you convert them.)");
}

TEST(Startup, TheFilesGiveTheMarkerTheFilterAndTheHelp) {
    const TempFolder folder;
    folder.Write("LWSET.lwc", "[LWSET.lwc\r\n\r\n\r\n!\r\n\r\nlst\r\n");
    folder.Write("README.txt", "[DO NOT EDIT\r\n");  // a header alone: no rows, no message
    const frmMain window(QString::fromStdString(folder.Path("")));
    EXPECT_EQ(window.windowTitle(), "Leadwright, V3.0.0");
    EXPECT_EQ(window.Globals().ChordLineMarker, "!");
    EXPECT_EQ(window.findChild<QFileDialog*>()->nameFilters(), QStringList{"*.lst (*.lst)"});
    EXPECT_EQ(Rows(window, "lstHelp"), QStringList{});
    EXPECT_EQ(Rows(window, "lstKey").size(), 17);
    EXPECT_EQ(Rows(window, "lstStep").size(), 22);
}

TEST(Modes, EachShowsItsOwnControls) {
    const std::pair<const char*, const char*> views[] = {
        {"Option1_1", "Label1_1 lstStep Frame1 optPref_0 optPref_1 Option1_1"},
        {"Option1_0", "Label1_0 lstKey Option1_1"},
        {"Option1_2", "Label1_0 lstKey"},
        {"Option1_3", ""},
    };
    frmMain window(LEADWRIGHT_SHIPPED_DIR);
    for (const auto& [mode, shown] : views) {
        window.findChild<QRadioButton*>(mode)->click();
        QStringList visible;
        for (const char* name : {"Label1_0", "lstKey", "Label1_1", "lstStep", "Frame1", "optPref_0",
                                 "optPref_1", "Option1_1", "lblFilename_2", "lblFilename_3"})
            if (window.findChild<QWidget*>(name)->isVisibleTo(&window)) visible << name;
        EXPECT_EQ(visible.join(' '), shown) << mode;
    }
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
    for (const char* mode : {"Option1_1", "Option1_0", "Option1_1"})
        window.findChild<QRadioButton*>(mode)->click();
    EXPECT_EQ(window.Globals().StepSemitones, 1);
}

TEST(Progress, ALongRunShowsItAndCancelEndsIt) {
    frmMain window(LEADWRIGHT_SHIPPED_DIR);
    window.show();
    WindowRunHost& host = window.Host();
    host.StartProgress();
    EXPECT_TRUE(host.KeepGoing(1, 4));  // too soon for a dialog
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
    QTest::qWait(600);
    EXPECT_TRUE(host.KeepGoing(2, 4));
    auto* progress = window.findChild<QProgressDialog*>();
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ((std::pair{progress->windowTitle(), progress->value()}),
              (std::pair{QString("Leadwright"), 500}));
    progress->findChild<QPushButton*>()->click();
    EXPECT_FALSE(host.KeepGoing(3, 4));
    host.EndRun();
    EXPECT_EQ(window.findChild<QProgressDialog*>(), nullptr);
}

}  // namespace
}  // namespace lw
