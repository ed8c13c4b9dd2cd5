#pragma once
// The constant description of a form and its controls. A design states only what differs from the
// defaults; engine/properties.h resolves every property with its default.
//
// A design carries every property its form description states, so that it can be checked against
// the description line by line. Some are kept for that fidelity alone and the engine never reads
// them: a control's id; a form's clientLeft and clientTop (the engine places every form on the
// screen at its first Show, and it reopens where it was left), startUpPosition and linkTopic; a
// font's face and charset (every text is drawn in the embedded Merezhvar Sans, Liberation Sans
// renamed, which has the Cyrillic letters). Everything else here is honoured.

#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace engine {

// Lengths are twips: 1/1440 inch, 15 to a device-independent pixel.
using Twips = int;
inline constexpr Twips twipsPerPixel = 15;

// A colour written &H00BBGGRR&: red in the lowest byte, then green, then blue.
struct Colour {
    std::uint32_t bgr = 0;
    friend bool operator==(Colour, Colour) = default;
};

struct Font {
    double points = 8.25;
    int weight = 400;                                // 700 is bold
    QString face = QStringLiteral("MS Sans Serif");  // kept for fidelity
    int charset = 204;                               // Cyrillic; kept for fidelity
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    friend bool operator==(const Font&, const Font&) = default;
};

inline Font regular(double points) {
    return Font{.points = points, .weight = 400};
}
inline Font bold(double points) {
    return Font{.points = points, .weight = 700};
}

enum class ControlKind { Label, CommandButton, CheckBox, Image, Shape };

// Enumerated settings, by the names the designs use; each setting takes only its own values.
enum class Alignment { LeftJustify = 0, Center = 2 };
enum class BackStyle { Transparent = 0, Opaque = 1 };
enum class ButtonStyle { Standard = 0, Graphical = 1 };
enum class ShapeKind { Rectangle = 0, RoundedRectangle = 4 };
enum class FillStyle { Solid = 0, TransparentFill = 1 };
enum class CheckValue { Unchecked = 0, Checked = 1, Grayed = 2 };
using enum Alignment;
using enum BackStyle;
using enum ButtonStyle;
using enum ShapeKind;
using enum FillStyle;
using enum CheckValue;

struct Rect {
    Twips left = 0;
    Twips top = 0;
    Twips width = 0;
    Twips height = 0;
    friend bool operator==(const Rect&, const Rect&) = default;
};

// One control. Fields follow the columns of a design table: name, kind, caption, rectangle, then
// the further properties. An empty optional is an absent property.
struct ControlDesign {
    QString name;
    ControlKind kind = ControlKind::Label;
    int id = 0;  // kept for fidelity
    std::optional<QString> caption;
    Rect rect;
    std::optional<int> tabIndex;
    std::optional<Colour> foreColor;
    std::optional<Colour> backColor;
    std::optional<Alignment> alignment;
    std::optional<BackStyle> backStyle;
    std::optional<ButtonStyle> style;
    std::optional<ShapeKind> shape;
    std::optional<FillStyle> fillStyle;
    std::optional<Colour> fillColor;
    std::optional<Font> font;
    std::optional<bool> visible;
    std::optional<CheckValue> value;
    std::optional<QString> picture;  // resource path of an encoded JPEG
};

struct MenuItemDesign {
    QString name;
    QString caption;
};

struct FormDesign {
    QString name;
    std::optional<QString> caption;
    Colour backColor;
    std::optional<bool> maxButton;
    std::optional<bool> minButton;
    Twips clientLeft = 60;  // kept for fidelity
    Twips clientTop = 450;  // kept for fidelity
    Twips clientWidth = 0;
    Twips clientHeight = 0;
    // 1, centred over the owner; no form has an owner, so each first opens centred on the screen.
    // Kept for fidelity: the engine places every form itself (FormWindow).
    int startUpPosition = 1;
    QString icon;       // resource path of an icon file; empty: none yet
    QString linkTopic;  // kept for fidelity
    std::optional<Font> font;
    std::vector<ControlDesign> controls;  // z-order, topmost first
    std::vector<MenuItemDesign> menu;     // left to right
};

// A design by name, and a control of a design by name; null where there is none.
const FormDesign* findDesign(std::span<const FormDesign> designs, const QString& name);
const ControlDesign* findControl(const FormDesign& form, const QString& name);

}  // namespace engine
