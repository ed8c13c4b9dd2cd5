#pragma once
// The platform window of a live form: the frame, an optional menu bar, and the client area that
// paints the background and the graphical controls.

#include <QAccessible>
#include <QImage>
#include <QWidget>
#include <functional>
#include <map>
#include <optional>

#include "properties.h"

class QMenuBar;

namespace engine {

// One control of a live form: its design, its current properties, its decoded picture, and the
// child widget of a windowed control.
struct LiveControl {
    const ControlDesign* design = nullptr;
    ControlProperties props;
    QImage picture;
    QString description;                                // what a picture shows, for screen readers
    mutable std::optional<std::vector<QString>> lines;  // a label's caption laid out, once
    QWidget* widget = nullptr;
};

bool isWindowed(ControlKind kind);

// The client area: BackColor, then the graphical controls from the last in the list to the first.
class FormSurface : public QWidget {
    Q_OBJECT
public:
    FormSurface(QSize clientSize, QColor back, const std::vector<LiveControl>& controls,
                QWidget* parent);
    ~FormSurface() override { releaseAccessibles(); }
    QSize sizeHint() const override { return clientSize_; }
    const std::vector<LiveControl>& controls() const { return controls_; }
    // The accessible interface of a painted label or picture, made on first request.
    QAccessibleInterface* accessibleFor(const LiveControl& control);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void releaseAccessibles();

    QSize clientSize_;
    QColor back_;
    const std::vector<LiveControl>& controls_;
    std::map<const LiveControl*, QAccessible::Id> accessibleIds_;
};

class FormWindow : public QWidget {
    Q_OBJECT
public:
    FormWindow(const FormDesign& design, const FormProperties& props, const QIcon& icon,
               const std::vector<LiveControl>& controls);

    FormSurface* surface() const { return surface_; }
    QMenuBar* menuBar() const { return menuBar_; }
    // Places the window centred on its screen.
    void centreOnScreen();

    std::function<void(const QString& item)> onMenuChoice;
    std::function<void()> onCloseRequest;

protected:
    void closeEvent(QCloseEvent* e) override;
    // F10, or Alt pressed and released alone, takes the keyboard to the menu bar.
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;

private:
    void enterMenuBar();

    FormSurface* surface_ = nullptr;
    bool altAlone_ = false;
    QMenuBar* menuBar_ = nullptr;
};

}  // namespace engine
