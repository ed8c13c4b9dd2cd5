#include <QApplication>

#include "app/quiz.h"
#include "content/designs.h"
#include "engine/application.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    app::describeApplication();
    return engine::run(app::quizSetup(engine::applicationHost(content::programCaption)),
                       content::startForm);
}
