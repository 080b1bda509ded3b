#pragma once

// The window tests answer the real modal windows (the file dialog, the message boxes) that the
// code under test opens while the test waits inside it. A timer started in main() gives each
// modal window the next answer; one with no answer left, or one its answer does not fit, fails
// the test and is rejected, so no test hangs. A progress dialog needs no answer.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QProgressDialog>
#include <QTest>
#include <deque>
#include <functional>

namespace lw::test {

// Answers one modal window; false when it is not the window expected.
using Answer = std::function<bool(QWidget& modal)>;
inline std::deque<Answer> pendingAnswers;
inline QPointer<QWidget> lastAnswered;

// The answers for the modal windows to come, in order; all must be used.
struct ModalAnswers {
    ModalAnswers(std::initializer_list<Answer> answers) { pendingAnswers.assign(answers); }
    ~ModalAnswers() {
        EXPECT_TRUE(pendingAnswers.empty()) << pendingAnswers.size() << " modal window(s) missing";
        pendingAnswers.clear();
    }
};

inline void AnswerModalWindow() {
    if (lastAnswered && !lastAnswered->isVisible()) lastAnswered = nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == lastAnswered || qobject_cast<QProgressDialog*>(modal)) return;
    lastAnswered = modal;
    Answer answer = pendingAnswers.empty() ? Answer() : pendingAnswers.front();
    if (!pendingAnswers.empty()) pendingAnswers.pop_front();
    // Answered outside the timer's event: an answer may run event loops of its own.
    QMetaObject::invokeMethod(
        modal,
        [answer, modal] {
            if (answer && answer(*modal)) return;
            ADD_FAILURE() << "Unexpected modal window " << modal->windowTitle().toStdString();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        },
        Qt::QueuedConnection);
}

// A message box in one line of text: what it says, how it looks, and its details if any.
inline QString Box(const QString& text, QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                   const QString& details = "", const QString& title = "Leadwright",
                   QMessageBox::Icon icon = QMessageBox::NoIcon,
                   Qt::TextFormat format = Qt::PlainText) {
    return QStringLiteral("%1 | %2 %3 %4 %5 | %6")
        .arg(text, title)
        .arg(icon)
        .arg(buttons.toInt())
        .arg(format)
        .arg(details);
}

// Records the message box as Box() describes it, then presses button. Every box of the program
// should read as Box(text, buttons, details): modal, no icon, titled Leadwright, and its text as
// written, never read as markup.
inline Answer Press(QMessageBox::StandardButton button, QStringList& seen) {
    return [button, &seen](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (!box || !box->button(button)) return false;
        seen << Box(box->text(), box->standardButtons(), box->detailedText(), box->windowTitle(),
                    box->icon(), box->textFormat());
        box->button(button)->click();
        return true;
    };
}

// Types absolute paths (several in quotes) into the file dialog and accepts them.
inline Answer ChooseFile(const QString& paths) {
    return [paths](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (!name) return false;
        // Typed into an inactive dialog, the name may be completed behind the test's back.
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        name->setFocus();
        name->setText(paths);
        QTest::keyClick(name, Qt::Key_Return);
        return true;
    };
}

}  // namespace lw::test
