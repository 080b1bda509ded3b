#pragma once

#include <QString>

#include "core/Messenger.h"

class QProgressDialog;
class QWidget;

namespace lw {

// Shows a message box the way every message of the program looks: modal, no icon, titled
// "Leadwright", the text exactly as given, and details, if any, behind "Show Details...".
// True when the user pressed OK; Cancel and closing the box count as Cancel.
bool ShowMessageBox(QWidget* parent, const QString& text, MessageButtons buttons,
                    const QString& details = QString());

// Shows a progress dialog the way every one of the program looks: titled "Leadwright", modal
// to its window, with Cancel, from 0 to maximum, painted before it returns; it stays until it
// is deleted.
QProgressDialog* ShowProgressDialog(QWidget* window, const QString& label, int maximum);

}  // namespace lw
