#pragma once
// The platform window of a live form: the frame, an optional menu bar, and the client area that
// paints the background and the graphical controls.

#include <QImage>
#include <QWidget>
#include <functional>

#include "properties.h"

class QMenuBar;

namespace engine {

// One control of a live form: its design, its current properties, its decoded picture, and the
// child widget of a windowed control.
struct LiveControl {
    const ControlDesign* design = nullptr;
    ControlProperties props;
    QImage picture;
    QWidget* widget = nullptr;
};

bool isWindowed(ControlKind kind);

// The client area: BackColor, then the graphical controls from the last in the list to the first.
class FormSurface : public QWidget {
    Q_OBJECT
public:
    FormSurface(QSize clientSize, QColor back, const std::vector<LiveControl>& controls,
                QWidget* parent);
    QSize sizeHint() const override { return clientSize_; }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QSize clientSize_;
    QColor back_;
    const std::vector<LiveControl>& controls_;
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

private:
    FormSurface* surface_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
};

}  // namespace engine
