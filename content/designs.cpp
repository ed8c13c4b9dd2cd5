#include "content/designs.h"

namespace content {

const std::vector<engine::FormDesign>& designs() {
    static const std::vector<engine::FormDesign> all = [] {
        // Form1 to Form27, by number. The result form was numbered between the second question and
        // the third, so the numbers do not follow the order of the test.
        std::vector<engine::FormDesign> questions = questionFormDesigns();
        std::vector<engine::FormDesign> forms;
        forms.push_back(startFormDesign());
        forms.insert(forms.end(), std::make_move_iterator(questions.begin()),
                     std::make_move_iterator(questions.begin() + 2));
        forms.push_back(resultFormDesign());
        forms.insert(forms.end(), std::make_move_iterator(questions.begin() + 2),
                     std::make_move_iterator(questions.end()));
        forms.push_back(aboutFormDesign());
        return forms;
    }();
    return all;
}

QStringList fontResources() {
    return {QStringLiteral(":/fonts/MerezhvarSans-Regular.ttf"),
            QStringLiteral(":/fonts/MerezhvarSans-Bold.ttf")};
}

}  // namespace content
