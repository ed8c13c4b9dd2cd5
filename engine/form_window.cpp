#include "form_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

namespace engine {

FormWindow::FormWindow(const FormDesign& design, const FormProperties& props, const QIcon& icon,
                       const std::vector<LiveControl>& controls) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (props.minButton) flags |= Qt::WindowMinimizeButtonHint;
    if (props.maxButton) flags |= Qt::WindowMaximizeButtonHint;
    setWindowFlags(flags);
    setWindowTitle(props.caption);
    setWindowIcon(icon);
    setObjectName(design.name);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    const QSize client(pixels(props.clientWidth), pixels(props.clientHeight));
    int menuHeight = 0;
    if (!design.menu.empty()) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        menuBar_->setFont(toQFont(Font{}));
        for (const auto& item : design.menu) {
            QAction* action = menuBar_->addAction(item.caption);
            action->setObjectName(item.name);
            connect(action, &QAction::triggered, this,
                    [this, name = item.name] { emit menuChosen(name); });
        }
        menuHeight = menuBarHeight;
        menuBar_->setFixedHeight(menuHeight);
        layout->setMenuBar(menuBar_);
    }
    surface_ = new FormSurface(client, toQColor(props.backColor), controls, this);
    layout->addWidget(surface_);
    resize(client.width(), client.height() + menuHeight);
}

void FormWindow::centreOnScreen() {
    const QScreen* s = screen();
    if (!s) return;
    QRect client = geometry();
    client.moveCenter(s->availableGeometry().center());
    setGeometry(client);
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
    menuBar_->setFocus(Qt::MenuBarFocusReason);
    menuBar_->setActiveAction(menuBar_->actions().first());
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The program decides what closing does; the window never closes itself.
    e->ignore();
    emit closeRequested();
}

}  // namespace engine
