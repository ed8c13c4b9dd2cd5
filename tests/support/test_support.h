#pragma once
// A fresh program state for a test: real engine, real widgets, a host that records End and fatal
// errors instead of leaving the process or opening a dialog.

#include <QImage>
#include <memory>

#include "content/answer_key.h"
#include "content/designs.h"
#include "engine/program.h"
#include "logic/procedures.h"

namespace testing {

struct Outcome {
    QStringList fatalMessages;
    std::vector<int> exits;
};

struct ProgramOptions {
    std::vector<engine::Binding> bindings = logic::bindings();
    QStringList hideOnClose = logic::formsHiddenOnClose();
    engine::PictureReader readPicture = engine::readResource;
};

class TestProgram {
public:
    explicit TestProgram(const std::vector<engine::FormDesign>& designs = content::designs(),
                         ProgramOptions options = {});
    engine::Program& operator*() { return *program_; }
    engine::Program* operator->() { return program_.get(); }
    const Outcome& outcome() const { return outcome_; }

    // Starts as the application does: the start form, or the given one, shown.
    void start(const QString& form = content::startForm);
    // Clicks a windowed control of a form with the mouse, as a user would.
    void click(const QString& form, const QString& control);
    // Answers the 24 questions by mouse: on each form, ticks the boxes `choose` names, then «Далі».
    void answerAll(const std::function<QStringList(const content::Question&)>& choose);

private:
    std::vector<engine::FormDesign> designs_;  // the program reads them for its whole life
    Outcome outcome_;
    std::unique_ptr<engine::Program> program_;
};

// The first `n` questions answered right, each later one with every other box ticked.
std::function<QStringList(const content::Question&)> rightAnswers(int n);

// The client area of a live form as drawn, one pixel per 15 twips.
QImage grabClient(engine::FormInstance& form);

}  // namespace testing
