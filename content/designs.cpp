#include "designs.h"

namespace content {

const std::vector<engine::FormDesign>& designs() {
    static const std::vector<engine::FormDesign> all = [] {
        std::vector<engine::FormDesign> forms;
        forms.push_back(startFormDesign());
        return forms;
    }();
    return all;
}

QStringList fontResources() {
    return {QStringLiteral(":/fonts/LiberationSans-Regular.ttf"),
            QStringLiteral(":/fonts/LiberationSans-Bold.ttf")};
}

}  // namespace content
