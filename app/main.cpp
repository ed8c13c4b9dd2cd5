#include <QApplication>

#include "content/designs.h"
#include "quiz.h"

int main(int argc, char* argv[]) {
    app::chooseFontEngine();
    QApplication application(argc, argv);
    app::describeApplication();
    engine::Program program(app::quizSetup(engine::applicationHost(content::programCaption)));
    program.start(content::startForm);
    if (const auto status = program.exitStatus()) return *status;  // a fatal error at start-up
    return QApplication::exec();
}
