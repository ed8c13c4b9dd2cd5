#include "program.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPixmap>
#include <algorithm>

#include "accessibility.h"
#include "burst.h"
#include "fonts.h"

namespace engine {
namespace {

// Unwinds the procedure that called End; only the dispatcher catches it.
struct ProgramEnded {};

}  // namespace

Host applicationHost(const QString& errorTitle) {
    return Host{
        .showFatal =
            [errorTitle](const QString& message) {
                QMessageBox::critical(nullptr, errorTitle, message);
            },
        .exit = [](int status) { QCoreApplication::exit(status); },
    };
}

QByteArray readResource(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int run(ProgramSetup setup, const QString& firstForm) {
    Program program(std::move(setup));
    program.start(firstForm);
    if (const auto status = program.exitStatus()) return *status;  // a fatal error at start-up
    return QApplication::exec();
}

Program::Program(ProgramSetup setup) : setup_(std::move(setup)) {
    // What every window of the program meets: screen readers, and the one-gesture rule for input.
    installAccessibility();
    guardBursts();
}

Program::~Program() = default;

FormInstance& Program::form(const QString& name) {
    if (auto it = slots_.find(name); it != slots_.end()) return *it->second;
    const FormDesign* design = findDesign(setup_.designs, name);
    if (!design) throw RuntimeError(QStringLiteral("%1: такої форми немає").arg(name));
    auto instance = std::make_unique<FormInstance>(*this, *design);
    FormInstance& ref = *instance;
    slots_.emplace(name, std::move(instance));
    created_.push_back(&ref);
    return ref;
}

QIcon Program::icon(const QString& path) {
    auto it = icons_.find(path);
    if (it == icons_.end()) {
        const QImage image = QImage::fromData(readPicture(path));
        it =
            icons_.emplace(path, image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image))).first;
    }
    return it->second;
}

bool Program::exists(const QString& name) const {
    return slots_.contains(name);
}

std::vector<FormInstance*> Program::forms() const {
    return created_;
}

void Program::end() {
    finish(0);
    throw ProgramEnded{};
}

void Program::start(const QString& firstForm) {
    guarded([&] {
        registerFonts(setup_.fonts);
        FormInstance& first = form(firstForm);
        // The application bears the first form's icon, decoded once for it and every form.
        if (!first.design().icon.isEmpty()) QApplication::setWindowIcon(icon(first.design().icon));
        first.show();
    });
}

void Program::deliver(const QString& form, const QString& control, Event event) {
    if (ended()) return;
    const auto binding = std::find_if(setup_.bindings.begin(), setup_.bindings.end(), [&](auto& b) {
        return b.form == form && b.control == control && b.event == event;
    });
    if (binding == setup_.bindings.end()) return;
    guarded([&] { binding->procedure(*this); });
}

void Program::requestClose(const QString& name) {
    if (ended()) return;
    guarded([&] {
        FormInstance& closing = form(name);
        // Hiding must never leave the program running with no form on screen.
        if (setup_.hideOnClose.contains(name) && (!onScreen(closing) || onScreen_.size() > 1))
            closing.hide();
        else
            end();
    });
}

void Program::guarded(const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError& e) {
        if (halted_) return;
        halted_ = true;  // no procedure may run while the message is up
        setup_.host.showFatal(QStringLiteral("Помилка виконання: ") + e.message());
        finish(1);
    } catch (const ProgramEnded&) {
    }
}

void Program::finish(int status) {
    if (exitStatus_) return;
    halted_ = true;
    exitStatus_ = status;
    for (FormInstance* f : onScreen_) f->window().hide();
    onScreen_.clear();
    setup_.host.exit(status);
}

bool Program::onScreen(const FormInstance& form) const {
    return std::ranges::find(onScreen_, &form) != onScreen_.end();
}

void Program::noteShown(FormInstance& form) {
    std::erase(onScreen_, &form);
    onScreen_.push_back(&form);
}

const FormInstance* Program::formInUse() const {
    const auto active = std::ranges::find_if(
        onScreen_, [](const FormInstance* f) { return f->window().isActiveWindow(); });
    if (active != onScreen_.end()) return *active;
    return onScreen_.empty() ? nullptr : onScreen_.back();
}

void Program::noteHidden(FormInstance& form, bool wasActive) {
    std::erase(onScreen_, &form);
    // The platform may leave no window active; activate the form shown most recently.
    if (wasActive && !onScreen_.empty()) onScreen_.back()->window().activateWindow();
}

}  // namespace engine
