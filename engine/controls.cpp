#include "controls.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

#include "drawing.h"

namespace engine {
namespace {

const QColor light(255, 255, 255);
const QColor shadow(160, 160, 160);
const QColor darkShadow(64, 64, 64);

// A button's focus marker lies this far inside its edge; a check box's surrounds the caption's
// ink by these margins.
constexpr int buttonMarkerInset = 4;
constexpr QMarginsF captionMarkerMargins(2, 1, 2, 1);
// The tick, from the tick box's top-left corner: down to the bottom of the V, then up.
constexpr QPointF tickPoints[] = {{3, 6.5}, {5.5, 9}, {10, 4}};
constexpr double tickPenWidth = 2.0;

// A two-pixel three-dimensional edge, raised or sunken: the outer line light on the lit sides
// and dark on the others, the inner line grey on the shaded sides.
void drawEdge(QPainter& p, QRect r, bool sunken) {
    p.setPen(sunken ? darkShadow : light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(sunken ? light : darkShadow);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    r.adjust(1, 1, -1, -1);
    p.setPen(shadow);
    if (sunken) {
        p.drawLine(r.topLeft(), r.topRight());
        p.drawLine(r.topLeft(), r.bottomLeft());
    } else {
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
    }
}

// A dotted focus marker, black on the light faces of the designs.
void drawFocusMarker(QPainter& p, const QRectF& r) {
    p.save();
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.restore();
}

}  // namespace

CommandButton::CommandButton(const ControlProperties& p, QWidget* parent)
    : QPushButton(p.caption, parent),
      face_(toQColor(p.style == Graphical ? p.backColor : standardFaceColour)) {
    setFont(toQFont(p.font));
    setGeometry(pixels(p.rect));
    setFocusPolicy(Qt::StrongFocus);
}

void CommandButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, face_);
    const bool sunken = isDown();
    drawEdge(p, r, sunken);
    p.setPen(toQColor(standardTextColour));
    p.setFont(font());
    p.setLayoutDirection(Qt::LeftToRight);
    const QRect text = r.translated(sunken ? 1 : 0, sunken ? 1 : 0);
    p.drawText(text, Qt::AlignCenter, this->text());
    if (hasFocus())
        drawFocusMarker(p, r.adjusted(buttonMarkerInset, buttonMarkerInset, -buttonMarkerInset,
                                      -buttonMarkerInset));
}

void CommandButton::keyPressEvent(QKeyEvent* e) {
    // Enter presses the focused button, as Space does.
    if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !e->isAutoRepeat()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(e);
}

CheckBox::CheckBox(const ControlProperties& p, QWidget* parent)
    : QCheckBox(p.caption, parent),
      back_(toQColor(p.backColor)),
      lines_(captionLines(ControlKind::CheckBox, p)) {
    setTristate(true);
    setFont(toQFont(p.font));
    setGeometry(pixels(p.rect));
    setFocusPolicy(Qt::StrongFocus);
    setValue(p.value);
}

CheckValue CheckBox::value() const {
    switch (checkState()) {
        case Qt::Checked:
            return Checked;
        case Qt::PartiallyChecked:
            return Grayed;
        default:
            return Unchecked;
    }
}

void CheckBox::setValue(CheckValue v) {
    setCheckState(v == Checked ? Qt::Checked : v == Grayed ? Qt::PartiallyChecked : Qt::Unchecked);
}

bool CheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

// The user toggles between unticked and ticked; a greyed box becomes ticked.
void CheckBox::nextCheckState() {
    setValue(value() == Checked ? Unchecked : Checked);
}

void CheckBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, back_);

    const QRect box(0, (r.height() - tickBoxSize) / 2, tickBoxSize, tickBoxSize);
    const CheckValue v = value();
    p.fillRect(box, v == Grayed ? QColor(224, 224, 224) : QColor(Qt::white));
    drawEdge(p, box, true);
    if (v != Unchecked) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(v == Grayed ? QColor(128, 128, 128) : QColor(Qt::black), tickPenWidth,
                      Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        const QPointF o = box.topLeft();
        const QPointF tick[] = {o + tickPoints[0], o + tickPoints[1], o + tickPoints[2]};
        p.drawPolyline(tick, 3);
        p.restore();
    }

    const QFont f = font();
    const double blockHeight = lineHeight(f) * double(lines_.size());
    const QRectF caption(checkCaptionLeft, (r.height() - blockHeight) / 2,
                         r.width() - checkCaptionLeft, blockHeight);
    p.setPen(toQColor(standardTextColour));
    drawLines(p, caption, lines_, f, LeftJustify);
    if (hasFocus()) {
        // The marker hugs the caption's ink, not the whole width beside the tick box.
        const QFontMetricsF metrics(f);
        double inkWidth = 0;
        for (const auto& line : lines_)
            inkWidth = std::max(inkWidth, metrics.horizontalAdvance(line));
        QRectF marker = caption;
        marker.setWidth(inkWidth);
        drawFocusMarker(p, marker.marginsAdded(captionMarkerMargins) & QRectF(r));
    }
}

}  // namespace engine
