// Times File, Convert Several of the window over every *_C.txt sheet of a folder, or every sheet
// PATTERN names ("*.cho"), By Key to "D (Bm)", through the real widgets: the menu command, Qt's
// own file dialog on its entry of every kind of sheet with every sheet selected (or with TYPED
// set, their names typed into it), the question and the summary each answered with OK.
// Offscreen unless QT_QPA_PLATFORM says otherwise.
//   convert_several_bench FOLDER [PATTERN]
// Prints the time from accepting the dialog to the summary, and whether progress showed.
//   convert_several_bench --open FILE
// does the same with File, Open on one sheet, its path typed: the time from accepting the
// dialog to the output in place, the question answered with OK.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
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
    const bool open = argc == 3 && std::string_view(argv[1]) == "--open";
    if (argc != 2 && argc != 3) {
        std::fputs(
            "usage: convert_several_bench FOLDER [PATTERN]\n"
            "       convert_several_bench --open FILE\n",
            stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString given = QString::fromLocal8Bit(argv[open ? 2 : 1]);  // the folder or the file
    const QDir folder(given);
    const QString pattern = argc == 3 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("*_C.txt");
    const QStringList sheets = open ? QStringList() : folder.entryList({pattern}, QDir::Files);
    QString names;
    for (const QString& name : sheets) names += u'"' + name + QStringLiteral("\" ");

    lw::frmMain window(QStringLiteral(LEADWRIGHT_SHIPPED_DIR));
    window.show();
    window.findChild<QListWidget*>(QStringLiteral("lstKey"))->setCurrentRow(7);  // "D (Bm)"

    const bool typed = qEnvironmentVariableIsSet("TYPED");
    QElapsedTimer clock;
    bool progressShown = false;
    bool failed = false;
    int status = 1;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            if (open) {
                name->setText(QFileInfo(given).absoluteFilePath());
            } else {
                // As a user would: all files selected in the list once the folder is read, or
                // with TYPED set, their names typed.
                auto* list = dialog->findChild<QListView*>(QStringLiteral("listView"));
                if (dialog->directory() != folder) dialog->setDirectory(folder);
                const QString filter = dialog->nameFilters().constLast();
                if (dialog->selectedNameFilter() != filter) dialog->selectNameFilter(filter);
                if (list->model()->rowCount(list->rootIndex()) < sheets.size()) return;
                if (typed)
                    name->setText(names);
                else
                    list->selectAll();
            }
            clock.start();
            QMetaObject::invokeMethod(dialog, "accept");
        } else if (qobject_cast<QProgressDialog*>(modal)) {
            progressShown = true;
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            if (box->button(QMessageBox::Cancel) == nullptr) {  // the summary, or a failure
                std::printf("%.3f s from the dialog to the %s, progress %s\n%s\n",
                            double(clock.nsecsElapsed()) / 1e9, open ? "message" : "summary",
                            progressShown ? "shown" : "not seen", qPrintable(box->text()));
                failed = open;
                status = open ? 1 : 0;
            }
            box->button(QMessageBox::Ok)->click();
        }
    });
    answer.start(5);
    window
        .findChild<QAction*>(open ? QStringLiteral("mnuFileOpen")
                                  : QStringLiteral("mnuFileConvertSeveral"))
        ->trigger();
    if (open && !failed && clock.isValid()) {  // File, Open ends without a message
        std::printf("%.3f s from the dialog to the output, progress %s\n",
                    double(clock.nsecsElapsed()) / 1e9, progressShown ? "shown" : "not seen");
        status = 0;
    }
    return status;
}
