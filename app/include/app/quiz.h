#pragma once
// The quiz as an application: its metadata, and the program built from the content and
// the logic. main() and the start-up benchmark share it, so both do the same start-up work.

#include "engine/application.h"

namespace app {

// Application name, display name, organisation and version; the engine gives it the forms' icon.
void describeApplication();

engine::ProgramSetup quizSetup(engine::Host host);

// The quiz from its start form to its exit status, on the QApplication the caller made: main()
// passes the desktop's host, a test one that records, and a picture reader it can break.
int run(engine::Host host, engine::PictureReader readPicture = engine::readResource);

}  // namespace app
