#pragma once

#include <QString>

#include "core/Messenger.h"

class QProgressDialog;
class QWidget;

namespace lw {

enum class MessageButtons { Ok, OkCancel };

// Shows a message box the way every message of the program looks: modal, no icon, titled
// "Leadwright", the text exactly as given, and details, if any, behind "Show Details...".
// True when the user pressed OK; Cancel and closing the box count as Cancel.
bool ShowMessageBox(QWidget* parent, const QString& text, MessageButtons buttons,
                    const QString& details = QString());

// Shows a progress dialog the way every one of the program looks: titled "Leadwright", modal
// to its window, with Cancel, from 0 to maximum; it stays until it is deleted.
QProgressDialog* ShowProgressDialog(QWidget* window, const QString& label, int maximum);

// The messages of the core and the runs, shown as real message boxes over window.
class MessageBoxMessenger : public Messenger {
public:
    explicit MessageBoxMessenger(QWidget* window) : window_(window) {}

    void ShowMessage(std::string_view text) override;
    bool AskOkCancel(std::string_view text) override;

private:
    QWidget* Parent() const;

    QWidget* window_;
};

}  // namespace lw
