#pragma once
// The platform window of a live form: the frame, an optional menu bar, and the client area.

#include <QPointer>
#include <QWidget>

#include "form_surface.h"

class QMenuBar;
class QScreen;

namespace engine {

class FormWindow : public QWidget {
    Q_OBJECT
public:
    // The menu bar lies outside the client area, as the frame does: 300 twips high.
    static constexpr int menuBarHeight = 20;

    FormWindow(const FormDesign& design, const FormProperties& props, const QIcon& icon,
               const LiveControls& controls);

    FormSurface* surface() const { return surface_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // Puts the window on the given screen, centred on its available area, by its frame where the
    // window manager's frame is known (from a window already shown there) and by its client area
    // before that. Along a side where it does not fit with its title bar, its frame starts at the
    // area's edge, so that the title bar stays on screen: setGeometry() places the client area,
    // move() the frame.
    void placeOnScreen(QScreen* screen);
    // Watches a child control: it gets the keyboard back when the menu closes.
    void watchControl(QWidget* control);

signals:
    void menuChosen(const QString& item);
    // The title-bar close button or the window menu; the window itself stays open.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent* e) override;
    // F10, or Alt pressed and released alone, takes the keyboard to the menu bar and back.
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void enterMenuBar();
    void leaveMenuBar();

    FormSurface* surface_ = nullptr;
    bool altAlone_ = false;
    QMenuBar* menuBar_ = nullptr;
    QPointer<QWidget> lastFocus_;  // the control that last had the keyboard, to give it back
};

}  // namespace engine
