#include "app/quiz.h"
#include "app/startup.h"
#include "content/designs.h"
#include "engine/application.h"

int main(int argc, char* argv[]) {
    const auto application = app::openApplication(argc, argv);
    app::describeApplication();
    return engine::run(app::quizSetup(engine::applicationHost(content::programCaption)),
                       content::startForm);
}
