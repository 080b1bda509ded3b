#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Leadwright, V" LEADWRIGHT_VERSION));
    window.show();
    return app.exec();
}
