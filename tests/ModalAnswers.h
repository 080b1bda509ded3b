#pragma once

// The window tests answer the real modal windows (the file dialog, the message boxes) that the
// code under test opens while the test waits inside it. A timer started in main() gives each
// modal window the next answer; one with no answer left, or one its answer does not fit, fails
// the test and is rejected, so no test hangs.

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
    // A progress dialog needs no answer: it goes when its work is done.
    if (modal == nullptr || modal == lastAnswered || qobject_cast<QProgressDialog*>(modal)) return;
    lastAnswered = modal;
    Answer answer;
    if (!pendingAnswers.empty()) answer = std::move(pendingAnswers.front());
    if (!pendingAnswers.empty()) pendingAnswers.pop_front();
    // Answered outside the timer's event: an answer may run event loops of its own.
    QMetaObject::invokeMethod(
        modal,
        [answer, modal] {
            if (answer && answer(*modal)) return;
            ADD_FAILURE() << "Unexpected modal window " << modal->metaObject()->className() << " \""
                          << modal->windowTitle().toStdString() << '"';
            if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
        },
        Qt::QueuedConnection);
}

// Records what the message box shows, as Box() describes it, then presses button.
inline Answer Press(QMessageBox::StandardButton button, QStringList& seen) {
    return [button, &seen](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (box == nullptr || box->button(button) == nullptr) return false;
        seen << QStringLiteral("%1 | %2, icon %3, buttons %4, format %5")
                    .arg(box->text(), box->windowTitle())
                    .arg(box->icon())
                    .arg(box->standardButtons().toInt())
                    .arg(box->textFormat());
        box->button(button)->click();
        return true;
    };
}

// A box as every box of the program looks: modal, no icon, titled Leadwright, and its text as
// written, never read as markup.
inline QString Box(const QString& text, QMessageBox::StandardButtons buttons = QMessageBox::Ok) {
    return QStringLiteral("%1 | Leadwright, icon 0, buttons %2, format %3")
        .arg(text)
        .arg(buttons.toInt())
        .arg(Qt::PlainText);
}

// Types absolute paths (several in quotes) into the file dialog and accepts them.
inline Answer ChooseFile(const QString& path) {
    return [path](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        auto* name = dialog ? dialog->findChild<QLineEdit*>("fileNameEdit") : nullptr;
        if (name == nullptr) return false;
        // Typed into an inactive dialog, the name may be completed behind the test's back.
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        name->setFocus();
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
        return true;
    };
}

}  // namespace lw::test
