#include "app/quiz.h"
#include "app/startup.h"
#include "content/designs.h"

int main(int argc, char* argv[]) {
    const auto application = app::openApplication(argc, argv);
    return app::run(engine::applicationHost(content::programCaption));
}
