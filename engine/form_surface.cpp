#include "form_surface.h"

#include <QPaintEvent>
#include <QPainter>

#include "accessibility.h"
#include "drawing.h"

namespace engine {

FormSurface::FormSurface(QSize clientSize, QColor back, const LiveControls& controls,
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
    for (const LiveControl& c : controls_.backwards()) {
        const ControlKind kind = c.design->kind;
        if (isWindowed(kind) || !c.props.visible) continue;
        const QRect area = pixels(c.props.rect);
        if (!area.intersects(e->rect())) continue;
        painter.save();
        painter.setClipRect(area);
        switch (kind) {
            case ControlKind::Shape:
                drawShape(painter, c.props);
                break;
            case ControlKind::Image:
                drawImage(painter, c.props, c.picture);
                break;
            case ControlKind::Label:
                drawLabel(painter, c);
                break;
            default:
                break;
        }
        painter.restore();
    }
}

}  // namespace engine
