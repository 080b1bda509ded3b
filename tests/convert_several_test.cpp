// File, Convert Several through the real menu, file dialog, message boxes and progress dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <optional>

#include "ModalAnswers.h"
#include "TempFolder.h"
#include "app/frmMain.h"

namespace lw::test {
namespace {

// Records a box as its text, "--" and its details, then presses button.
Answer PressAfterReading(QMessageBox::StandardButton button, std::vector<QString>& seen) {
    return [button, &seen](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (box == nullptr || box->button(button) == nullptr) return false;
        EXPECT_EQ(box->windowTitle(), "Leadwright");
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        seen.push_back(box->text() + "\n--\n" + box->detailedText());
        box->button(button)->click();
        return true;
    };
}

// Presses the Cancel button of every progress dialog as soon as it shows.
struct CancelProgress : QObject {
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (auto* progress = qobject_cast<QProgressDialog*>(watched);
            progress && event->type() == QEvent::Show)
            QMetaObject::invokeMethod(progress->findChild<QPushButton*>(), "click",
                                      Qt::QueuedConnection);
        return false;
    }
};

enum class Cancel { Never, AtTheQuestion, DuringProgress };

struct Case {
    const char* name;
    Cancel cancel;
    std::vector<QString> seen;
    std::set<std::string> files;
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

const QString kQuestion =
    "Output files to write: 2\nExisting files they replace: 1\nChosen files refused: 1 (see "
    "the details)\n\nWrite the output files?\n--\nA_D.txt\nB_D.txt (replaces an existing "
    "file)\n\nNotes.txt: ERROR! Key not found in input filename...";
const std::set<std::string> kChosen{"A_C.txt", "Notes.txt", "B_C.txt", "B_D.txt"};

class ConvertSeveral : public testing::TestWithParam<Case> {};

TEST_P(ConvertSeveral, AsksOnceWritesAndSumsUp) {
    const Case& c = GetParam();
    TempFolder songs;
    QString typed;
    for (const std::string& name : kChosen)
        if (name != "B_D.txt")
            typed += '"' + QString::fromStdString(songs.Write(name, "^C\r\n")) + "\" ";
    songs.Write("B_D.txt", "old");
    frmMain window(LEADWRIGHT_SHIPPED_DIR);
    window.findChild<QListWidget*>("lstKey")->setCurrentRow(7);  // "D (Bm)"
    CancelProgress cancelProgress;
    if (c.cancel == Cancel::DuringProgress) qApp->installEventFilter(&cancelProgress);

    std::vector<QString> seen;
    {
        std::optional<ModalAnswers> answers;
        if (c.cancel == Cancel::AtTheQuestion)
            answers.emplace(std::initializer_list<Answer>{
                ChooseFile(typed), PressAfterReading(QMessageBox::Cancel, seen)});
        else
            answers.emplace(std::initializer_list<Answer>{
                ChooseFile(typed), PressAfterReading(QMessageBox::Ok, seen),
                PressAfterReading(QMessageBox::Ok, seen)});
        window.findChild<QAction*>("mnuFileConvertSeveral")->trigger();
    }
    qApp->removeEventFilter(&cancelProgress);
    EXPECT_EQ(seen, c.seen);
    EXPECT_EQ(songs.Names(), c.files);
    EXPECT_EQ(ReadBytes(songs.Path("B_D.txt")), c.files.contains("A_D.txt") ? "^D\r\n" : "old");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertSeveral,
    testing::Values(
        Case{"AllTheyCan",
             Cancel::Never,
             {kQuestion,
              "Output files written: 2 of 3\nChosen files refused: 1 (see the details)\n--\n"
              "Notes.txt: ERROR! Key not found in input filename..."},
             {"A_C.txt", "Notes.txt", "B_C.txt", "A_D.txt", "B_D.txt"}},
        Case{"NothingWhenCancelledAtTheQuestion", Cancel::AtTheQuestion, {kQuestion}, kChosen},
        Case{"NothingWhenCancelledAsTheProgressShows",
             Cancel::DuringProgress,
             {kQuestion,
              "Output files written: 0 of 3\nChosen files refused: 1 (see the details)\n"
              "Cancelled: the rest were not written.\n--\n"
              "Notes.txt: ERROR! Key not found in input filename..."},
             kChosen}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace lw::test
