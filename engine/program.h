#pragma once
// The running program: the form registry (one live instance per form, created on first reach),
// the dispatcher that delivers clicks to event procedures one at a time, End, and fatal run-time
// errors. Procedures see it only as Forms. A test may build as many programs in one process as it
// likes.

#include <QIcon>
#include <map>
#include <memory>
#include <optional>

#include "engine/application.h"
#include "form_instance.h"

namespace engine {

class Program final : public Forms {
public:
    explicit Program(ProgramSetup setup);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    FormInstance& form(const QString& name) override;
    bool exists(const QString& name) const;
    [[noreturn]] void end() override;

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
    // The one record of what is on screen: forms enter it on Show and leave it on Hide and End.
    bool onScreen(const FormInstance& form) const;
    void noteShown(FormInstance& form);
    void noteHidden(FormInstance& form, bool wasActive);
    // The form the student is using: the active one on screen, else the one shown most recently.
    // Null while no form is on screen.
    const FormInstance* formInUse() const;

private:
    void guarded(const std::function<void()>& step);
    void finish(int status);

    ProgramSetup setup_;
    std::map<QString, std::unique_ptr<FormInstance>> slots_;
    std::vector<FormInstance*> created_;
    std::vector<FormInstance*> onScreen_;  // most recently shown last
    std::map<QString, QIcon> icons_;
    bool halted_ = false;
    std::optional<int> exitStatus_;
};

}  // namespace engine
