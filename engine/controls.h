#pragma once
// The windowed controls: a command button with a face in its BackColor, and a check box that
// lays out its caption by the form's text rules.

#include <QCheckBox>
#include <QPushButton>

#include "properties.h"

namespace engine {

class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(const ControlProperties& p, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    QColor face_;
};

class CheckBox : public QCheckBox {
    Q_OBJECT
public:
    CheckBox(const ControlProperties& p, QWidget* parent);

    // The box's state is its one record of Value.
    CheckValue value() const;
    void setValue(CheckValue v);

protected:
    void paintEvent(QPaintEvent*) override;
    bool hitButton(const QPoint& pos) const override;
    void nextCheckState() override;

private:
    QColor back_;
    std::vector<QString> lines_;
};

}  // namespace engine
