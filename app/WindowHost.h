#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <array>
#include <cstddef>
#include <functional>
#include <string>

#include "convert/RunHost.h"

class QLabel;
class QProgressDialog;
class QWidget;

namespace lw {

// The window's side of a run or a batch: its message boxes, the status fields and, for long
// work, a progress dialog with Cancel. While a run writes, only its first kMessageBoxes
// messages show as boxes.
class WindowHost : public RunHost {
public:
    WindowHost(QWidget* window, const std::array<QLabel*, 4>& lblFilename);
    ~WindowHost() override;

    bool ShowBox(std::string_view text, std::string_view details,
                 MessageButtons buttons) override;
    void SetStatusField(StatusField field, std::string_view text) override;
    bool KeepGoing(const Progress& progress) override;

    // Work starts writing: its progress is shown once it has taken kProgressDelay ms.
    void StartWork();

    // The work has ended: the progress dialog goes, and the line fields show the last lines.
    void EndWork();

    // Does the writing of one run, whose messages are the chords it cannot read: a sheet may
    // have a million, each a box to click away. The first kMessageBoxes show; after the
    // writing, also when it throws, one box says "N more messages". Questions always show.
    bool WritingWithFewBoxes(const std::function<bool()>& writing);

private:
    // The line fields get every line of a run, and progress comes for every file of a batch;
    // drawing each would cost more than the work, so they are drawn at most every
    // kDrawInterval milliseconds.
    static constexpr qint64 kDrawInterval = 50;
    static constexpr qint64 kProgressDelay = 500;
    static constexpr std::size_t kLineFields = 2;
    // A line field shows the start of a line; a line may be a gigabyte long.
    static constexpr std::size_t kLineFieldBytes = 1000;

    static constexpr std::size_t kMessageBoxes = 20;

    void ShowLineField(std::size_t slot);
    void ShowMoreMessages();

    QWidget* window_;
    std::array<QLabel*, 4> lblFilename_;
    std::array<std::string, kLineFields> latestLines_;
    std::array<bool, kLineFields> lineShown_{true, true};
    QElapsedTimer sinceLineDrawn_;
    QElapsedTimer sinceWorkStart_;
    QElapsedTimer sinceProgressDrawn_;
    QPointer<QProgressDialog> progress_;
    bool writing_ = false;
    std::size_t writingMessages_ = 0;  // of the run that writes, shown or not
};

}  // namespace lw
