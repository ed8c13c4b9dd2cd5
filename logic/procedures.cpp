#include "logic/procedures.h"

#include "event_procedures.h"

namespace logic {

std::vector<engine::Binding> bindings() {
    using engine::Event;
    std::vector<engine::Binding> table = {
        {content::startForm, "Command1", Event::Click, Form1::Command1_Click},
        {content::startForm, "Про_автора", Event::Click, Form1::Про_автора_Click},
        {content::resultForm, "Command1", Event::Click, Form4::Command1_Click},
        {content::resultForm, "Command2", Event::Click, Form4::Command2_Click},
        {content::aboutForm, "Command1", Event::Click, Form27::Command1_Click},
    };
    for (const auto& q : content::answerKey) {
        if (&q == &lastQuestion())
            table.push_back({q.form, "Command1", Event::Click, Form26::Command1_Click});
        else
            table.push_back({q.form, "Command1", Event::Click, [&q](engine::Forms& program) {
                                 QuestionForm::Command1_Click(program, q);
                             }});
    }
    return table;
}

QStringList formsHiddenOnClose() {
    return {content::aboutForm};
}

// Read on every Show. A screen reader speaks a window's description when the window opens, but
// not the static texts inside it, so the description carries what must be heard at once.
QString describeForm(const engine::Form& form) {
    const auto spoken = [](const QString& caption) { return caption.simplified(); };
    if (form.name() == content::resultForm) return spoken(form.caption(content::resultLabel));
    if (form.name() == content::aboutForm) return spoken(form.caption(content::aboutLabel));
    for (const auto& q : content::answerKey)
        if (q.form == form.name())
            return QStringLiteral("Питання %1 з %2. %3")
                .arg(q.number)
                .arg(content::answerKey.size())
                .arg(spoken(form.caption(content::questionLabel)));
    return {};
}

}  // namespace logic
