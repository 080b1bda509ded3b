#include "ModalAnswers.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>

namespace lw::test {

namespace {

constexpr int kPollMilliseconds = 10;
constexpr int kPollsBeforeGivingUp = 500;  // 5 s for an answer to close its window

void CloseModal(QWidget& modal) {
    if (auto* dialog = qobject_cast<QDialog*>(&modal)) {
        dialog->reject();
    } else {
        modal.close();
    }
}

QMessageBox* AsMessageBox(QWidget& modal, std::vector<SeenBox>& seen) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    if (box == nullptr) {
        ADD_FAILURE() << "Expected a message box, got " << modal.metaObject()->className();
        return nullptr;
    }
    seen.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons(),
                    box->isModal(), box->textFormat()});
    return box;
}

}  // namespace

ModalAnswers::ModalAnswers() {
    connect(&poll_, &QTimer::timeout, this, &ModalAnswers::Poll);
    poll_.start(kPollMilliseconds);
}

ModalAnswers::~ModalAnswers() {
    EXPECT_TRUE(answers_.empty()) << answers_.size() << " modal window(s) never showed up";
}

ModalAnswers& ModalAnswers::Then(Answer answer) {
    answers_.push_back(std::move(answer));
    return *this;
}

void ModalAnswers::Poll() {
    if (answering_) return;
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) {
        lastAnswered_ = nullptr;
        return;
    }
    if (modal == lastAnswered_) {
        if (++pollsSinceAnswer_ < kPollsBeforeGivingUp) return;
        ADD_FAILURE() << "The answer did not close " << modal->metaObject()->className();
        CloseModal(*modal);
        return;
    }
    if (answers_.empty()) {
        const auto* box = qobject_cast<QMessageBox*>(modal);
        ADD_FAILURE() << "Unexpected modal " << modal->metaObject()->className() << ": "
                      << (box ? box->text() : modal->windowTitle()).toStdString();
        CloseModal(*modal);
        return;
    }
    Answer answer = std::move(answers_.front());
    answers_.pop_front();
    answering_ = true;
    QPointer<QWidget> answered = modal;
    answer(*modal);
    answering_ = false;
    // The same dialog may come back for the next answer; only one still open is stuck.
    lastAnswered_ = answered && answered->isVisible() ? answered : nullptr;
    pollsSinceAnswer_ = 0;
}

ModalAnswers::Answer Press(QMessageBox::StandardButton button, std::vector<SeenBox>& seen) {
    return [button, &seen](QWidget& modal) {
        QMessageBox* box = AsMessageBox(modal, seen);
        if (box == nullptr) return CloseModal(modal);
        if (box->button(button) == nullptr) {
            ADD_FAILURE() << "The box has no such button: " << box->text().toStdString();
            return CloseModal(modal);
        }
        box->button(button)->click();
    };
}

ModalAnswers::Answer CloseBox(std::vector<SeenBox>& seen) {
    return [&seen](QWidget& modal) {
        AsMessageBox(modal, seen);
        modal.close();
    };
}

ModalAnswers::Answer ChooseFile(const QString& path) {
    return [path](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        auto* nameField =
            dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        if (nameField == nullptr) {
            ADD_FAILURE() << "Expected the file dialog, got " << modal.metaObject()->className();
            return CloseModal(modal);
        }
        // Typed into an inactive dialog, the name may be completed behind the test's back.
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        nameField->setFocus();
        nameField->setText(path);
        QTest::keyClick(nameField, Qt::Key_Return);
    };
}

ModalAnswers::Answer CancelDialog() {
    return [](QWidget& modal) {
        EXPECT_NE(qobject_cast<QFileDialog*>(&modal), nullptr);
        CloseModal(modal);
    };
}

}  // namespace lw::test
