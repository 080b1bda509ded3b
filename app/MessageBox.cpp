#include "app/MessageBox.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProgressDialog>
#include <QWidget>
#include <QWindow>

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
    // On a busy machine the window system may take a while to map the dialog; until it has
    // been painted it would show as a black box while the run goes on.
    QElapsedTimer waiting;
    waiting.start();
    while (!(progress->windowHandle() && progress->windowHandle()->isExposed()) &&
           waiting.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
    progress->repaint();
    return progress;
}

}  // namespace lw
