#pragma once
// The program's content: the designs of all 27 forms and the resources they name.

#include <QStringList>
#include <vector>

#include "engine/design.h"

namespace content {

// Every form bears this caption but the about form.
inline const QString programCaption = QStringLiteral("Тест \"Мережвар\".");
inline const QString startForm = QStringLiteral("Form1");

const std::vector<engine::FormDesign>& designs();
QStringList fontResources();

// One design per file, in the order the forms appear to the user.
engine::FormDesign startFormDesign();
// The 24 question forms, in the order of the test (content::answerKey).
std::vector<engine::FormDesign> questionFormDesigns();
engine::FormDesign resultFormDesign();
engine::FormDesign aboutFormDesign();

}  // namespace content
