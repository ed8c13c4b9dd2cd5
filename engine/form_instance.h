#pragma once
// A live form: created hidden from its design, alive until the program ends. The test logic reads
// and writes control properties and shows and hides the form through this interface alone.

#include <memory>
#include <vector>

#include "form_window.h"

namespace engine {

class Program;

class FormInstance {
public:
    FormInstance(Program& program, const FormDesign& design);
    ~FormInstance();  // the window goes quietly: no close request reaches the program
    FormInstance(const FormInstance&) = delete;
    FormInstance& operator=(const FormInstance&) = delete;

    const QString& name() const { return design_.name; }
    const FormDesign& design() const { return design_; }

    // Run-time properties. A control that does not exist, or a property its kind lacks, fails.
    QString caption(const QString& control) const;  // Label
    void setCaption(const QString& control, const QString& text);
    int value(const QString& control) const;  // CheckBox
    void setValue(const QString& control, int value);
    bool visible(const QString& control) const;
    void setVisible(const QString& control, bool visible);

    void show();
    void hide();
    bool isShown() const;
    bool shownBefore() const { return shownBefore_; }

    // The platform window, for the engine, tests and tools; the test logic never uses it.
    FormWindow& window() const { return *window_; }
    QWidget* widget(const QString& control) const;

private:
    const LiveControl* find(const QString& name) const;
    LiveControl& control(const QString& name, const char* property,
                         std::initializer_list<ControlKind> kinds);
    const LiveControl& control(const QString& name, const char* property,
                               std::initializer_list<ControlKind> kinds) const;
    QImage decodePicture(const LiveControl& c) const;
    void addWindowedControls();
    void orderTabs();
    void focusFirst();

    Program& program_;
    const FormDesign& design_;
    std::vector<LiveControl> controls_;
    std::unique_ptr<FormWindow> window_;
    bool shownBefore_ = false;
};

}  // namespace engine
