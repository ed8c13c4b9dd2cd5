#include "content/designs.h"

#include <algorithm>
#include <iterator>

namespace content {
namespace {

int formNumber(const engine::FormDesign& d) {
    return d.name.sliced(4).toInt();
}

}  // namespace

const std::vector<engine::FormDesign>& designs() {
    static const std::vector<engine::FormDesign> all = [] {
        std::vector<engine::FormDesign> forms;
        forms.push_back(startFormDesign());
        std::ranges::move(questionFormDesigns(), std::back_inserter(forms));
        forms.push_back(resultFormDesign());
        forms.push_back(aboutFormDesign());
        // By number, Form1 to Form27; the numbers do not follow the order of the test.
        std::ranges::sort(forms, {}, formNumber);
        return forms;
    }();
    return all;
}

QStringList fontResources() {
    return {QStringLiteral(":/fonts/LiberationSans-Regular.ttf"),
            QStringLiteral(":/fonts/LiberationSans-Bold.ttf")};
}

}  // namespace content
