#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <array>
#include <string>

#include "convert/RunHost.h"

class QLabel;
class QProgressDialog;
class QWidget;

namespace lw {

// The window's side of a run: the messages, the status fields and, for a long run, a progress
// dialog with Cancel.
class WindowRunHost : public RunHost {
public:
    WindowRunHost(QWidget* window, const std::array<QLabel*, 4>& lblFilename, Messenger& messenger);
    ~WindowRunHost() override;

    void ShowMessage(std::string_view text) override;
    bool AskOkCancel(std::string_view text) override;
    void SetStatusField(StatusField field, std::string_view text) override;
    bool KeepGoing(std::uint64_t bytesRead, std::uint64_t inputSize) override;

    // A run starts writing: its progress is shown once it has taken longer than
    // kProgressDelay milliseconds.
    void StartProgress();

    // A run has ended: the progress dialog goes, and the line fields show the last lines.
    void EndRun();

private:
    // The line fields get every line of a run; drawing each would cost more than converting
    // it, so they are drawn at most every kLineFieldInterval milliseconds.
    static constexpr qint64 kLineFieldInterval = 50;
    static constexpr qint64 kProgressDelay = 500;
    static constexpr std::size_t kLineFields = 2;

    void ShowLineField(std::size_t slot);

    QWidget* window_;
    std::array<QLabel*, 4> lblFilename_;
    Messenger& messenger_;
    std::array<std::string, kLineFields> latestLines_;
    std::array<bool, kLineFields> lineShown_{true, true};
    QElapsedTimer sinceLastDraw_;
    QElapsedTimer sinceRunStart_;
    QPointer<QProgressDialog> progress_;
};

}  // namespace lw
