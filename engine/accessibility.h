#pragma once
// What a screen reader finds in a form: the client area's children in reading order (top to
// bottom, then left to right), the painted labels as static text and the pictures as graphics
// with a description, beside the buttons and check boxes that Qt already describes. Nothing here
// changes a pixel.

class QAccessibleInterface;

namespace engine {

class FormSurface;
struct LiveControl;

// Registers the accessible interfaces of the engine's widgets; once per process.
void installAccessibility();

// The accessible interface of a painted label or picture; the caller registers it with Qt.
QAccessibleInterface* newPaintedAccessible(FormSurface* surface, const LiveControl* control);

// Tells assistive technology that a painted control changed its text or visibility.
void notifyAccessibleChange(FormSurface* surface, const LiveControl& control);

}  // namespace engine
