#pragma once
#include <QImage>
#include <QWidget>
#include <vector>

#include "properties.h"

namespace engine {

// One control of a live form: its design, its current properties, its decoded picture, a label's
// caption laid out, and the child widget of a windowed control.
struct LiveControl {
    const ControlDesign* design = nullptr;
    ControlProperties props;
    QImage picture;
    QString description;         // what a picture shows, for screen readers
    std::vector<QString> lines;  // a label's caption in lines, laid out wherever it is set
    QWidget* widget = nullptr;
};

inline bool isWindowed(ControlKind kind) {
    return kind == ControlKind::CommandButton || kind == ControlKind::CheckBox;
}

}  // namespace engine
