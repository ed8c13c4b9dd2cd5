#pragma once
// The event procedures of the quiz and the table that binds them to (form, control, event).

#include "engine/program.h"

namespace logic {

std::vector<engine::Binding> bindings();
// Forms that the title-bar close button only hides; closing any other form ends the program.
QStringList formsHiddenOnClose();

}  // namespace logic
