#pragma once
// How an application sets up and runs the engine: its designs, the procedures bound to their
// controls, and how the program meets the outside when it ends.

#include <QByteArray>
#include <QHash>
#include <QStringList>
#include <functional>
#include <span>
#include <vector>

#include "engine/design.h"
#include "engine/forms.h"

namespace engine {

// The real application shows a message box and leaves the event loop; a test records both.
struct Host {
    std::function<void(const QString& message)> showFatal;
    std::function<void(int status)> exit;
};
Host applicationHost(const QString& errorTitle);

// Reads the encoded bytes of a picture or icon by its resource path. Tests replace it to make a
// picture undecodable.
using PictureReader = std::function<QByteArray(const QString& path)>;
QByteArray readResource(const QString& path);

struct ProgramSetup {
    std::span<const FormDesign> designs;  // outlives the program
    std::vector<Binding> bindings;
    QStringList hideOnClose;  // forms whose title-bar close hides them; any other close ends
    Host host;
    QStringList fonts;  // resource paths of the embedded font files
    PictureReader readPicture = readResource;
    // For screen readers: what each picture shows, by resource path, and a form's description
    // (where it is in the test, or what it says), set on every Show.
    QHash<QString, QString> pictureDescriptions;
    std::function<QString(const Form&)> describeForm;
};

// Starts the program on its first form and runs the event loop of the QApplication that the
// caller made; returns the exit status.
int run(ProgramSetup setup, const QString& firstForm);

}  // namespace engine
