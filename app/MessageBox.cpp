#include "app/MessageBox.h"

#include <QMessageBox>
#include <QProgressDialog>
#include <QWidget>

namespace lw {

bool ShowMessageBox(QWidget* parent, const QString& text, MessageButtons buttons,
                    const QString& details) {
    const auto standardButtons = buttons == MessageButtons::OkCancel
                                     ? QMessageBox::Ok | QMessageBox::Cancel
                                     : QMessageBox::StandardButtons(QMessageBox::Ok);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Leadwright"), text, standardButtons,
                    parent);
    // A path or a chord line in a message must show as written, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setDetailedText(details);  // an empty text shows no details button
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Ok;
}

QProgressDialog* ShowProgressDialog(QWidget* window, const QString& label, int maximum) {
    auto* progress = new QProgressDialog(label, QStringLiteral("Cancel"), 0, maximum, window);
    progress->setWindowTitle(QStringLiteral("Leadwright"));
    progress->setWindowModality(Qt::WindowModal);
    progress->setMinimumDuration(0);
    progress->setAutoReset(false);
    progress->setAutoClose(false);
    progress->show();
    return progress;
}

void MessageBoxMessenger::ShowMessage(std::string_view text) {
    ShowMessageBox(Parent(), QString::fromUtf8(text.data(), qsizetype(text.size())),
                   MessageButtons::Ok);
}

bool MessageBoxMessenger::AskOkCancel(std::string_view text) {
    return ShowMessageBox(Parent(), QString::fromUtf8(text.data(), qsizetype(text.size())),
                          MessageButtons::OkCancel);
}

// Start-up messages come before the window is shown; they then stand on their own.
QWidget* MessageBoxMessenger::Parent() const { return window_->isVisible() ? window_ : nullptr; }

}  // namespace lw
