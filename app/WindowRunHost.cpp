#include "app/WindowRunHost.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <algorithm>

#include "app/MessageBox.h"

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

WindowRunHost::WindowRunHost(QWidget* window, const std::array<QLabel*, 4>& lblFilename,
                             Messenger& messenger)
    : window_(window), lblFilename_(lblFilename), messenger_(messenger) {}

WindowRunHost::~WindowRunHost() { delete progress_; }

void WindowRunHost::ShowMessage(std::string_view text) { messenger_.ShowMessage(text); }

bool WindowRunHost::AskOkCancel(std::string_view text) { return messenger_.AskOkCancel(text); }

void WindowRunHost::SetStatusField(StatusField field, std::string_view text) {
    if (field == StatusField::InputFile || field == StatusField::OutputFile) {
        QLabel* label = lblFilename_[std::size_t(field)];
        label->setText(PathFromBytes(text));
        label->repaint();
        return;
    }
    const std::size_t slot = field == StatusField::InputLine ? 0 : 1;
    latestLines_[slot] = text;
    lineShown_[slot] = false;
    if (sinceLastDraw_.isValid() && sinceLastDraw_.elapsed() < kLineFieldInterval) return;
    for (std::size_t each = 0; each < kLineFields; ++each)
        if (!lineShown_[each]) ShowLineField(each);
    sinceLastDraw_.start();
}

void WindowRunHost::ShowLineField(std::size_t slot) {
    QLabel* label = lblFilename_[std::size_t(StatusField::InputLine) + slot];
    label->setText(FromBytes(latestLines_[slot]));
    label->repaint();
    lineShown_[slot] = true;
}

void WindowRunHost::StartProgress() { sinceRunStart_.start(); }

bool WindowRunHost::KeepGoing(std::uint64_t bytesRead, std::uint64_t inputSize) {
    if (!progress_ && sinceRunStart_.isValid() && sinceRunStart_.elapsed() >= kProgressDelay) {
        progress_ = ShowProgressDialog(window_, QStringLiteral("Converting..."), kProgressSteps);
    }
    if (!progress_) {
        // The window repaints, but takes no clicks until the dialog can be cancelled.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    }
    const double done = inputSize == 0 ? 1.0 : double(bytesRead) / double(inputSize);
    progress_->setValue(int(std::min(done, 1.0) * kProgressSteps));
    QCoreApplication::processEvents();
    return !progress_->wasCanceled();
}

void WindowRunHost::EndRun() {
    delete progress_;
    sinceRunStart_.invalidate();
    for (std::size_t slot = 0; slot < kLineFields; ++slot)
        if (!lineShown_[slot]) ShowLineField(slot);
}

}  // namespace lw
