#include "form_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace engine {

namespace {

// In styles that let the menu bar take Alt alone itself, it takes it into a state that Fusion
// draws as no state at all: the focus leaves the control, no entry is highlighted, yet Return
// chooses it. The window takes Alt instead, as it takes F10, so that both look and act alike.
class MenuBar final : public QMenuBar {
public:
    using QMenuBar::QMenuBar;

protected:
    // The menu bar hears of Alt through the window's shortcut check.
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(e)->key();
            if (key == Qt::Key_Alt || key == Qt::Key_Meta) return false;
        }
        return QMenuBar::eventFilter(watched, e);
    }
};

}  // namespace

FormWindow::FormWindow(const FormDesign& design, const FormProperties& props, const QIcon& icon,
                       const LiveControls& controls) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (props.minButton) flags |= Qt::WindowMinimizeButtonHint;
    if (props.maxButton) flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    setWindowTitle(props.caption);
    // Quote marks are punctuation that a speech synthesizer reads aloud; the title bar keeps them.
    if (QString spoken = QString(props.caption).remove(u'"'); spoken != props.caption)
        setAccessibleName(spoken);
    // The designs fix the direction of every text, whatever the toolkit was told.
    setLayoutDirection(Qt::LeftToRight);
    setWindowIcon(icon);
    setObjectName(design.name);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const QSize client(pixels(props.clientWidth), pixels(props.clientHeight));
    int menuHeight = 0;
    if (!design.menu.empty()) {
        menuBar_ = new MenuBar(this);
        menuBar_->setNativeMenuBar(false);
        menuBar_->setFont(toQFont(Font{}));
        for (const auto& item : design.menu) {
            QAction* action = menuBar_->addAction(item.caption);
            action->setObjectName(item.name);
            connect(action, &QAction::triggered, this, [this, name = item.name] {
                leaveMenuBar();
                emit menuChosen(name);
            });
        }
        menuHeight = menuBarHeight;
        menuBar_->setFixedHeight(menuHeight);
        layout->setMenuBar(menuBar_);
        menuBar_->installEventFilter(this);
    }
    surface_ = new FormSurface(client, toQColor(props.backColor), controls, this);
    layout->addWidget(surface_);
    resize(client.width(), client.height() + menuHeight);
}

void FormWindow::placeOnScreen(QScreen* s) {
    if (!s) return;
    // Until it is placed, a hidden new window counts as the primary screen's.
    setScreen(s);
    // The work area a window manager gives for all monitors together may leave one out entirely;
    // all of that one is then free.
    const QRect area = s->availableGeometry().isEmpty() ? s->geometry() : s->availableGeometry();
    // The window manager's frame, as seen on a window already shown on that screen, in that
    // screen's scale; the first form's is not known, and it is placed by its client area. Whether
    // the form fits allows for at least a title bar.
    QMargins frame;
    for (const QWindow* w : QGuiApplication::topLevelWindows())
        if (w->isVisible() && w->screen() == s && !w->frameMargins().isNull())
            frame = w->frameMargins();
    QRect outer(QPoint(), size().grownBy(frame));
    outer.moveCenter(area.center());
    const int titleBar = std::max(frame.top(), style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const bool fitsAcross = outer.width() <= area.width();
    const bool fitsDown = height() + titleBar + frame.bottom() <= area.height();
    if (fitsAcross && fitsDown) {
        setGeometry(outer.marginsRemoved(frame));
        return;
    }
    // Along a side that does not fit, the frame starts at the area's edge: the title bar stays in
    // reach. move() places the frame, not the client area. At a scale other than 1, a panel's edge
    // is rounded to the nearest logical pixel and may fall up to half of one inside the panel: the
    // frame starts one logical pixel in from it. The screen's own edges map exactly.
    const QRect whole = s->geometry();
    const bool rounded = s->devicePixelRatio() != 1;
    const int left = area.left() + int(rounded && area.left() != whole.left());
    const int top = area.top() + int(rounded && area.top() != whole.top());
    move(fitsAcross ? outer.left() : left, fitsDown ? outer.top() : top);
}

void FormWindow::watchControl(QWidget* control) {
    control->installEventFilter(this);
}

bool FormWindow::eventFilter(QObject* watched, QEvent* e) {
    if (watched == menuBar_) {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
            leaveMenuBar();
            return true;
        }
        // Another window took the keyboard: it comes back to the control, not the menu bar.
        if (e->type() == QEvent::FocusOut && focusWidget() == menuBar_) leaveMenuBar();
        return false;
    }
    switch (e->type()) {
        case QEvent::FocusIn:
            lastFocus_ = static_cast<QWidget*>(watched);
            return false;
        case QEvent::MouseButtonPress:
            leaveMenuBar();
            return false;
        default:
            return false;
    }
}

// A click anywhere on the form closes the menu; one on the client area's background reaches the
// window itself.
void FormWindow::mousePressEvent(QMouseEvent* e) {
    leaveMenuBar();
    QWidget::mousePressEvent(e);
}

void FormWindow::keyPressEvent(QKeyEvent* e) {
    altAlone_ = e->key() == Qt::Key_Alt && !e->isAutoRepeat();
    if (e->key() == Qt::Key_F10 && e->modifiers() == Qt::NoModifier && menuBar_) {
        enterMenuBar();
        return;
    }
    QWidget::keyPressEvent(e);
}

void FormWindow::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Alt && altAlone_ && menuBar_) {
        altAlone_ = false;
        enterMenuBar();
        return;
    }
    QWidget::keyReleaseEvent(e);
}

void FormWindow::enterMenuBar() {
    if (menuBar_->actions().isEmpty()) return;
    if (menuBar_->hasFocus()) {  // a second F10 or Alt leaves the menu, as it does elsewhere
        leaveMenuBar();
        return;
    }
    menuBar_->setFocus(Qt::MenuBarFocusReason);
    menuBar_->setActiveAction(menuBar_->actions().first());
}

// The menu bar gives the keyboard back to the control that had it, or to the first in tab order.
void FormWindow::leaveMenuBar() {
    if (!menuBar_ || focusWidget() != menuBar_) return;
    menuBar_->setActiveAction(nullptr);
    if (lastFocus_ && lastFocus_->isVisible())
        lastFocus_->setFocus(Qt::MenuBarFocusReason);
    else
        focusNextChild();
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The program decides what closing does; the window never closes itself.
    e->ignore();
    emit closeRequested();
}

}  // namespace engine
