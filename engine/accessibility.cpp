#include "accessibility.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <algorithm>

#include "form_surface.h"

namespace engine {
namespace {

bool isPainted(const LiveControl& c) {
    return c.design->kind == ControlKind::Label || c.design->kind == ControlKind::Image;
}

// A painted control is read only where it shows something: a label with text, a picture.
bool showsContent(const LiveControl& c) {
    return c.design->kind == ControlKind::Label ? !c.props.caption.isEmpty() : !c.picture.isNull();
}

// A painted label or picture: a child of the client area without a widget of its own.
class PaintedControlAccessible : public QAccessibleInterface {
public:
    PaintedControlAccessible(FormSurface* surface, const LiveControl* control)
        : surface_(surface), control_(control) {}

    bool isValid() const override { return !surface_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return surface_->window()->windowHandle(); }
    QVector<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation) const override {
        return {};
    }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(surface_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QString text(QAccessible::Text t) const override {
        const bool image = control_->design->kind == ControlKind::Image;
        if (t == QAccessible::Name) return image ? control_->description : control_->props.caption;
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        const QRect area = pixels(control_->props.rect) & surface_->rect();
        return QRect(surface_->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override {
        return control_->design->kind == ControlKind::Image ? QAccessible::Graphic
                                                            : QAccessible::StaticText;
    }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = !control_->props.visible || !surface_->isVisible();
        s.readOnly = true;
        return s;
    }

private:
    QPointer<FormSurface> surface_;
    const LiveControl* control_;
};

// The client area: every child, painted or windowed, in reading order.
class SurfaceAccessible : public QAccessibleWidget {
public:
    explicit SurfaceAccessible(FormSurface* surface)
        : QAccessibleWidget(surface, QAccessible::Client) {}

    int childCount() const override { return int(ordered().size()); }
    QAccessibleInterface* child(int index) const override {
        const auto children = ordered();
        return index >= 0 && index < int(children.size()) ? children[size_t(index)] : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto children = ordered();
        const auto it = std::find(children.begin(), children.end(), child);
        return it == children.end() ? -1 : int(it - children.begin());
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const auto children = ordered();
        for (QAccessibleInterface* c : children)  // the front-most control is the earliest
            if (c->rect().contains(x, y)) return c;
        return nullptr;
    }

private:
    FormSurface* surface() const { return static_cast<FormSurface*>(widget()); }

    // What shows: labels with text, visible pictures, visible windowed controls; by position.
    std::vector<QAccessibleInterface*> ordered() const {
        std::vector<std::pair<const LiveControl*, QAccessibleInterface*>> shown;
        for (const LiveControl& c : surface()->controls()) {
            if (!c.props.visible) continue;
            if (c.widget) {
                shown.emplace_back(&c, QAccessible::queryAccessibleInterface(c.widget));
            } else if (isPainted(c) && showsContent(c)) {
                shown.emplace_back(&c, surface()->accessibleFor(c));
            }
        }
        std::stable_sort(shown.begin(), shown.end(), [](const auto& a, const auto& b) {
            const Rect& ra = a.first->props.rect;
            const Rect& rb = b.first->props.rect;
            return std::pair(ra.top, ra.left) < std::pair(rb.top, rb.left);
        });
        std::vector<QAccessibleInterface*> out;
        for (const auto& [control, iface] : shown) out.push_back(iface);
        return out;
    }
};

QAccessibleInterface* factory(const QString& key, QObject* object) {
    if (key == QLatin1String("engine::FormSurface"))
        return new SurfaceAccessible(static_cast<FormSurface*>(object));
    return nullptr;
}

}  // namespace

void installAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(factory);
        return true;
    }();
    (void)installed;
}

QAccessibleInterface* newPaintedAccessible(FormSurface* surface, const LiveControl* control) {
    return new PaintedControlAccessible(surface, control);
}

void notifyAccessibleChange(FormSurface* surface, const LiveControl& control) {
    if (!QAccessible::isActive() || !isPainted(control)) return;
    QAccessibleEvent nameChanged(surface->accessibleFor(control), QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    QAccessibleEvent reordered(surface, QAccessible::ObjectReorder);
    QAccessible::updateAccessibility(&reordered);
}

}  // namespace engine
