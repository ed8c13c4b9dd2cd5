#pragma once
#include <QStringList>

namespace engine {

// Registers the embedded stand-in font files once per process; a file that cannot be registered
// is a fatal run-time error.
void registerFonts(const QStringList& resourcePaths);

// The family every design font maps to.
QString standInFamily();

}  // namespace engine
