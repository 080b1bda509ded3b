#include <QApplication>

#include "frmMain.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The configuration and help files sit beside the program, not in the working directory.
    lw::frmMain window(QCoreApplication::applicationDirPath());
    window.show();
    return app.exec();
}
