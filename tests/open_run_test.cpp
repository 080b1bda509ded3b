// File, Open from end to end: the real file dialog, the real message box, the real run.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "ModalAnswers.h"
#include "TempFolder.h"
#include "app/frmMain.h"

namespace {

struct Conversion {
    const char* name;
    int mode;
    const char* list;  // the list to choose from, or nullptr
    int row;
    bool sharps;
    std::string inputName, input, outputName, output;
    const char* lastInputLine;
    const char* lastOutputLine;
};

void PrintTo(const Conversion& c, std::ostream* out) { *out << c.name; }

class FileOpen : public testing::TestWithParam<Conversion> {};

TEST_P(FileOpen, WritesTheConvertedLeadSheetBesideTheInput) {
    const Conversion& c = GetParam();
    lw::test::TempFolder songs;
    const std::string input = songs.Write(c.inputName, c.input);
    const std::string output = songs.Path(c.outputName);

    lw::frmMain window(LEADWRIGHT_SHIPPED_DIR);
    auto click = [&](const QString& name) { window.findChild<QRadioButton*>(name)->click(); };
    click("Option1_1");  // "Up 1/2" is selected from here on
    click(QStringLiteral("Option1_%1").arg(c.mode));
    if (c.list) window.findChild<QListWidget*>(c.list)->setCurrentRow(c.row);
    if (c.sharps) click("optPref_0");

    std::vector<lw::test::SeenBox> seen;
    {
        lw::test::ModalAnswers answers{lw::test::ChooseFile(QString::fromStdString(input)),
                                       lw::test::Press(QMessageBox::Ok, seen)};
        window.findChild<QAction*>("mnuFileOpen")->trigger();
    }
    EXPECT_EQ(seen, (std::vector<lw::test::SeenBox>{{"Any you ready to write the file?",
                                                     "Leadwright", QMessageBox::NoIcon,
                                                     QMessageBox::Ok | QMessageBox::Cancel}}));
    EXPECT_EQ(lw::test::ReadBytes(output), c.output);
    EXPECT_EQ(lw::test::ReadBytes(input), c.input);
    EXPECT_EQ(songs.Names(), (std::set{c.inputName, c.outputName}));
    auto field = [&](int index) {
        return window.findChild<QLabel*>(QStringLiteral("lblFilename_%1").arg(index))->text();
    };
    EXPECT_EQ(field(0), QString::fromStdString(input));
    EXPECT_EQ(field(1), QString::fromStdString(output));
    EXPECT_EQ(field(2), c.lastInputLine);
    EXPECT_EQ(field(3), c.lastOutputLine);

    // The run recorded its own interval; By Step must record "Up 1/2" again though its row
    // stayed selected.
    click("Option1_0");
    click("Option1_1");
    EXPECT_EQ(window.Globals().StepSemitones, 1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Conversions, FileOpen, testing::Values(
    Conversion{"By Key, Ab to C (Am)", 0, "lstKey", 4, false,
               "Another Ewe_Ab.txt", "Another Ewe\r\n^Ab Fm7 Db/Eb\r\nBaa baa baa\r\n",
               "Another Ewe_C.txt", "Another Ewe\r\n^C Am7 F/G\r\nBaa baa baa\r\n",
               "Baa baa baa", "^C Am7 F/G"},
    Conversion{"By Step, up half a step spelled with sharps", 1, nullptr, 0, true,
               "Tune_C.txt", "^C Am7 F/G Bb\r\nwords\r\n",
               "Tune_C#.txt", "^C# A#m7 F#/G# B\r\nwords\r\n",
               "words", "^C# A#m7 F#/G# B"},
    Conversion{"Key to Figured Bass", 3, nullptr, 0, false,
               "Song_C.txt", "^C Am7 Dm7 G7\r\nHere we go\r\n",
               "Song_.txt", "^I VIm7 IIm7 V7\r\nHere we go\r\n",
               "Here we go", "^I VIm7 IIm7 V7"},
    Conversion{"Figured Bass to Key, G (Em)", 2, "lstKey", 14, false,
               "Song_.txt", "^I VIm7 IIm7 V7 bVII\r\nHere we go",
               "Song_G.txt", "^G Em7 Am7 D7 F\r\nHere we go\r\n",
               "Here we go", "^G Em7 Am7 D7 F"}));
// clang-format on

}  // namespace
