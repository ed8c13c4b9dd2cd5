#pragma once
// How the program meets the desktop at start-up: which of the toolkit's command-line options it
// passes on, and what it says when there is no display to open a window on.

#include <QApplication>
#include <memory>
#include <vector>

#include "engine/design.h"

namespace app {

// The program's name and those toolkit options that choose where it runs (the platform and its
// plug-ins, the display, the session), ending with a null pointer as argv does; and the platform
// and display they name, if they do. Every other argument is dropped: the program takes no
// command line, and options such as -reverse, -style or -qwindowtitle would change how a form
// is drawn.
struct ToolkitArguments {
    std::vector<char*> argv;
    QByteArray platform;
    QByteArray display;
};
ToolkitArguments toolkitArguments(int argc, char** argv);

// The display scales at which every form can be shown: from the one where the smallest text is
// still a device pixel high, to the one where the largest form still fits the 32767 device pixels
// that X and Qt address. Rounded inward: the smallest up to a hundredth, the largest down to a
// whole number.
struct ScaleRange {
    double smallest;
    double largest;
};
ScaleRange showableScales(const std::vector<engine::FormDesign>& designs);

// The one line said where a display scale variable (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS) is
// dropped: a factor, or an entry of the list, that is not a positive finite number or lies outside
// the range. Empty where the value is usable, or not set.
QString scaleRefusal(const char* variable, const QByteArray& value, ScaleRange range);

// Makes the application on the arguments toolkitArguments() keeps, with Qt's FreeType font engine
// on Windows. A display scale that scaleRefusal() refuses for the program's forms is dropped, with
// its line on standard error. Where the platform cannot start, prints one line naming the cause
// (the display that could not be reached, a platform not there or one that failed to start) on
// standard error and exits with status 1. Once per process.
std::unique_ptr<QApplication> openApplication(int argc, char** argv);

}  // namespace app
