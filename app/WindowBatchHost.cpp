#include "app/WindowBatchHost.h"

#include <QApplication>
#include <QFile>
#include <QProgressDialog>
#include <algorithm>
#include <climits>

#include "app/MessageBox.h"
#include "io/FileNames.h"

namespace lw {

namespace {

// The window's dialog picks the files of one folder: their names say which is which.
QString NameOf(std::string_view path) {
    const std::string_view name = FileNameOf(path);
    return QFile::decodeName(QByteArray(name.data(), qsizetype(name.size())));
}

}  // namespace

WindowBatchHost::~WindowBatchHost() { delete progress_; }

void WindowBatchHost::FileMessage(std::string_view inputPath, std::string_view text) {
    if (inputPath != messagesOf_) {
        NoteUnshown();
        messagesOf_ = inputPath;
        fileMessages_ = 0;
    }
    if (++fileMessages_ > kMessagesPerFile) return;
    lines_ << NameOf(inputPath) + QStringLiteral(": ") +
                  QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void WindowBatchHost::NoteUnshown() {
    if (fileMessages_ > kMessagesPerFile)
        lines_ << QStringLiteral("%1: %2 more messages")
                      .arg(NameOf(messagesOf_))
                      .arg(fileMessages_ - kMessagesPerFile);
    fileMessages_ = 0;
}

QString WindowBatchHost::Messages() {
    NoteUnshown();
    return lines_.join(u'\n');
}

bool WindowBatchHost::KeepGoing(std::size_t filesDone, std::size_t filesToWrite,
                                std::string_view currentPath) {
    if (!progress_) {
        progress_ = ShowProgressDialog(window_, QString(), 0);
    } else if (sinceLastDraw_.isValid() && sinceLastDraw_.elapsed() < kDrawInterval) {
        return true;
    }
    sinceLastDraw_.start();
    progress_->setMaximum(int(std::min<std::size_t>(filesToWrite, INT_MAX)));
    progress_->setValue(int(std::min<std::size_t>(filesDone, INT_MAX)));
    progress_->setLabelText(QStringLiteral("%1 of %2 files done\n%3")
                                .arg(filesDone)
                                .arg(filesToWrite)
                                .arg(NameOf(currentPath)));
    QCoreApplication::processEvents();
    return !progress_->wasCanceled();
}

void WindowBatchHost::EndProgress() { delete progress_; }

QString BatchQuestion(const BatchPlan& plan) {
    const auto replacing =
        std::count_if(plan.outputs.begin(), plan.outputs.end(),
                      [](const BatchOutput& output) { return output.replacesFile; });
    QString text = QStringLiteral("Output files to write: %1\nExisting files they replace: %2\n")
                       .arg(plan.outputs.size())
                       .arg(replacing);
    if (plan.refused > 0)
        text += QStringLiteral("Chosen files refused: %1 (see the details)\n").arg(plan.refused);
    return text + QStringLiteral("\nWrite the output files?");
}

QString BatchOutputList(const BatchPlan& plan, const QString& messages) {
    QStringList lines;
    for (const BatchOutput& output : plan.outputs)
        lines << NameOf(output.outputPath) + (output.replacesFile
                                                  ? QStringLiteral(" (replaces an existing file)")
                                                  : QString());
    if (!messages.isEmpty()) lines << QString() << messages;
    return lines.join(u'\n');
}

QString BatchSummary(const BatchResult& result, std::size_t filesChosen) {
    QString text =
        QStringLiteral("Output files written: %1 of %2\n").arg(result.written).arg(filesChosen);
    if (result.refused > 0)
        text += QStringLiteral("Chosen files refused: %1 (see the details)\n").arg(result.refused);
    if (result.cancelled) text += QStringLiteral("Cancelled: the rest were not written.\n");
    return text.chopped(1);
}

}  // namespace lw
