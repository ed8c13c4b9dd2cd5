#include "descriptions.h"

#include "answer_key.h"
#include "engine/form_instance.h"
#include "pictures.h"

namespace content {

QHash<QString, QString> pictureDescriptions() {
    return {
        {StartPicture, QStringLiteral("Глобус, оточений мережею зв'язків і пристроїв")},
        {PassPicture, QStringLiteral("Веселий жовтий смайлик підстрибує від радості")},
        {FailPicture, QStringLiteral("Зелений мультяшний вірус-монстр")},
        {AuthorPortrait, QStringLiteral("Портрет авторки тесту, учениці")},
    };
}

QString describeForm(const engine::FormInstance& form) {
    if (form.name() == resultForm) return form.caption(resultLabel).trimmed();
    for (const auto& q : answerKey)
        if (q.form == form.name())
            return QStringLiteral("Питання %1 з %2").arg(q.number).arg(answerKey.size());
    return {};
}

}  // namespace content
