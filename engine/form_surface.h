#pragma once
// The client area of a live form: BackColor, then the graphical controls from the last in the list
// to the first. The windowed controls are its children.

#include <QAccessible>
#include <QWidget>
#include <map>

#include "live_control.h"

namespace engine {

class FormSurface : public QWidget {
    Q_OBJECT
public:
    FormSurface(QSize clientSize, QColor back, const LiveControls& controls, QWidget* parent);
    ~FormSurface() override;
    QSize sizeHint() const override { return clientSize_; }
    const LiveControls& controls() const { return controls_; }
    // The accessible interface of a painted label or picture, made on first request.
    QAccessibleInterface* accessibleFor(const LiveControl& control);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QSize clientSize_;
    QColor back_;
    const LiveControls& controls_;
    std::map<const LiveControl*, QAccessible::Id> accessibleIds_;
};

}  // namespace engine
