#pragma once

// The window tests answer the real modal windows (the file dialog, the message boxes) that the
// code under test opens while the test waits inside it. A watchdog in main() gives each modal
// window the next answer; one with no answer left, one an answer does not fit and one still open
// 5 s after its answer fail the test and are rejected, so no test hangs.

#include <QMessageBox>
#include <QString>
#include <functional>
#include <initializer_list>
#include <ostream>
#include <vector>

namespace lw::test {

// Answers one modal window; false when it is not the window expected.
using Answer = std::function<bool(QWidget& modal)>;

// The answers for the modal windows to come, in order. Answers still unused when it goes fail
// the test.
class ModalAnswers {
public:
    ModalAnswers(std::initializer_list<Answer> answers);
    ~ModalAnswers();
};

// What a message box showed.
struct SeenBox {
    QString text;
    QString title;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    bool operator==(const SeenBox&) const = default;
};

inline void PrintTo(const SeenBox& box, std::ostream* out) {
    *out << '"' << box.text.toStdString() << "\" titled \"" << box.title.toStdString()
         << "\", icon " << box.icon << ", buttons " << box.buttons.toInt();
}

// Records the message box into seen, then presses button.
Answer Press(QMessageBox::StandardButton button, std::vector<SeenBox>& seen);

// Types an absolute path into the file dialog and accepts it.
Answer ChooseFile(const QString& path);

}  // namespace lw::test
