#pragma once
// One burst of presses is one gesture. A burst is a run of presses, of mouse buttons or keys, each
// within the double-click interval of the one before, wherever they land and whatever the button,
// key or count; a held key's repeats are presses of it. It acts only on the window where it began:
// a press of it that reaches another window (one its first press showed) is dropped whole, with
// its double-click and its release, before the toolkit gives the focus, presses a control or
// opens a menu. A press after a pause begins a new burst and acts at once.

namespace engine {

// Watches every window of the application, from the program's start; the first call installs the
// guard, later calls do nothing.
void guardBursts();

}  // namespace engine
