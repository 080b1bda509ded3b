#include "app/WindowHost.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <algorithm>

#include "app/MessageBox.h"
#include "core/FileNames.h"

namespace lw {

namespace {

QString FromBytes(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString PathFromBytes(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}

constexpr int kProgressSteps = 1000;

}  // namespace

WindowHost::WindowHost(QWidget* window, const std::array<QLabel*, 4>& lblFilename)
    : window_(window), lblFilename_(lblFilename) {}

WindowHost::~WindowHost() { delete progress_; }

// Start-up messages come before the window is shown; they then stand on their own.
bool WindowHost::ShowBox(std::string_view text, std::string_view details,
                         MessageButtons buttons) {
    if (writing_ && buttons == MessageButtons::Ok && ++writingMessages_ > kMessageBoxes)
        return true;  // as if its OK had been pressed
    return ShowMessageBox(window_->isVisible() ? window_ : nullptr, FromBytes(text), buttons,
                          FromBytes(details));
}

void WindowHost::SetStatusField(StatusField field, std::string_view text) {
    if (field == StatusField::InputFile || field == StatusField::OutputFile) {
        QLabel* label = lblFilename_[std::size_t(field)];
        label->setText(PathFromBytes(text));
        label->repaint();
        return;
    }
    const std::size_t slot = field == StatusField::InputLine ? 0 : 1;
    latestLines_[slot].assign(text.substr(0, kLineFieldBytes));
    lineShown_[slot] = false;
    if (sinceLineDrawn_.isValid() && sinceLineDrawn_.elapsed() < kDrawInterval) return;
    for (std::size_t each = 0; each < kLineFields; ++each)
        if (!lineShown_[each]) ShowLineField(each);
    sinceLineDrawn_.start();
}

void WindowHost::ShowLineField(std::size_t slot) {
    QLabel* label = lblFilename_[std::size_t(StatusField::InputLine) + slot];
    label->setText(FromBytes(latestLines_[slot]));
    label->repaint();
    lineShown_[slot] = true;
}

void WindowHost::StartWork() { sinceWorkStart_.start(); }

bool WindowHost::KeepGoing(const Progress& progress) {
    if (sinceProgressDrawn_.isValid() && sinceProgressDrawn_.elapsed() < kDrawInterval)
        return !progress_ || !progress_->wasCanceled();
    sinceProgressDrawn_.start();
    if (!progress_ && sinceWorkStart_.isValid() && sinceWorkStart_.elapsed() >= kProgressDelay)
        progress_ = ShowProgressDialog(window_, QString(), kProgressSteps);
    if (!progress_) {
        // The window repaints, but takes no clicks until the dialog can be cancelled.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    }
    const double done = progress.bytesTotal == 0
                            ? 1.0
                            : double(progress.bytesDone) / double(progress.bytesTotal);
    progress_->setValue(int(std::min(done, 1.0) * kProgressSteps));
    if (progress.filesTotal > 1)
        progress_->setLabelText(QStringLiteral("%1 of %2 files done\n%3")
                                    .arg(progress.filesDone)
                                    .arg(progress.filesTotal)
                                    .arg(PathFromBytes(FileNameOf(progress.currentFile))));
    else
        progress_->setLabelText(QStringLiteral("Converting..."));
    QCoreApplication::processEvents();
    return !progress_->wasCanceled();
}

void WindowHost::EndWork() {
    delete progress_;
    sinceWorkStart_.invalidate();
    sinceProgressDrawn_.invalidate();
    for (std::size_t slot = 0; slot < kLineFields; ++slot)
        if (!lineShown_[slot]) ShowLineField(slot);
}

bool WindowHost::WritingWithFewBoxes(const std::function<bool()>& writing) {
    writing_ = true;
    writingMessages_ = 0;
    bool finished = false;
    try {
        finished = writing();
    } catch (...) {
        // The failure is shown after this, and must show as a box.
        ShowMoreMessages();
        throw;
    }
    ShowMoreMessages();
    return finished;
}

void WindowHost::ShowMoreMessages() {
    writing_ = false;
    if (writingMessages_ > kMessageBoxes)
        ShowMessage(std::to_string(writingMessages_ - kMessageBoxes) + " more messages");
}

}  // namespace lw
