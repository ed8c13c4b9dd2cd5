#include "engine/design.h"

namespace engine {

const FormDesign* findDesign(std::span<const FormDesign> designs, const QString& name) {
    for (const auto& d : designs)
        if (d.name == name) return &d;
    return nullptr;
}

const ControlDesign* findControl(const FormDesign& form, const QString& name) {
    for (const auto& c : form.controls)
        if (c.name == name) return &c;
    return nullptr;
}

}  // namespace engine
