#include "procedures.h"

namespace logic {

std::vector<engine::Binding> bindings() { return {}; }

QStringList formsHiddenOnClose() { return {}; }

}  // namespace logic
