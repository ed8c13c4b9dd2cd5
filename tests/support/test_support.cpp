#include "support/test_support.h"

#include <QApplication>
#include <QTest>

#include "app/quiz.h"
#include "content/descriptions.h"
#include "engine/fonts.h"

namespace testing {

TestProgram::TestProgram(const std::vector<engine::FormDesign>& designs, ProgramOptions options)
    : designs_(designs) {
    engine::registerFonts(content::fontResources());
    engine::ProgramSetup setup = app::quizSetup(host());
    setup.designs = designs_;
    setup.readPicture = std::move(options.readPicture);
    if (options.bindings) setup.bindings = std::move(*options.bindings);
    if (options.hideOnClose) setup.hideOnClose = std::move(*options.hideOnClose);
    program_ = std::make_unique<engine::Program>(std::move(setup));
}

engine::Host TestProgram::host() {
    return {.showFatal = [this](const QString& m) { outcome_.fatalMessages << m; },
            .exit = [this](int status) { outcome_.exits.push_back(status); }};
}

void TestProgram::start(const QString& form) {
    program_->start(form);
}

bool TestProgram::click(const QString& form, const QString& control) {
    QWidget* w = program_->form(form).widget(control);
    if (!w) {
        QTest::qFail(qPrintable(form + "." + control + " is not a windowed control"), __FILE__,
                     __LINE__);
        return false;
    }
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
    return true;
}

bool TestProgram::answerAll(const std::function<QStringList(const content::Question&)>& choose) {
    for (const auto& q : content::answerKey) {
        if (!program_->form(q.form).isShown()) {
            QTest::qFail(qPrintable(q.form + " is not on screen"), __FILE__, __LINE__);
            return false;
        }
        for (const auto& box : choose(q))
            if (!click(q.form, box)) return false;
        if (!click(q.form, "Command1")) return false;
    }
    return true;
}

std::function<QStringList(const content::Question&)> rightAnswers(int n) {
    return [n](const content::Question& q) {
        if (q.number <= n) return QStringList{q.scoredCheckBox};
        QStringList wrong = content::optionBoxes;
        wrong.removeAll(q.scoredCheckBox);
        return wrong;
    };
}

QImage grabClient(engine::FormInstance& form) {
    return form.window().surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

qsizetype countPixels(const QRect& area, const std::function<bool(QPoint)>& test) {
    qsizetype n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += test(QPoint(x, y));
    return n;
}

qsizetype countPixels(const QImage& image, const QRect& area, QRgb colour) {
    return countPixels(area, [&](QPoint p) { return image.pixel(p) == colour; });
}

void settle() {
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void keyClick(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    // Given no widget, QTest would go through the window with the keyboard, on the real clock.
    QWidget* target = QApplication::focusWidget();
    if (!target) {
        QTest::qFail("no control has the keyboard", __FILE__, __LINE__);
        return;
    }
    QTest::keyClick(target, key, modifiers);
}

}  // namespace testing
