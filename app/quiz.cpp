#include "app/quiz.h"

#include <QApplication>

#include "content/descriptions.h"
#include "content/designs.h"
#include "logic/procedures.h"

namespace app {

void describeApplication() {
    QApplication::setApplicationName(QStringLiteral("merezhvar"));
    QApplication::setOrganizationName(QStringLiteral("Тевдрина"));
    QApplication::setApplicationVersion(QStringLiteral(MEREZHVAR_VERSION));
    // «Тест Мережвар» is the desktop entry's name and not the display name, which Qt would append
    // to every window caption. The entry's id ties the windows to it and to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("ua.tevdryna.Merezhvar"));
    // Windows hide rather than close; the program ends only by End or a fatal error.
    QApplication::setQuitOnLastWindowClosed(false);
}

engine::ProgramSetup quizSetup(engine::Host host) {
    return {
        .designs = content::designs(),
        .bindings = logic::bindings(),
        .hideOnClose = logic::formsHiddenOnClose(),
        .host = std::move(host),
        .fonts = content::fontResources(),
        .pictureDescriptions = content::pictureDescriptions(),
        .describeForm = logic::describeForm,
    };
}

int run(engine::Host host, engine::PictureReader readPicture) {
    describeApplication();
    engine::ProgramSetup setup = quizSetup(std::move(host));
    setup.readPicture = std::move(readPicture);
    return engine::run(std::move(setup), content::startForm);
}

}  // namespace app
