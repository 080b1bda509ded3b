// Times File, Convert Several of the window over every *_C.txt sheet of a folder, or with
// "chordpro" every *.cho sheet, By Key to "D (Bm)", through the real widgets: the menu command,
// Qt's own file dialog on the filter entry of those sheets with every sheet selected (or with
// TYPED set, their names typed into it), the question and the summary each answered with OK.
// Offscreen unless QT_QPA_PLATFORM says otherwise.
//   convert_several_bench FOLDER [chordpro]
// Prints the time from accepting the dialog to the summary, and whether progress showed.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <string_view>

#include "app/frmMain.h"

int main(int argc, char* argv[]) {
    const bool chordPro = argc == 3 && std::string_view(argv[2]) == "chordpro";
    if (argc != 2 && !chordPro) {
        std::fputs("usage: convert_several_bench FOLDER [chordpro]\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString pattern = chordPro ? QStringLiteral("*.cho") : QStringLiteral("*_C.txt");
    const QStringList sheets = folder.entryList({pattern}, QDir::Files);
    QString names;
    for (const QString& name : sheets) names += u'"' + name + QStringLiteral("\" ");

    lw::frmMain window(QStringLiteral(LEADWRIGHT_SHIPPED_DIR));
    window.show();
    window.findChild<QListWidget*>(QStringLiteral("lstKey"))->setCurrentRow(7);  // "D (Bm)"

    const bool typed = qEnvironmentVariableIsSet("TYPED");
    QElapsedTimer clock;
    bool progressShown = false;
    int status = 1;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            // As a user would: all files selected in the list once the folder is read, or
            // with TYPED set, their names typed.
            auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
            if (dialog->directory() != folder) dialog->setDirectory(folder);
            const QString filter = dialog->nameFilters().value(chordPro ? 1 : 0);
            if (dialog->selectedNameFilter() != filter) dialog->selectNameFilter(filter);
            if (list->model()->rowCount(list->rootIndex()) < sheets.size()) return;
            if (typed)
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(names);
            else
                list->selectAll();
            clock.start();
            QMetaObject::invokeMethod(dialog, "accept");
        } else if (qobject_cast<QProgressDialog*>(modal)) {
            progressShown = true;
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (box->button(QMessageBox::Cancel) == nullptr) {  // the summary
                std::printf("%.3f s from the dialog to the summary, progress %s\n%s\n",
                            double(clock.nsecsElapsed()) / 1e9,
                            progressShown ? "shown" : "not seen", qPrintable(box->text()));
                status = 0;
            }
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start(5);
    window.findChild<QAction*>(QStringLiteral("mnuFileConvertSeveral"))->trigger();
    return status;
}
