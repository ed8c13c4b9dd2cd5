#pragma once
// What an event procedure sees of the running program: forms reached by name, their controls'
// run-time properties, Show and Hide, and End. Nothing here is a widget; every operation that
// fails throws RuntimeError, which only the engine catches.

#include <QString>
#include <functional>

#include "engine/design.h"
#include "engine/runtime_error.h"

namespace engine {

// A live form as a procedure sees it. A control that does not exist, or a property its kind
// lacks, fails.
class Form {
public:
    virtual const QString& name() const = 0;

    virtual QString caption(const QString& control) const = 0;  // Label
    virtual void setCaption(const QString& control, const QString& text) = 0;
    virtual CheckValue value(const QString& control) const = 0;  // CheckBox
    virtual void setValue(const QString& control, CheckValue value) = 0;
    virtual bool visible(const QString& control) const = 0;
    virtual void setVisible(const QString& control, bool visible) = 0;

    virtual void show() = 0;
    virtual void hide() = 0;
    // Puts the keyboard focus back on the first control in tab order, where it is when the form
    // is first shown.
    virtual void resetFocus() = 0;

protected:
    ~Form() = default;
};

// The forms of the program, each reached by name.
class Forms {
public:
    // The form's one instance, created hidden on first reach. Never shows it.
    virtual Form& form(const QString& name) = 0;
    // Ends the program at once with status 0: every window leaves the screen, the running
    // procedure stops here, and no further procedure runs.
    [[noreturn]] virtual void end() = 0;

protected:
    ~Forms() = default;
};

enum class Event { Click };
using Procedure = std::function<void(Forms&)>;

// One row of the table from (form, control, event) to event procedure.
struct Binding {
    QString form;
    QString control;
    Event event = Event::Click;
    Procedure procedure;
};

// Reads a caption as a number: the empty text is 0; any other text that is not a decimal number
// fails, with `where` naming the control.
double toNumber(const QString& text, const QString& where);

}  // namespace engine
