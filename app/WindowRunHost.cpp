#include "WindowRunHost.h"

#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "ListSelection.h"

namespace lw {

namespace {

QString FromBytes(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString PathFromBytes(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), qsizetype(path.size())));
}

}  // namespace

WindowRunHost::WindowRunHost(const Controls& controls, Messenger& messenger)
    : controls_(controls), messenger_(messenger) {}

void WindowRunHost::ShowMessage(std::string_view text) { messenger_.ShowMessage(text); }

bool WindowRunHost::AskOkCancel(std::string_view text) { return messenger_.AskOkCancel(text); }

std::optional<std::string> WindowRunHost::ChooseInputFile() {
    QFileDialog& dialog = *controls_.CommonDialog1;
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QByteArray path = QFile::encodeName(dialog.selectedFiles().constFirst());
    return std::string(path.constData(), std::size_t(path.size()));
}

void WindowRunHost::SetStatusField(StatusField field, std::string_view text) {
    if (field == StatusField::InputFile || field == StatusField::OutputFile) {
        QLabel* label = controls_.lblFilename[std::size_t(field)];
        label->setText(PathFromBytes(text));
        label->repaint();
        return;
    }
    const std::size_t slot = field == StatusField::InputLine ? 0 : 1;
    latestLines_[slot] = text;
    lineShown_[slot] = false;
    if (sinceLastDraw_.isValid() && sinceLastDraw_.elapsed() < kLineFieldInterval) return;
    FlushStatusFields();
    sinceLastDraw_.start();
}

void WindowRunHost::FlushStatusFields() {
    for (std::size_t slot = 0; slot < kLineFields; ++slot) {
        if (!lineShown_[slot]) ShowLineField(slot);
    }
}

void WindowRunHost::ShowLineField(std::size_t slot) {
    QLabel* label = controls_.lblFilename[std::size_t(StatusField::InputLine) + slot];
    label->setText(FromBytes(latestLines_[slot]));
    label->repaint();
    lineShown_[slot] = true;
}

ShownList WindowRunHost::VisibleList() const {
    if (controls_.lstStep->isVisibleTo(controls_.window)) return ShownList::Step;
    if (controls_.lstKey->isVisibleTo(controls_.window)) return ShownList::Key;
    return ShownList::None;
}

std::optional<int> WindowRunHost::SelectedKeyIndex() const {
    const int row = SelectedRow(*controls_.lstKey);
    if (row < 0) return std::nullopt;
    return row;
}

Spelling WindowRunHost::Preference() const {
    return controls_.optPrefSharp->isChecked() ? Spelling::Sharp : Spelling::Flat;
}

}  // namespace lw
