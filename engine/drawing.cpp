#include "drawing.h"

#include <QFontMetricsF>
#include <algorithm>

#include "live_control.h"

namespace engine {

double captionWidth(ControlKind kind, const ControlProperties& p) {
    const double width = pixels(p.rect.width);
    return kind == ControlKind::CheckBox ? width - checkCaptionLeft : width;
}

std::vector<QString> captionLines(ControlKind kind, const ControlProperties& p) {
    const QFontMetricsF metrics(toQFont(p.font));
    return layoutText(p.caption, captionWidth(kind, p),
                      [&](QStringView s) { return metrics.horizontalAdvance(s.toString()); });
}

double lineHeight(const QFont& font) {
    return QFontMetricsF(font).height();
}

void drawLines(QPainter& painter, const QRectF& area, const std::vector<QString>& lines,
               const QFont& font, Alignment alignment) {
    const QFontMetricsF metrics(font);
    painter.setFont(font);
    // The designs fix the direction of every text; the painter would take the application's.
    painter.setLayoutDirection(Qt::LeftToRight);
    double y = area.top() + metrics.ascent();
    for (const auto& line : lines) {
        double x = area.left();
        if (alignment == Center) x += (area.width() - metrics.horizontalAdvance(line)) / 2;
        painter.drawText(QPointF(x, y), line);
        y += metrics.height();
    }
}

void drawShape(QPainter& painter, const ControlProperties& p) {
    const QRect r = pixels(p.rect);
    // The outline lies on the outermost pixels: a one-pixel pen centred half a pixel inside.
    const QRectF outline = QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(toQColor(standardTextColour), 1.0));
    painter.setBrush(p.fillStyle == Solid ? QBrush(toQColor(p.fillColor)) : Qt::NoBrush);
    if (p.shape == RoundedRectangle) {
        const double radius = std::min(r.width(), r.height()) * cornerRadiusShare;
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawRoundedRect(outline, radius, radius);
        painter.setRenderHint(QPainter::Antialiasing, false);
    } else {
        painter.drawRect(outline);
    }
}

void drawImage(QPainter& painter, const ControlProperties& p, const QImage& picture) {
    if (picture.isNull()) return;
    // Natural size: one pixel per picture pixel whatever density the file records.
    const QRect r = pixels(p.rect);
    painter.drawImage(QRectF(r.topLeft(), QSizeF(picture.size())), picture);
}

void drawLabel(QPainter& painter, const LiveControl& label) {
    const ControlProperties& p = label.props;
    const QRect r = pixels(p.rect);
    if (p.backStyle == Opaque) painter.fillRect(r, toQColor(p.backColor));
    painter.setPen(toQColor(p.foreColor));
    drawLines(painter, r, label.lines, toQFont(p.font), p.alignment);
}

}  // namespace engine
