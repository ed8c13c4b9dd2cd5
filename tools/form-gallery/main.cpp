// Writes one PNG per form to the given folder, named after the form: the window's inside (menu bar
// and client area, without the window manager's frame) as it looks when first shown, focus marker
// included, at one pixel per 15 twips (or at the display scale given). The result form is written
// also after a passed and after a failed pass (Form4-pass.png, Form4-fail.png). The pictures in
// tests/pictures are made by it (tools/refresh-pictures).
#include <QApplication>
#include <QDir>
#include <QTextStream>

#include "app/quiz.h"
#include "engine/program.h"
#include "content/answer_key.h"
#include "content/designs.h"

namespace {

QTextStream err(stderr);

engine::Host reportingHost() {
    return {.showFatal = [](const QString& m) { err << m << "\n"; }, .exit = [](int) {}};
}

bool save(engine::FormInstance& form, const QString& file) {
    QApplication::processEvents();
    // Quality 0: the smallest file zlib can make; PNG loses nothing at any quality.
    if (form.window().grab().save(file, "PNG", 0)) return true;
    err << "cannot write " << file << "\n";
    return false;
}

// Plays one pass through the dispatcher, `right` questions answered right, and saves the result.
bool savePass(int right, const QString& file) {
    engine::Program program(app::quizSetup(reportingHost()));
    program.start(content::startForm);
    program.deliver(content::startForm, "Command1", engine::Event::Click);
    for (const auto& q : content::answerKey) {
        if (q.number <= right && !program.ended())
            program.form(q.form).setValue(q.scoredCheckBox, engine::Checked);
        program.deliver(q.form, "Command1", engine::Event::Click);
    }
    return !program.ended() && save(program.form(content::resultForm), file);
}

// The offscreen platform says so for every window shown or raised; nothing else is dropped.
QtMessageHandler standardHandler = nullptr;
void quietOffscreenPlatform(QtMsgType type, const QMessageLogContext& context, const QString& m) {
    if (!m.startsWith(QLatin1String("This plugin does not support")))
        standardHandler(type, context, m);
}

}  // namespace

int main(int argc, char* argv[]) {
    standardHandler = qInstallMessageHandler(quietOffscreenPlatform);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", argc == 3 ? argv[2] : "1");
    QApplication application(argc, argv);
    if (argc != 2 && argc != 3) {
        err << "usage: form-gallery OUTPUT_FOLDER [SCALE]\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(out.path())) {
        err << "cannot create " << out.path() << "\n";
        return 1;
    }

    engine::Program program(app::quizSetup(reportingHost()));
    for (const auto& design : content::designs()) {
        program.start(design.name);  // creates and shows it, as first shown
        if (program.ended() || !save(program.form(design.name), out.filePath(design.name + ".png")))
            return 1;
        program.form(design.name).hide();
    }
    const bool ok =
        savePass(24, out.filePath("Form4-pass.png")) && savePass(0, out.filePath("Form4-fail.png"));
    return ok ? 0 : 1;
}
