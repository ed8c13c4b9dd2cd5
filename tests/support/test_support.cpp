#include "support/test_support.h"

#include <QApplication>
#include <QTest>

#include "content/descriptions.h"
#include "logic/procedures.h"
#include "engine/fonts.h"

namespace testing {

TestProgram::TestProgram(const std::vector<engine::FormDesign>& designs, ProgramOptions options)
    : designs_(designs) {
    engine::registerFonts(content::fontResources());
    program_ = std::make_unique<engine::Program>(engine::ProgramSetup{
        .designs = designs_,
        .bindings = std::move(options.bindings),
        .hideOnClose = std::move(options.hideOnClose),
        .host = {.showFatal = [this](const QString& m) { outcome_.fatalMessages << m; },
                 .exit = [this](int status) { outcome_.exits.push_back(status); }},
        .fonts = content::fontResources(),
        .readPicture = std::move(options.readPicture),
        .pictureDescriptions = content::pictureDescriptions(),
        .describeForm = logic::describeForm,
    });
}

void TestProgram::start(const QString& form) {
    program_->start(form);
}

void TestProgram::click(const QString& form, const QString& control) {
    QWidget* w = program_->form(form).widget(control);
    QVERIFY2(w, qPrintable(form + "." + control + " is not a windowed control"));
    QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
}

void TestProgram::answerAll(const std::function<QStringList(const content::Question&)>& choose) {
    for (const auto& q : content::answerKey) {
        QVERIFY2(program_->form(q.form).isShown(), qPrintable(q.form + " is not on screen"));
        for (const auto& box : choose(q)) click(q.form, box);
        click(q.form, "Command1");
    }
}

std::function<QStringList(const content::Question&)> rightAnswers(int n) {
    return [n](const content::Question& q) {
        if (q.number <= n) return QStringList{q.scoredCheckBox};
        QStringList wrong = {"Check1", "Check2", "Check3", "Check4"};
        wrong.removeAll(q.scoredCheckBox);
        return wrong;
    };
}

QImage grabClient(engine::FormInstance& form) {
    return form.window().surface()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace testing
