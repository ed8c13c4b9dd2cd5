#include "fonts.h"

#include <QFontDatabase>
#include <set>

#include "engine/runtime_error.h"

namespace engine {

void registerFonts(const QStringList& resourcePaths) {
    static std::set<QString> registered;
    for (const auto& path : resourcePaths) {
        if (registered.contains(path)) continue;
        if (QFontDatabase::addApplicationFont(path) < 0)
            throw RuntimeError(QStringLiteral("не вдалося завантажити шрифт %1").arg(path));
        registered.insert(path);
    }
}

QString standInFamily() {
    return QStringLiteral("Liberation Sans");
}

}  // namespace engine
