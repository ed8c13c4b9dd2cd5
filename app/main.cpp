#include <QApplication>

#include "content/designs.h"
#include "logic/procedures.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // Windows hide rather than close; the program ends only by End or a fatal error.
    QApplication::setQuitOnLastWindowClosed(false);

    engine::Program program({
        .designs = content::designs(),
        .bindings = logic::bindings(),
        .hideOnClose = logic::formsHiddenOnClose(),
        .host = engine::applicationHost(content::programCaption),
        .fonts = content::fontResources(),
    });
    program.start(content::startForm);
    if (const auto status = program.exitStatus()) return *status;
    return QApplication::exec();
}
