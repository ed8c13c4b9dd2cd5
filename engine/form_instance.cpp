#include "form_instance.h"

#include <QApplication>
#include <QBackingStore>
#include <QIcon>
#include <QPixmap>
#include <algorithm>

#include "accessibility.h"
#include "controls.h"
#include "drawing.h"
#include "program.h"

namespace engine {
namespace {

const char* kindName(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return "Label";
        case ControlKind::CommandButton:
            return "CommandButton";
        case ControlKind::CheckBox:
            return "CheckBox";
        case ControlKind::Image:
            return "Image";
        case ControlKind::Shape:
            return "Shape";
    }
    return "?";
}

// The kinds that have a property, for the check that a control has it.
constexpr ControlKind labels[] = {ControlKind::Label};
constexpr ControlKind checkBoxes[] = {ControlKind::CheckBox};
constexpr ControlKind anyKind[] = {ControlKind::Label, ControlKind::CommandButton,
                                   ControlKind::CheckBox, ControlKind::Image, ControlKind::Shape};

}  // namespace

FormInstance::FormInstance(Program& program, const FormDesign& design)
    : program_(program), design_(design), controls_(design.controls.size()) {
    for (std::size_t i = 0; i < design.controls.size(); ++i) {
        const ControlDesign& c = design.controls[i];
        LiveControl& live = controls_.all()[i];
        live.design = &c;
        live.props = resolve(c, design);
        if (c.kind == ControlKind::Label) live.lines = captionLines(c.kind, live.props);
        if (c.kind == ControlKind::Image && !live.props.picture.isEmpty()) {
            live.picture = decodePicture(live);
            live.description = program_.describePicture(live.props.picture);
        }
    }

    QIcon icon;
    if (!design.icon.isEmpty()) {
        icon = program_.icon(design.icon);
        if (icon.isNull())
            throw RuntimeError(QStringLiteral("%1: не вдалося розпізнати значок %2")
                                   .arg(design.name, design.icon));
    }

    window_ = std::make_unique<FormWindow>(design, resolve(design), icon, controls_);
    QObject::connect(window_.get(), &FormWindow::menuChosen, window_.get(),
                     [this](const QString& item) { program_.deliver(name(), item, Event::Click); });
    QObject::connect(window_.get(), &FormWindow::closeRequested, window_.get(),
                     [this] { program_.requestClose(name()); });
    addWindowedControls();
    orderTabs();
}

// Windowed controls are children of the client area, the earlier in the list on top.
void FormInstance::addWindowedControls() {
    QWidget* surface = window_->surface();
    for (auto& c : controls_) {
        if (c.design->kind == ControlKind::CommandButton) {
            auto* button = new CommandButton(c.props, surface);
            QObject::connect(button, &QPushButton::clicked, button, [this, n = c.design->name] {
                program_.deliver(name(), n, Event::Click);
            });
            c.widget = button;
        } else if (c.design->kind == ControlKind::CheckBox) {
            c.widget = new CheckBox(c.props, surface);
        } else {
            continue;
        }
        c.widget->setObjectName(c.design->name);
        c.widget->setVisible(c.props.visible);
        window_->watchControl(c.widget);
    }
    for (const LiveControl& c : controls_.backwards())
        if (c.widget) c.widget->raise();
}

// Tab order follows TabIndex; labels hold numbers but never take the focus.
void FormInstance::orderTabs() {
    std::vector<const LiveControl*> ordered;
    for (const auto& c : controls_)
        if (c.widget) ordered.push_back(&c);
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](auto* a, auto* b) { return a->props.tabIndex < b->props.tabIndex; });
    for (size_t i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(ordered[i - 1]->widget, ordered[i]->widget);
}

// The window goes first, and its signals with it: no close request reaches the program.
FormInstance::~FormInstance() = default;

QImage FormInstance::decodePicture(const LiveControl& c) const {
    QImage image = QImage::fromData(program_.readPicture(c.props.picture));
    if (image.isNull())
        throw RuntimeError(QStringLiteral("%1.%2: не вдалося розпізнати малюнок %3")
                               .arg(name(), c.design->name, c.props.picture));
    // The recorded density plays no part: one pixel per picture pixel.
    image.setDevicePixelRatio(1.0);
    return image;
}

const LiveControl* FormInstance::find(const QString& n) const {
    const auto it = std::find_if(controls_.begin(), controls_.end(),
                                 [&](const LiveControl& c) { return c.design->name == n; });
    return it == controls_.end() ? nullptr : &*it;
}

const LiveControl& FormInstance::control(const QString& n, const char* property,
                                         std::span<const ControlKind> kinds) const {
    const LiveControl* it = find(n);
    if (!it) throw RuntimeError(QStringLiteral("%1.%2: такого елемента немає").arg(name(), n));
    if (std::find(kinds.begin(), kinds.end(), it->design->kind) == kinds.end())
        throw RuntimeError(QStringLiteral("%1.%2: %3 не має властивості %4")
                               .arg(name(), n, QLatin1String(kindName(it->design->kind)),
                                    QLatin1String(property)));
    return *it;
}

LiveControl& FormInstance::control(const QString& n, const char* property,
                                   std::span<const ControlKind> kinds) {
    return const_cast<LiveControl&>(std::as_const(*this).control(n, property, kinds));
}

QString FormInstance::caption(const QString& n) const {
    return control(n, "Caption", labels).props.caption;
}

void FormInstance::setCaption(const QString& n, const QString& text) {
    LiveControl& c = control(n, "Caption", labels);
    if (c.props.caption == text) return;
    c.props.caption = text;
    c.lines = captionLines(ControlKind::Label, c.props);
    if (c.props.visible) window_->surface()->update(pixels(c.props.rect));
    notifyAccessibleChange(window_->surface(), c);
}

CheckValue FormInstance::value(const QString& n) const {
    return static_cast<const CheckBox*>(control(n, "Value", checkBoxes).widget)->value();
}

void FormInstance::setValue(const QString& n, CheckValue v) {
    LiveControl& c = control(n, "Value", checkBoxes);
    if (v < Unchecked || v > Grayed)
        throw RuntimeError(
            QStringLiteral("%1.%2: недопустиме значення Value %3").arg(name(), n).arg(int(v)));
    static_cast<CheckBox*>(c.widget)->setValue(v);
}

bool FormInstance::visible(const QString& n) const {
    return control(n, "Visible", anyKind).props.visible;
}

void FormInstance::setVisible(const QString& n, bool v) {
    LiveControl& c = control(n, "Visible", anyKind);
    if (c.props.visible == v) return;
    c.props.visible = v;
    if (c.widget) {
        c.widget->setVisible(v);
    } else {
        window_->surface()->update(pixels(c.props.rect));
        notifyAccessibleChange(window_->surface(), c);
    }
}

QWidget* FormInstance::widget(const QString& n) const {
    const LiveControl* c = find(n);
    return c ? c->widget : nullptr;
}

void FormInstance::resetFocus() {
    const LiveControl* first = nullptr;
    for (const auto& c : controls_)
        if (c.widget && c.props.visible && (!first || c.props.tabIndex < first->props.tabIndex))
            first = &c;
    if (first) first->widget->setFocus(Qt::OtherFocusReason);
}

void FormInstance::show() {
    FormWindow& w = *window_;
    if (!shownBefore_) {
        // A new form opens on the monitor of the form the student is using; with none on screen,
        // on the one the platform gives a new window.
        const FormInstance* current = program_.formInUse();
        w.placeOnScreen(current ? current->window().screen() : w.screen());
        resetFocus();
        shownBefore_ = true;
    }
    w.setAccessibleDescription(program_.describeForm(*this));
    if (w.isMinimized()) w.setWindowState(w.windowState() & ~Qt::WindowMinimized);
    w.show();
    w.raise();
    w.activateWindow();
    program_.noteShown(*this);
}

void FormInstance::hide() {
    if (!isShown()) return;
    const bool wasActive = window_->isActiveWindow();
    window_->hide();
    // A hidden form keeps no pixels (about half a MiB each); the store grows again on Show.
    if (QBackingStore* store = window_->backingStore()) store->resize(QSize(0, 0));
    program_.noteHidden(*this, wasActive);
}

bool FormInstance::isShown() const {
    return program_.onScreen(*this);
}

}  // namespace engine
