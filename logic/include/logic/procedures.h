#pragma once
// The event procedures of the quiz and the table that binds them to (form, control, event).

#include "engine/forms.h"

#include <QStringList>
#include <vector>

namespace logic {

std::vector<engine::Binding> bindings();
// Forms that the title-bar close button only hides; closing any other form ends the program.
QStringList formsHiddenOnClose();
// For screen readers, a form's description: «Питання 5 з 24. » and the question on a question form,
// the verdict on the result form, the author's words on the about form, nothing elsewhere.
QString describeForm(const engine::Form& form);

}  // namespace logic
