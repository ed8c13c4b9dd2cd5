#pragma once
// A live form: created hidden from its design, alive until the program ends. Procedures see it
// as a Form; the engine, tests and tools also reach its window and widgets.

#include <memory>
#include <vector>

#include "engine/forms.h"
#include "form_window.h"

namespace engine {

class Program;

class FormInstance final : public Form {
public:
    FormInstance(Program& program, const FormDesign& design);
    ~FormInstance();
    FormInstance(const FormInstance&) = delete;
    FormInstance& operator=(const FormInstance&) = delete;

    const QString& name() const override { return design_.name; }
    const FormDesign& design() const { return design_; }

    QString caption(const QString& control) const override;
    void setCaption(const QString& control, const QString& text) override;
    CheckValue value(const QString& control) const override;
    void setValue(const QString& control, CheckValue value) override;
    bool visible(const QString& control) const override;
    void setVisible(const QString& control, bool visible) override;

    void show() override;
    void hide() override;
    void resetFocus() override;
    bool isShown() const;
    bool shownBefore() const { return shownBefore_; }

    // The platform window, for the engine, tests and tools; the test logic never uses it.
    FormWindow& window() const { return *window_; }
    QWidget* widget(const QString& control) const;

private:
    const LiveControl* find(const QString& name) const;
    LiveControl& control(const QString& name, const char* property,
                         std::span<const ControlKind> kinds);
    const LiveControl& control(const QString& name, const char* property,
                               std::span<const ControlKind> kinds) const;
    QImage decodePicture(const LiveControl& c) const;
    void addWindowedControls();
    void orderTabs();

    Program& program_;
    const FormDesign& design_;
    LiveControls controls_;
    std::unique_ptr<FormWindow> window_;
    bool shownBefore_ = false;
};

}  // namespace engine
