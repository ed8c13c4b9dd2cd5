#include "fonts.h"

#include <QFontDatabase>
#include <QResource>
#include <set>

#include "engine/runtime_error.h"

namespace engine {

void registerFonts(const QStringList& resourcePaths) {
    static std::set<QString> registered;
    for (const auto& path : resourcePaths) {
        if (registered.contains(path)) continue;
        // An uncompressed resource is read where it lies in the program, without a copy.
        const QResource resource(path);
        const int id =
            resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression
                ? QFontDatabase::addApplicationFontFromData(QByteArray::fromRawData(
                      reinterpret_cast<const char*>(resource.data()), resource.size()))
                : QFontDatabase::addApplicationFont(path);
        if (id < 0) throw RuntimeError(QStringLiteral("не вдалося завантажити шрифт %1").arg(path));
        registered.insert(path);
    }
}

QString standInFamily() {
    return QStringLiteral("Merezhvar Sans");
}

}  // namespace engine
