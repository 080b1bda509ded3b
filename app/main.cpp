#include <QApplication>

#include "app/frmMain.h"
#include "io/TemporaryFiles.h"

int main(int argc, char* argv[]) {
    lw::RemoveTemporaryFilesOnTermination();
    QApplication app(argc, argv);
    // The configuration and help files sit beside the program, not in the working directory.
    lw::frmMain window(QCoreApplication::applicationDirPath());
    window.show();
    return app.exec();
}
