#pragma once
// The event procedures. Each keeps the name of its control and event within its form; the 24
// «Далі» procedures are one, driven by the row of the answer key that belongs to the form.

#include "content/answer_key.h"
#include "content/designs.h"
#include "engine/forms.h"

namespace logic {

// The question whose «Далі» scores the pass and shows the result form.
inline const content::Question& lastQuestion() {
    return content::answerKey.back();
}

namespace Form1 {
void Command1_Click(engine::Forms& program);    // «Розпочати тест»: starts a pass
void Про_автора_Click(engine::Forms& program);  // the menu entry «Про автора»
}  // namespace Form1

namespace QuestionForm {
void Command1_Click(engine::Forms& program, const content::Question& question);  // «Далі»
}

namespace Form26 {
void Command1_Click(engine::Forms& program);  // the last «Далі»: records and scores
}

namespace Form4 {
void Command1_Click(engine::Forms& program);  // «Розпочати знову»
void Command2_Click(engine::Forms& program);  // «Закрити»
}  // namespace Form4

namespace Form27 {
void Command1_Click(engine::Forms& program);  // «Закрити»
}

}  // namespace logic
