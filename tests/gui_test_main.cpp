// main() of the window tests: Qt needs its application object before any widget, and a display;
// the offscreen platform is the default. The modal watchdog runs whenever an event loop does.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPointer>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <deque>

#include "ModalAnswers.h"

namespace lw::test {

namespace {

std::deque<Answer> pending;
QPointer<QWidget> answered;  // the modal window answered last, while it stays open
int pollsSinceAnswer = 0;

std::string Describe(QWidget& modal) {
    const auto* box = qobject_cast<QMessageBox*>(&modal);
    return std::string(modal.metaObject()->className()) + " \"" +
           (box ? box->text() : modal.windowTitle()).toStdString() + '"';
}

void Reject(QWidget& modal, const char* why) {
    ADD_FAILURE() << why << Describe(modal);
    if (auto* dialog = qobject_cast<QDialog*>(&modal)) dialog->reject();
    modal.close();
    answered = nullptr;
}

void Poll() {
    QWidget* modal = QApplication::activeModalWidget();
    // A progress dialog needs no answer: it goes when its work is done.
    if (modal == nullptr || qobject_cast<QProgressDialog*>(modal) != nullptr) return;
    if (modal == answered) {
        if (++pollsSinceAnswer == 500) Reject(*modal, "Still open 5 s after its answer: ");
        return;
    }
    if (pending.empty()) return Reject(*modal, "Unexpected modal window: ");
    const Answer answer = std::move(pending.front());
    pending.pop_front();
    answered = modal;
    pollsSinceAnswer = 0;
    // Answered outside this timer's event, which Qt does not deliver again while it runs: an
    // answer may run event loops of its own, and a window it opens must meet the watchdog too.
    QMetaObject::invokeMethod(
        modal,
        [answer, modal] {
            if (!answer(*modal)) return Reject(*modal, "Not the modal window expected: ");
            if (answered == modal && !modal->isVisible()) answered = nullptr;
        },
        Qt::QueuedConnection);
}

}  // namespace

ModalAnswers::ModalAnswers(std::initializer_list<Answer> answers) { pending.assign(answers); }

ModalAnswers::~ModalAnswers() {
    EXPECT_TRUE(pending.empty()) << pending.size() << " modal window(s) never showed up";
    pending.clear();
}

Answer Press(QMessageBox::StandardButton button, std::vector<SeenBox>& seen) {
    return [button, &seen](QWidget& modal) {
        auto* box = qobject_cast<QMessageBox*>(&modal);
        if (box == nullptr || box->button(button) == nullptr) return false;
        seen.push_back({box->text(), box->windowTitle(), box->icon(), box->standardButtons()});
        box->button(button)->click();
        return true;
    };
}

Answer ChooseFile(const QString& path) {
    return [path](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        auto* name =
            dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
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

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, &lw::test::Poll);
    watchdog.start(10);
    return RUN_ALL_TESTS();
}
