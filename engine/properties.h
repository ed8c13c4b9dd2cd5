#pragma once
// Every property of a form or control, the stated value or its default. The defaults live here
// and nowhere else.

#include <QColor>
#include <QFont>
#include <QRect>

#include "engine/design.h"

namespace engine {

inline constexpr Colour standardTextColour{0x00000000};  // black
inline constexpr Colour standardFaceColour{0x00F0F0F0};  // the platform's control face grey

struct FormProperties {
    QString caption;
    Colour backColor;
    bool maxButton = true;
    bool minButton = true;
    Twips clientWidth = 0;
    Twips clientHeight = 0;
    Font font;
};

struct ControlProperties {
    QString caption;
    Rect rect;
    int tabIndex = -1;  // -1: the kind has no place in the tab order
    Colour foreColor = standardTextColour;
    Colour backColor = standardFaceColour;
    Alignment alignment = LeftJustify;
    BackStyle backStyle = Opaque;
    ButtonStyle style = Standard;
    ShapeKind shape = Rectangle;
    FillStyle fillStyle = TransparentFill;
    Colour fillColor{0x00000000};
    Font font;
    bool visible = true;
    CheckValue value = Unchecked;  // a check box's first state; the box itself holds it after
    QString picture;
};

FormProperties resolve(const FormDesign& form);
ControlProperties resolve(const ControlDesign& control, const FormDesign& form);

// Units: twips to device-independent pixels, colours and fonts to Qt's.
constexpr int pixels(Twips t) {
    return t / twipsPerPixel;
}
QRect pixels(const Rect& r);
QColor toQColor(Colour c);
// Fonts are set by pixel size (points x 96 / 72), in the embedded stand-in for "MS Sans Serif".
int pixelSize(double points);
QFont toQFont(const Font& f);

}  // namespace engine
