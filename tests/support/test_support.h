#pragma once
// A fresh program state for a test: the application's own setup, real engine, real widgets, with
// a host that records End and fatal errors instead of leaving the process or opening a dialog.

#include <QImage>
#include <functional>
#include <memory>
#include <optional>

#include "content/answer_key.h"
#include "content/designs.h"
#include "engine/program.h"

namespace testing {

// The two verdicts as a student reads them, blanks included: one at each end of the pass text,
// one in front of the fail text. Written here rather than taken from the content.
inline const QString passVerdictText = QStringLiteral(" Молодець!!! Ви взмозі себе захистити. ");
inline const QString failVerdictText =
    QStringLiteral(" Для Вас Інтернет може становити загрозу!!!");

struct Outcome {
    QStringList fatalMessages;
    std::vector<int> exits;
};

// What a test replaces in the application's setup; a list left out keeps the application's.
struct ProgramOptions {
    std::optional<std::vector<engine::Binding>> bindings;
    std::optional<QStringList> hideOnClose;
    engine::PictureReader readPicture = engine::readResource;
};
// Several bindings in place of the application's: {.bindings = Bindings{{…}, {…}}}; a bare list of
// several cannot become the optional on its own.
using Bindings = std::vector<engine::Binding>;

class TestProgram {
public:
    explicit TestProgram(const std::vector<engine::FormDesign>& designs = content::designs(),
                         ProgramOptions options = {});
    // The host's callbacks point at this object: a copy or a move would leave them behind.
    TestProgram(const TestProgram&) = delete;
    TestProgram& operator=(const TestProgram&) = delete;
    engine::Program& operator*() { return *program_; }
    engine::Program* operator->() { return program_.get(); }
    const Outcome& outcome() const { return outcome_; }

    // Starts as the application does: the start form, or the given one, shown.
    void start(const QString& form = content::startForm);
    // Clicks a windowed control of a form with the mouse, as a user would. False, with the test
    // failed, where the form has no such control.
    bool click(const QString& form, const QString& control);
    // Answers the 24 questions by mouse: on each form, ticks the boxes `choose` names, then «Далі».
    // Stops at the first step that fails the test, and says whether every step held.
    [[nodiscard]] bool answerAll(
        const std::function<QStringList(const content::Question&)>& choose);

private:
    engine::Host host();  // records what the program tells its host

    std::vector<engine::FormDesign> designs_;  // the program reads them for its whole life
    Outcome outcome_;
    std::unique_ptr<engine::Program> program_;
};

// The first `n` questions answered right, each later one with every other box ticked.
std::function<QStringList(const content::Question&)> rightAnswers(int n);

// The client area of a live form as drawn, one pixel per 15 twips.
QImage grabClient(engine::FormInstance& form);

// How many points of `area` `test` holds for: the pixels of some kind in part of a picture.
qsizetype countPixels(const QRect& area, const std::function<bool(QPoint)>& test);
// How many pixels of `image` within `area` are of `colour`.
qsizetype countPixels(const QImage& image, const QRect& area, QRgb colour);

// What the event loop would do between two clicks of a student.
void settle();

// A key pressed and released on the control that has the keyboard, straight to it past the platform
// window: a gesture of its own, whatever came a moment before. Fails the test where no control
// has the keyboard.
void keyClick(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);

}  // namespace testing
