#include "form_surface.h"

#include <QPaintEvent>
#include <QPainter>

#include "accessibility.h"
#include "drawing.h"

namespace engine {

FormSurface::FormSurface(QSize clientSize, QColor back, const std::vector<LiveControl>& controls,
                         QWidget* parent)
    : QWidget(parent), clientSize_(clientSize), back_(back), controls_(controls) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
}

// Qt owns registered interfaces; the surface hands them back when it goes.
FormSurface::~FormSurface() {
    for (const auto& [control, id] : accessibleIds_) QAccessible::deleteAccessibleInterface(id);
}

QAccessibleInterface* FormSurface::accessibleFor(const LiveControl& control) {
    auto it = accessibleIds_.find(&control);
    if (it == accessibleIds_.end()) {
        const QAccessible::Id id =
            QAccessible::registerAccessibleInterface(newPaintedAccessible(this, &control));
        it = accessibleIds_.emplace(&control, id).first;
    }
    return QAccessible::accessibleInterface(it->second);
}

void FormSurface::paintEvent(QPaintEvent* e) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter.fillRect(e->rect(), back_);
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        const ControlKind kind = it->design->kind;
        if (isWindowed(kind) || !it->props.visible) continue;
        const QRect area = pixels(it->props.rect);
        if (!area.intersects(e->rect())) continue;
        painter.save();
        painter.setClipRect(area);
        switch (kind) {
            case ControlKind::Shape:
                drawShape(painter, it->props);
                break;
            case ControlKind::Image:
                drawImage(painter, it->props, it->picture);
                break;
            case ControlKind::Label:
                drawLabel(painter, *it);
                break;
            default:
                break;
        }
        painter.restore();
    }
}

}  // namespace engine
