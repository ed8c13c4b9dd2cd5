#include "event_procedures.h"

#include <cmath>

namespace logic {
namespace {

using content::answerKey;
using content::optionBoxes;
using engine::Forms;

// The answer is right exactly when the scored box is ticked; greyed earns nothing.
void recordAnswer(Forms& program, const content::Question& q) {
    engine::Form& form = program.form(q.form);
    form.setCaption(q.scoreLabel, form.value(q.scoredCheckBox) == engine::Checked ? "1" : "0");
}

}  // namespace

void Form1::Command1_Click(Forms& program) {
    // A new pass inherits no tick, no picture and no keyboard place from the last one.
    for (const auto& q : answerKey) {
        engine::Form& form = program.form(q.form);
        for (const auto& box : optionBoxes) form.setValue(box, engine::Unchecked);
        form.resetFocus();
    }
    engine::Form& result = program.form(content::resultForm);
    result.setVisible(content::passPictureControl, false);
    result.setVisible(content::failPictureControl, false);

    result.setCaption(content::resultLabel, QString());
    for (const auto& q : answerKey) program.form(q.form).setCaption(q.scoreLabel, QString());

    program.form(answerKey.front().form).show();
    program.form(content::startForm).hide();
}

void QuestionForm::Command1_Click(Forms& program, const content::Question& q) {
    recordAnswer(program, q);
    program.form(q.next).show();
    program.form(q.form).hide();
}

void Form26::Command1_Click(Forms& program) {
    const content::Question& last = lastQuestion();
    recordAnswer(program, last);

    double total = 0.0;
    for (const auto& q : answerKey)
        total += engine::toNumber(program.form(q.form).caption(q.scoreLabel),
                                  q.form + "." + q.scoreLabel);
    if (!std::isfinite(total))
        throw engine::RuntimeError(QStringLiteral("сума балів: переповнення"));

    // The total passes through the result label and is read back, as a number, before the
    // verdict replaces it; the form is hidden all the while, so no number is ever seen.
    engine::Form& result = program.form(content::resultForm);
    const QString where = content::resultForm + "." + content::resultLabel;
    result.setCaption(content::resultLabel, QString::number(total, 'f', 0));
    const bool passed =
        engine::toNumber(result.caption(content::resultLabel), where) >= content::PassMark;
    result.setCaption(content::resultLabel, passed ? content::passVerdict : content::failVerdict);
    result.setVisible(passed ? content::passPictureControl : content::failPictureControl, true);

    result.show();
    program.form(last.form).hide();
}

}  // namespace logic
