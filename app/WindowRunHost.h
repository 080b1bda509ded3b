#pragma once

#include <QElapsedTimer>
#include <array>
#include <string>

#include "convert/RunHost.h"

class QFileDialog;
class QLabel;
class QListWidget;
class QRadioButton;
class QWidget;

namespace lw {

// The window's side of a run: the file dialog, the messages, the status fields and the state
// of the lists and the preference buttons.
class WindowRunHost : public RunHost {
public:
    // The controls a run reads or writes; all belong to window.
    struct Controls {
        QWidget* window;
        QFileDialog* CommonDialog1;
        std::array<QLabel*, 4> lblFilename;
        QListWidget* lstKey;
        QListWidget* lstStep;
        QRadioButton* optPrefSharp;  // optPref(0), "#"
    };

    WindowRunHost(const Controls& controls, Messenger& messenger);

    void ShowMessage(std::string_view text) override;
    bool AskOkCancel(std::string_view text) override;
    std::optional<std::string> ChooseInputFile() override;
    void SetStatusField(StatusField field, std::string_view text) override;
    ShownList VisibleList() const override;
    std::optional<int> SelectedKeyIndex() const override;
    Spelling Preference() const override;

    // Shows the latest texts of the two line fields; called when a run has ended so the
    // fields keep the last line.
    void FlushStatusFields();

private:
    // The line fields get every line of a run; drawing each would cost more than converting
    // it, so they are drawn at most every kLineFieldInterval milliseconds.
    static constexpr qint64 kLineFieldInterval = 50;
    static constexpr std::size_t kLineFields = 2;

    void ShowLineField(std::size_t slot);

    Controls controls_;
    Messenger& messenger_;
    std::array<std::string, kLineFields> latestLines_;
    std::array<bool, kLineFields> lineShown_{true, true};
    QElapsedTimer sinceLastDraw_;
};

}  // namespace lw
