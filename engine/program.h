#pragma once
// The running program: the form registry (one live instance per form, created on first reach),
// the dispatcher that delivers clicks to event procedures one at a time, End, and fatal run-time
// errors. A test may build as many programs in one process as it likes.

#include <QHash>
#include <QIcon>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>

#include "form_instance.h"
#include "runtime_error.h"

namespace engine {

class Program;

enum class Event { Click };
using Procedure = std::function<void(Program&)>;

// One row of the table from (form, control, event) to event procedure.
struct Binding {
    QString form;
    QString control;
    Event event = Event::Click;
    Procedure procedure;
};

// How the program meets the outside when it ends: the real application shows a message box and
// leaves the event loop; a test records both.
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
    const std::vector<FormDesign>& designs;  // outlives the program
    std::vector<Binding> bindings;
    QStringList hideOnClose;  // forms whose title-bar close hides them; any other close ends
    Host host;
    QStringList fonts;  // resource paths of the embedded font files
    PictureReader readPicture = readResource;
    // For screen readers: what each picture shows, by resource path, and a form's description
    // (where it is in the test, or what it says), set on every Show.
    QHash<QString, QString> pictureDescriptions;
    std::function<QString(const FormInstance&)> describeForm;
};

class Program {
public:
    explicit Program(ProgramSetup setup);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Reaching a form: its one instance, created hidden on first reach. Never shows it.
    FormInstance& form(const QString& name);
    bool exists(const QString& name) const;
    // Ends the program at once with status 0: every window leaves the screen, the running
    // procedure stops here, and no further procedure runs.
    [[noreturn]] void end();

    // Start-up: registers the fonts, creates and shows the first form, under the same guard as a
    // procedure.
    void start(const QString& firstForm);
    // The dispatcher: runs the procedure bound to (form, control, event), if any.
    void deliver(const QString& form, const QString& control, Event event);
    // The title-bar close button (or the window menu) of a form.
    void requestClose(const QString& form);

    bool ended() const { return halted_; }
    std::optional<int> exitStatus() const { return exitStatus_; }
    std::vector<FormInstance*> forms() const;  // the live forms, in order of creation

    // For the engine: picture bytes, and which form to activate when the active one hides.
    QByteArray readPicture(const QString& path) const { return setup_.readPicture(path); }
    // Every form bears the same icon: it is decoded once. Null if it cannot be decoded.
    QIcon icon(const QString& path);
    QString describePicture(const QString& path) const {
        return setup_.pictureDescriptions.value(path);
    }
    QString describeForm(const FormInstance& form) const {
        return setup_.describeForm ? setup_.describeForm(form) : QString();
    }
    void noteShown(FormInstance& form);
    void noteHidden(FormInstance& form, bool wasActive);

private:
    void guarded(const std::function<void()>& step);
    void finish(int status);

    ProgramSetup setup_;
    std::map<QString, std::unique_ptr<FormInstance>> slots_;
    std::vector<FormInstance*> created_;
    std::vector<FormInstance*> shownOrder_;  // most recently shown last
    std::map<QString, QIcon> icons_;
    bool halted_ = false;
    std::optional<int> exitStatus_;
};

}  // namespace engine
