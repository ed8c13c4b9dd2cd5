// Writes one PNG per form to the given folder, named after the form: the client area as it looks
// when first shown, at one pixel per 15 twips, the menu bar left out.
#include <QApplication>
#include <QDir>
#include <QTextStream>

#include "content/designs.h"
#include "logic/procedures.h"

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    QApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: form-gallery OUTPUT_FOLDER\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        err << "cannot create " << out.path() << "\n";
        return 1;
    }

    engine::Program program({
        .designs = content::designs(),
        .bindings = logic::bindings(),
        .host = {.showFatal = [&](const QString& m) { err << m << "\n"; }, .exit = [](int) {}},
        .fonts = content::fontResources(),
    });
    for (const auto& design : content::designs()) {
        program.start(design.name);
        if (program.ended()) return 1;
        engine::FormInstance& form = program.form(design.name);
        QApplication::processEvents();
        const QString file = out.filePath(design.name + ".png");
        if (!form.window().surface()->grab().save(file)) {
            err << "cannot write " << file << "\n";
            return 1;
        }
        form.hide();
    }
    return program.ended() ? 1 : 0;
}
