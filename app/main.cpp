#include "app/quiz.h"
#include "app/startup.h"
#include "content/designs.h"
#include "engine/application.h"

int main(int argc, char* argv[]) {
    std::vector<char*> arguments = app::toolkitArguments(argc, argv);
    int count = int(arguments.size()) - 1;
    const auto application = app::openApplication(count, arguments.data());
    app::describeApplication();
    return engine::run(app::quizSetup(engine::applicationHost(content::programCaption)),
                       content::startForm);
}
