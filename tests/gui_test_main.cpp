// main() of the window tests: Qt needs its application object before any widget, and a display;
// the offscreen platform is the default. Modal windows are answered whenever an event loop runs.
#include <QTimer>

#include "ModalAnswers.h"

int main(int argc, char* argv[]) {
    testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTimer answering;
    QObject::connect(&answering, &QTimer::timeout, &lw::test::AnswerModalWindow);
    answering.start(10);
    return RUN_ALL_TESTS();
}
