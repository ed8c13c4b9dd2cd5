#pragma once
// The quiz as an application: its metadata and icon, and the program built from the content and
// the logic. main() and the start-up benchmark share it, so both do the same start-up work.

#include "engine/program.h"

namespace app {

// Before the QApplication: on Windows, Qt's FreeType font engine, so forms look as on Linux.
void chooseFontEngine();

// Application name, display name, organisation, version and window icon.
void describeApplication();

engine::ProgramSetup quizSetup(engine::Host host);

}  // namespace app
