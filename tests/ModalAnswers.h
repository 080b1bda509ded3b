#pragma once

// Answers the real modal windows (message boxes, the file dialog) that the code under test
// opens while the test waits inside it.

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <functional>
#include <vector>

namespace lw::test {

// What a message box showed.
struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    bool modal;
    Qt::TextFormat format;
};

// Runs one answer for each modal window that shows up, in order. A modal window with no answer
// left, or one that an answer failed to close, fails the test and is closed, so a failing test
// does not hang. Answers still unused when this object goes fail the test too.
class ModalAnswers : public QObject {
public:
    using Answer = std::function<void(QWidget& modal)>;

    ModalAnswers();
    ~ModalAnswers() override;

    ModalAnswers& Then(Answer answer);

private:
    void Poll();

    std::deque<Answer> answers_;
    QTimer poll_;
    bool answering_ = false;
    QPointer<QWidget> lastAnswered_;
    int pollsSinceAnswer_ = 0;
};

// Records the box into seen, then presses button.
ModalAnswers::Answer Press(QMessageBox::StandardButton button, std::vector<SeenBox>& seen);

// Records the box into seen, then closes it with the window frame's close control.
ModalAnswers::Answer CloseBox(std::vector<SeenBox>& seen);

// Types an absolute path into the file dialog and accepts it.
ModalAnswers::Answer ChooseFile(const QString& path);

// Cancels the file dialog.
ModalAnswers::Answer CancelDialog();

}  // namespace lw::test
