#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTemporaryDir>

#include "ModalAnswers.h"
#include "app/WindowRunHost.h"
#include "app/frmMain.h"

using lw::ShownList;
using lw::StatusField;
using lw::test::ModalAnswers;
using lw::test::SeenBox;

namespace {

// A window started from the shipped files, so no message comes before the test's own.
struct Window {
    lw::frmMain window{LEADWRIGHT_SHIPPED_DIR};
    lw::WindowRunHost& host = window.Host();

    QString Field(int index) {
        return window.findChild<QLabel*>(QStringLiteral("lblFilename_%1").arg(index))->text();
    }
    void ClickMode(int index) {
        window.findChild<QRadioButton*>(QStringLiteral("Option1_%1").arg(index))->click();
    }
};

TEST(RunHost, FileFieldsShowPathsAtOnceAndLineFieldsTheirLastLine) {
    Window w;
    w.host.SetStatusField(StatusField::InputFile, "/songs/S\xc3\xa9r\xc3\xa9nade_C.txt");
    w.host.SetStatusField(StatusField::OutputFile, "/songs/<b>Tune</b>_D.txt");
    EXPECT_EQ(w.Field(0), QString::fromUtf8("/songs/Sérénade_C.txt"));
    EXPECT_EQ(w.Field(1), "/songs/<b>Tune</b>_D.txt");
    EXPECT_EQ(w.window.findChild<QLabel*>("lblFilename_1")->textFormat(), Qt::PlainText);

    for (int line = 1; line <= 5000; ++line) {
        w.host.SetStatusField(StatusField::InputLine, "in " + std::to_string(line));
        w.host.SetStatusField(StatusField::OutputLine, "out " + std::to_string(line));
    }
    w.host.FlushStatusFields();
    EXPECT_EQ(w.Field(2), "in 5000");
    EXPECT_EQ(w.Field(3), "out 5000");
    EXPECT_EQ(w.Field(0), QString::fromUtf8("/songs/Sérénade_C.txt"));
}

TEST(RunHost, ListsAndPreferenceAreReadFromTheWindow) {
    Window w;
    EXPECT_EQ(w.host.VisibleList(), ShownList::Key);
    EXPECT_EQ(w.host.SelectedKeyIndex(), std::nullopt);
    EXPECT_EQ(w.host.Preference(), lw::Spelling::Flat);

    w.ClickMode(1);
    EXPECT_EQ(w.host.VisibleList(), ShownList::Step);
    w.window.findChild<QRadioButton*>("optPref_0")->click();
    EXPECT_EQ(w.host.Preference(), lw::Spelling::Sharp);
    w.ClickMode(2);
    EXPECT_EQ(w.host.VisibleList(), ShownList::Key);
    w.ClickMode(3);
    EXPECT_EQ(w.host.VisibleList(), ShownList::None);

    w.ClickMode(0);
    w.window.findChild<QListWidget*>("lstKey")->setCurrentRow(16);
    EXPECT_EQ(w.host.SelectedKeyIndex(), 16);
}

TEST(RunHost, MessagesAreModalBoxesTitledLeadwrightWithoutIcon) {
    Window w;
    std::vector<SeenBox> seen;
    {
        ModalAnswers answers;
        answers.Then(lw::test::Press(QMessageBox::Ok, seen))
            .Then(lw::test::Press(QMessageBox::Ok, seen))
            .Then(lw::test::Press(QMessageBox::Cancel, seen))
            .Then(lw::test::CloseBox(seen));
        w.host.ShowMessage("ERROR! Select an output key or interval...");
        EXPECT_TRUE(w.host.AskOkCancel("Any you ready to write the file?"));
        EXPECT_FALSE(w.host.AskOkCancel("Any you ready to write the file?"));
        EXPECT_FALSE(w.host.AskOkCancel("<b>C</b> & D\xc3\xa9"));
    }
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].text, "ERROR! Select an output key or interval...");
    EXPECT_EQ(seen[0].buttons, QMessageBox::Ok);
    EXPECT_EQ(seen[1].text, "Any you ready to write the file?");
    EXPECT_EQ(seen[1].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(seen[3].text, QString::fromUtf8("<b>C</b> & Dé"));
    for (const SeenBox& box : seen) {
        EXPECT_EQ(box.title, "Leadwright");
        EXPECT_EQ(box.icon, QMessageBox::NoIcon);
        EXPECT_TRUE(box.modal);
        EXPECT_EQ(box.format, Qt::PlainText);
    }
}

TEST(RunHost, FileDialogGivesTheChosenPathAsBytesOrNothing) {
    QTemporaryDir songs;
    const QString path = QDir(songs.path()).filePath(QString::fromUtf8("Café Song_C.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    Window w;
    ModalAnswers answers;
    answers.Then(lw::test::ChooseFile(path)).Then(lw::test::CancelDialog());
    EXPECT_EQ(w.host.ChooseInputFile(), QFile::encodeName(path).toStdString());
    EXPECT_EQ(w.host.ChooseInputFile(), std::nullopt);
}

}  // namespace
