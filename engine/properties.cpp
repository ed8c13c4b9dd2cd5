#include "properties.h"

#include <cmath>

#include "fonts.h"

namespace engine {

FormProperties resolve(const FormDesign& form) {
    return FormProperties{
        .caption = form.caption.value_or(QString()),
        .backColor = form.backColor,
        .maxButton = form.maxButton.value_or(true),
        .minButton = form.minButton.value_or(true),
        .clientWidth = form.clientWidth,
        .clientHeight = form.clientHeight,
        .font = form.font.value_or(Font{}),
    };
}

ControlProperties resolve(const ControlDesign& c, const FormDesign& form) {
    const ControlProperties d;
    return ControlProperties{
        .caption = c.caption.value_or(QString()),
        .rect = c.rect,
        .tabIndex = c.tabIndex.value_or(d.tabIndex),
        .foreColor = c.foreColor.value_or(d.foreColor),
        .backColor = c.backColor.value_or(d.backColor),
        .alignment = c.alignment.value_or(d.alignment),
        .backStyle = c.backStyle.value_or(d.backStyle),
        .style = c.style.value_or(d.style),
        .shape = c.shape.value_or(d.shape),
        .fillStyle = c.fillStyle.value_or(d.fillStyle),
        .fillColor = c.fillColor.value_or(d.fillColor),
        .font = c.font ? *c.font : resolve(form).font,
        .visible = c.visible.value_or(d.visible),
        .value = c.value.value_or(d.value),
        .picture = c.picture.value_or(QString()),
    };
}

QRect pixels(const Rect& r) {
    return QRect(pixels(r.left), pixels(r.top), pixels(r.width), pixels(r.height));
}

QColor toQColor(Colour c) {
    return QColor(int(c.bgr & 0xFF), int((c.bgr >> 8) & 0xFF), int((c.bgr >> 16) & 0xFF));
}

int pixelSize(double points) {
    return int(std::lround(points * 96.0 / 72.0));
}

QFont toQFont(const Font& f) {
    QFont q(standInFamily());
    q.setPixelSize(pixelSize(f.points));
    q.setWeight(f.weight >= 700 ? QFont::Bold : QFont::Normal);
    q.setItalic(f.italic);
    q.setUnderline(f.underline);
    q.setStrikeOut(f.strikethrough);
    // Outline metrics, not hinted ones, so that a caption breaks into the same lines at any scale.
    q.setHintingPreference(QFont::PreferNoHinting);
    q.setKerning(false);
    return q;
}

}  // namespace engine
