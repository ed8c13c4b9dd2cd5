#include "quiz.h"

#include <QApplication>
#include <QIcon>

#include "content/descriptions.h"
#include "content/designs.h"
#include "content/pictures.h"
#include "logic/procedures.h"

namespace app {

void chooseFontEngine() {
#ifdef Q_OS_WIN
    // The forms' look rests on the embedded font as FreeType draws it; the GDI path draws small
    // bold captions in the regular face. A platform the user names is left alone.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#endif
}

void describeApplication() {
    QApplication::setApplicationName(QStringLiteral("merezhvar"));
    QApplication::setOrganizationName(QStringLiteral("Тевдрина"));
    QApplication::setApplicationVersion(QStringLiteral(MEREZHVAR_VERSION));
    // «Тест Мережвар» is the desktop entry's name and not the display name, which Qt would append
    // to every window caption. The entry's id ties the windows to it and to its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("ua.tevdryna.Merezhvar"));
    QApplication::setWindowIcon(QIcon(content::FormIcon));
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
        .describeForm = content::describeForm,
    };
}

}  // namespace app
