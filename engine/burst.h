#pragma once
// One burst of clicks is one gesture. A burst is a run of mouse presses, each within the
// double-click interval of the one before, wherever they land and whatever the button or count.
// It acts only on the window where it began: a press of it that reaches another window (one its
// first click showed under the pointer) is dropped whole, with its double-click and its release,
// before the toolkit gives the focus, presses a control or opens a menu.

namespace engine {

// Watches every window of the application; the first call installs the guard, later calls do
// nothing.
void guardBursts();

}  // namespace engine
