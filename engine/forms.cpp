#include "engine/forms.h"

#include <QLocale>

namespace engine {

double toNumber(const QString& text, const QString& where) {
    if (text.isEmpty()) return 0.0;
    bool ok = false;
    const double n = QLocale::c().toDouble(text, &ok);
    if (!ok) throw RuntimeError(QStringLiteral("%1: текст «%2» не є числом").arg(where, text));
    return n;
}

}  // namespace engine
