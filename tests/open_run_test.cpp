// File, Open from end to end: the real file dialog, the real message boxes, the real run.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

#include "ModalAnswers.h"
#include "app/frmMain.h"

using lw::test::ModalAnswers;
using lw::test::SeenBox;

namespace {

struct ConversionCase {
    const char* name;
    int mode;
    const char* list;  // the list to choose from, or nullptr
    int row;
    bool sharps;
    const char* inputName;
    QByteArray input;
    const char* outputName;
    QByteArray output;
    const char* lastInputLine;
    const char* lastOutputLine;
};

void PrintTo(const ConversionCase& c, std::ostream* out) { *out << c.name; }

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class FileOpen : public testing::TestWithParam<ConversionCase> {};

TEST_P(FileOpen, WritesTheConvertedLeadSheetBesideTheInput) {
    const ConversionCase& c = GetParam();
    QTemporaryDir songs;
    const QString input = QDir(songs.path()).filePath(c.inputName);
    const QString output = QDir(songs.path()).filePath(c.outputName);
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.input);
    file.close();

    lw::frmMain window(LEADWRIGHT_SHIPPED_DIR);
    window.findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(c.mode))->click();
    if (c.list) window.findChild<QListWidget*>(c.list)->setCurrentRow(c.row);
    if (c.sharps) window.findChild<QRadioButton*>("optPref_0")->click();

    std::vector<SeenBox> seen;
    {
        ModalAnswers answers;
        answers.Then(lw::test::ChooseFile(input)).Then(lw::test::Press(QMessageBox::Ok, seen));
        window.findChild<QAction*>("mnuFileOpen")->trigger();
    }

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Any you ready to write the file?");
    EXPECT_EQ(seen[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(ReadAll(output), c.output);
    EXPECT_EQ(ReadAll(input), c.input);
    auto field = [&](int index) {
        return window.findChild<QLabel*>(QStringLiteral("lblFilename_%1").arg(index))->text();
    };
    EXPECT_EQ(field(0), input);
    EXPECT_EQ(field(1), output);
    EXPECT_EQ(field(2), c.lastInputLine);
    EXPECT_EQ(field(3), c.lastOutputLine);
}

INSTANTIATE_TEST_SUITE_P(
    Conversions, FileOpen,
    testing::Values(
        ConversionCase{"By Key, Ab to C (Am)", 0, "lstKey", 4, false, "Another Ewe_Ab.txt",
                       "Another Ewe\r\n^Ab Fm7 Db/Eb\r\nBaa baa baa\r\n", "Another Ewe_C.txt",
                       "Another Ewe\r\n^C Am7 F/G\r\nBaa baa baa\r\n", "Baa baa baa", "^C Am7 F/G"},
        ConversionCase{"By Step, up half a step spelled with sharps", 1, nullptr, 0, true,
                       "Tune_C.txt", "^C Am7 F/G Bb\r\nwords\r\n", "Tune_C#.txt",
                       "^C# A#m7 F#/G# B\r\nwords\r\n", "words", "^C# A#m7 F#/G# B"},
        ConversionCase{"Key to Figured Bass", 3, nullptr, 0, false, "Song_C.txt",
                       "^C Am7 Dm7 G7\r\nHere we go\r\n", "Song_.txt",
                       "^I VIm7 IIm7 V7\r\nHere we go\r\n", "Here we go", "^I VIm7 IIm7 V7"},
        ConversionCase{"Figured Bass to Key, G (Em)", 2, "lstKey", 14, false, "Song_.txt",
                       "^I VIm7 IIm7 V7 bVII\r\nHere we go", "Song_G.txt",
                       "^G Em7 Am7 D7 F\r\nHere we go\r\n", "Here we go", "^G Em7 Am7 D7 F"}),
    [](const testing::TestParamInfo<ConversionCase>& info) { return std::to_string(info.index); });

TEST(FileOpenRefused, NothingChosenShowsTheErrorAndNoDialog) {
    lw::frmMain window(LEADWRIGHT_SHIPPED_DIR);
    std::vector<SeenBox> seen;
    {
        ModalAnswers answers;
        answers.Then(lw::test::Press(QMessageBox::Ok, seen));
        window.findChild<QAction*>("mnuFileOpen")->trigger();
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "ERROR! Select an output key or interval...");
    EXPECT_EQ(seen[0].buttons, QMessageBox::Ok);
}

TEST(FileOpenRefused, CancelAtTheQuestionWritesNothing) {
    QTemporaryDir songs;
    const QString input = QDir(songs.path()).filePath("Tune_C.txt");
    QFile file(input);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("^C\r\n");
    file.close();

    lw::frmMain window(LEADWRIGHT_SHIPPED_DIR);
    window.findChild<QListWidget*>("lstKey")->setCurrentRow(7);  // "D (Bm)"
    std::vector<SeenBox> seen;
    {
        ModalAnswers answers;
        answers.Then(lw::test::ChooseFile(input)).Then(lw::test::Press(QMessageBox::Cancel, seen));
        window.findChild<QAction*>("mnuFileOpen")->trigger();
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, "Any you ready to write the file?");
    EXPECT_EQ(QDir(songs.path()).entryList(QDir::Files), QStringList{"Tune_C.txt"});
    EXPECT_EQ(window.findChild<QLabel*>("lblFilename_1")->text(),
              QDir(songs.path()).filePath("Tune_D.txt"));
}

}  // namespace
