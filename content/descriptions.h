#pragma once
// What a screen reader says beyond the captions: what each picture shows, and where a form stands
// in the test. None of it is drawn.

#include <QHash>
#include <QString>

namespace engine {
class FormInstance;
}

namespace content {

QHash<QString, QString> pictureDescriptions();

// «Питання 5 з 24» on a question form, the verdict on the result form, nothing elsewhere.
QString describeForm(const engine::FormInstance& form);

}  // namespace content
