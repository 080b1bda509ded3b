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
    // Every row exactly as written, blanks included.
    EXPECT_EQ(Rows(window, "lstHelp").join('\n') + '\n',
              QString::fromStdString(ReadBytes(LEADWRIGHT_TEST_DATA "/BuiltInHelp.txt")));
}

TEST(Startup, TheFilesGiveTheMarkerTheFilterAndTheHelp) {
    const TempFolder folder;
    folder.Write("LWSET.lwc", "[LWSET.lwc\r\n\r\n\r\n!\r\n\r\nlst\r\n");
    folder.Write("README.txt", "[DO NOT EDIT\r\n");  // a header alone: no rows, no message
    frmMain window(QString::fromStdString(folder.Path("")));
    EXPECT_EQ(window.windowTitle(), "Leadwright, V3.0.0");
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
    EXPECT_EQ(filters, QStringList{"*.lst (*.lst)"});
    EXPECT_EQ(Rows(window, "lstHelp"), QStringList{});
    EXPECT_EQ(Rows(window, "lstKey").size(), 17);
    EXPECT_EQ(Rows(window, "lstStep").size(), 22);
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
    EXPECT_TRUE(window.findChild<QWidget*>("Frame1")->isVisibleTo(&window) && keys->isHidden());
}

// File, Convert Several: one question before anything is written, a summary at the end, each
// with the refused files in its details.
TEST(ConvertSeveral, AsksOnceWritesAndSumsUp) {
    const TempFolder songs;
    QString typed;
    for (const char* name : {"A_C.txt", "Notes.txt", "B_C.txt"})
        typed += '"' + QString::fromStdString(songs.Write(name, "^C\r\n")) + "\" ";
    songs.Write("B_D.txt", "old");
    frmMain window(LEADWRIGHT_SHIPPED_DIR);
    window.findChild<QListWidget*>("lstKey")->setCurrentRow(7);  // "D (Bm)"
    auto* convertSeveral = window.findChild<QAction*>("mnuFileConvertSeveral");
    QStringList seen;
    {
        ModalAnswers answers{ChooseFile(typed), Press(QMessageBox::Cancel, seen), ChooseFile(typed),
                             Press(QMessageBox::Ok, seen), Press(QMessageBox::Ok, seen)};
        convertSeveral->trigger();
        EXPECT_EQ(songs.Names().size(), 4u);  // Cancel at the question wrote nothing
        convertSeveral->trigger();
    }
    const QString refused = "Notes.txt: ERROR! Key not found in input filename...";
    const QString question =
        Box("Output files to write: 2\nExisting files they replace: 1\nChosen files refused: 1 "
            "(see the details)\n\nWrite the output files?",
            QMessageBox::Ok | QMessageBox::Cancel,
            "A_D.txt\nB_D.txt (replaces an existing file)\n\n" + refused);
    EXPECT_EQ(
        seen,
        (QStringList{question, question,
                     Box("Output files written: 2 of 3\nChosen files refused: 1 (see the details)",
                         QMessageBox::Ok, refused)}));
    EXPECT_EQ(ReadBytes(songs.Path("A_D.txt")) + ReadBytes(songs.Path("B_D.txt")), "^D\r\n^D\r\n");
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
