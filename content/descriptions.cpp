#include "content/descriptions.h"

#include "content/pictures.h"

namespace content {

QHash<QString, QString> pictureDescriptions() {
    return {
        {StartPicture, QStringLiteral("Глобус, оточений мережею зв'язків і пристроїв")},
        {PassPicture, QStringLiteral("Веселий жовтий смайлик підстрибує від радості")},
        {FailPicture, QStringLiteral("Зелений мультяшний вірус-монстр")},
        {AuthorPortrait, QStringLiteral("Портрет авторки тесту, учениці")},
    };
}

}  // namespace content
