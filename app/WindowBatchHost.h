#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <string>

#include "convert/Batch.h"

class QProgressDialog;
class QWidget;

namespace lw {

// The window's side of a batch: gathers every file's messages for the boxes at the end, and
// shows the progress (files done of files to write, the current name) with Cancel.
class WindowBatchHost : public BatchHost {
public:
    explicit WindowBatchHost(QWidget* window) : window_(window) {}
    ~WindowBatchHost() override;

    void FileMessage(std::string_view inputPath, std::string_view text) override;
    bool KeepGoing(std::size_t filesDone, std::size_t filesToWrite,
                   std::string_view currentPath) override;

    // The messages so far, one line each: "Song_C.txt: ERROR! Key not found in input filename...".
    QString Messages();

    // The batch is over: the progress dialog goes.
    void EndProgress();

private:
    // A file whose chords are unknown to the tables may have a message for each; the boxes
    // show the first few of every file, then how many more there were.
    static constexpr int kMessagesPerFile = 20;

    // Drawn at most every kDrawInterval milliseconds; the events that come in between, among
    // them those of file dialogs watching the folder, are taken in together.
    static constexpr qint64 kDrawInterval = 50;

    void NoteUnshown();

    QWidget* window_;
    QStringList lines_;
    std::string messagesOf_;  // the file of the latest message
    int fileMessages_ = 0;
    QPointer<QProgressDialog> progress_;
    QElapsedTimer sinceLastDraw_;
};

// The question before a batch writes: how many outputs and how many existing files they
// replace. Its details: the output names, then messages.
QString BatchQuestion(const BatchPlan& plan);
QString BatchOutputList(const BatchPlan& plan, const QString& messages);

// The summary after a batch: how many outputs were written of the files chosen, how many were
// refused, and whether the user cancelled.
QString BatchSummary(const BatchResult& result, std::size_t filesChosen);

}  // namespace lw
