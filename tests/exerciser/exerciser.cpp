// A seeded random-input exerciser: clicks, keys, menu choices, closes, minimizes and bursts of
// presses against the real forms, checked after every action against a model of the quiz that knows
// only what a student sees: which form is up, and what was ticked at each «Далі». Its clicks, of
// any mouse button, and its keys carry the times of a student's hand, some a moment apart: a burst
// of them moves at most one window on, and a press it drops leaves the keyboard where it was.
//
//   exerciser run --seed 7 --actions 100000     (or MEREZHVAR_SEED / MEREZHVAR_ACTIONS)
//
// The same seed and count replay the same actions; a violation prints the seed and the step.
#include <unistd.h>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyleHints>
#include <QTest>
#include <QWindow>
#include <csignal>
#include <cstring>
#include <deque>
#include <random>

#include "quiet_platform.h"
#include "support/test_support.h"

namespace {

// The quiz as its description tells it, kept apart from content's own table so that a slip in
// either shows up here.
struct Question {
    const char* form;
    const char* scored;
    const char* label;
};
constexpr Question questions[24] = {
    {"Form2", "Check3", "Label6"},  {"Form3", "Check1", "Label4"},  {"Form5", "Check4", "Label2"},
    {"Form6", "Check1", "Label2"},  {"Form7", "Check3", "Label2"},  {"Form8", "Check2", "Label2"},
    {"Form9", "Check1", "Label2"},  {"Form10", "Check3", "Label2"}, {"Form11", "Check1", "Label2"},
    {"Form12", "Check4", "Label2"}, {"Form13", "Check1", "Label2"}, {"Form14", "Check2", "Label2"},
    {"Form15", "Check4", "Label2"}, {"Form16", "Check2", "Label2"}, {"Form17", "Check4", "Label2"},
    {"Form18", "Check3", "Label2"}, {"Form19", "Check4", "Label2"}, {"Form20", "Check1", "Label2"},
    {"Form21", "Check1", "Label2"}, {"Form22", "Check3", "Label2"}, {"Form23", "Check4", "Label2"},
    {"Form24", "Check2", "Label2"}, {"Form25", "Check3", "Label2"}, {"Form26", "Check3", "Label2"},
};
const QString startName = "Form1", resultName = "Form4", aboutName = "Form27";
constexpr int passMark = 19;

int questionOf(const QString& form) {
    for (int i = 0; i < 24; ++i)
        if (form == QLatin1String(questions[i].form)) return i;
    return -1;
}

// What one user action should do, as the model predicts it.
enum class Effect { None, StartPass, Next, Restart, About, HideAbout, End, Toggle };

struct Prediction {
    Effect effect = Effect::None;
    QString form;
    QString control;
};

// The model: where the student is, what each scored box held at its «Далі», which forms exist.
struct Model {
    enum class Stage { Start, Question, Result } stage = Stage::Start;
    int question = 0;
    bool about = false;              // the about form on screen
    bool aboutCreated = false;       // «Про автора» chosen at least once
    bool passForms = false;          // a pass has been started at least once
    std::array<int, 24> recorded{};  // -1 until the question's «Далі» in this pass
    std::array<std::array<int, 4>, 24> boxes{};

    QStringList expectedVisible() const {
        QStringList v;
        if (stage == Stage::Start) v << startName;
        if (stage == Stage::Question) v << questions[question].form;
        if (stage == Stage::Result) v << resultName;
        if (about) v << aboutName;
        return v;
    }
};

struct Figures {
    qint64 actions = 0, verdicts = 0, passed = 0, failed = 0, ends = 0, programs = 0;
};

class Violation : public std::exception {
public:
    explicit Violation(QString what) : what_(std::move(what)) {}
    const QString& message() const { return what_; }
    const char* what() const noexcept override { return "violation"; }

private:
    QString what_;
};

void require(bool ok, const QString& what) {
    if (!ok) throw Violation(what);
}

// A press and release of `button` posted to the platform window at the given time, as the window
// system would queue them; Qt then finds the control under the pointer, as it does for real input.
void postClick(QWidget* window, QPoint local, bool doubleClick, quint64 time,
               Qt::MouseButton button = Qt::LeftButton) {
    QWindow* handle = window->windowHandle();
    const QPointF l(local), g(window->mapToGlobal(local));
    auto post = [&](QEvent::Type type, Qt::MouseButtons buttons) {
        auto* e = new QMouseEvent(type, l, l, g, button, buttons, Qt::NoModifier);
        e->setTimestamp(time);
        QCoreApplication::postEvent(handle, e);
    };
    post(QEvent::MouseButtonPress, button);
    if (doubleClick) post(QEvent::MouseButtonDblClick, button);
    post(QEvent::MouseButtonRelease, Qt::NoButton);
}

// A key pressed and released, posted to the platform window with the keyboard at the given time.
void postKey(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text,
             quint64 time) {
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        auto* e = new QKeyEvent(type, key, modifiers, text);
        e->setTimestamp(time + (type == QEvent::KeyRelease ? 20 : 0));
        QCoreApplication::postEvent(window->windowHandle(), e);
    }
}

// A crash bypasses the model's checks; the seed and step to replay it still reach the log.
volatile std::sig_atomic_t crashSeed = 0, crashStep = 0;
struct sigaction previousHandlers[32];
constexpr int crashSignals[] = {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL};

void writeNumber(long long n) {
    char digits[24];
    int i = sizeof digits;
    do digits[--i] = char('0' + n % 10);
    while ((n /= 10) > 0);
    [[maybe_unused]] auto written = ::write(2, digits + i, sizeof digits - i);
}

void noteCrash(int signal) {
    const char* text[] = {"\nexerciser crashed at seed ", " step ",
                          ": replay with --seed and --actions set so\n"};
    [[maybe_unused]] auto a = ::write(2, text[0], std::strlen(text[0]));
    writeNumber(crashSeed);
    [[maybe_unused]] auto b = ::write(2, text[1], std::strlen(text[1]));
    writeNumber(crashStep);
    [[maybe_unused]] auto c = ::write(2, text[2], std::strlen(text[2]));
    sigaction(signal, &previousHandlers[signal], nullptr);
    std::raise(signal);
}

struct CrashNote {
    explicit CrashNote(quint64 seed) {
        struct sigaction note = {};
        note.sa_handler = noteCrash;
        for (int signal : crashSignals) sigaction(signal, &note, &previousHandlers[signal]);
        crashSeed = std::sig_atomic_t(seed);
    }
    ~CrashNote() {
        for (int signal : crashSignals) sigaction(signal, &previousHandlers[signal], nullptr);
    }
};

class Exerciser {
public:
    Exerciser(quint64 seed, qint64 actions) : seed_(seed), actions_(actions), rng_(seed) {}

    Figures run() {
        const CrashNote crashNote(seed_);
        fresh();
        for (step_ = 1; step_ <= actions_; ++step_) {
            crashStep = std::sig_atomic_t(step_);
            try {
                act();
                check();
            } catch (const Violation& v) {
                QString log;
                for (const auto& line : recent_) log += "\n    " + line;
                QTest::qFail(qPrintable(QStringLiteral("violation at seed %1 step %2: %3\n"
                                                       "  replay: exerciser run --seed %1 "
                                                       "--actions %2\n  last actions:%4")
                                            .arg(seed_)
                                            .arg(step_)
                                            .arg(v.message(), log)),
                             __FILE__, __LINE__);
                return figures_;
            }
            ++figures_.actions;
        }
        return figures_;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>()(rng_) < p; }

    void note(const QString& action) {
        recent_.push_back(QStringLiteral("%1: %2").arg(step_).arg(action));
        if (recent_.size() > 25) recent_.pop_front();
    }

    void fresh() {
        clock_ += 10 * doubleClick_;  // a new program begins no burst of the old one's
        pressed_ = false;
        program_.reset();
        testing::settle();
        program_ = std::make_unique<testing::TestProgram>();
        (*program_).start();
        testing::settle();
        model_ = Model{};
        static constexpr double skills[] = {0.0, 0.5, 0.8, 0.95, 1.0};
        skill_ = skills[pick(std::size(skills))];
        instances_.clear();
        stack_ = {startName};
        ++figures_.programs;
        check();
    }

    engine::Program& program() { return **program_; }

    QList<engine::FormInstance*> shownForms() {
        QList<engine::FormInstance*> shown;
        for (auto* f : program().forms())
            if (f->isShown()) shown << f;
        return shown;
    }

    // The window a click at a screen point lands on: the topmost shown, unminimized form there.
    engine::FormInstance* windowAt(QPoint global) {
        for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
            if (!program().exists(*it)) continue;
            auto& f = program().form(*it);
            if (f.isShown() && !f.window().isMinimized() &&
                f.window().frameGeometry().contains(global))
                return &f;
        }
        return nullptr;
    }

    void raise(engine::FormInstance& f) {
        stack_.removeAll(f.name());
        stack_.push_back(f.name());
    }

    Prediction buttonEffect(const QString& form, const QString& control) {
        if (form == startName && control == "Command1") return {Effect::StartPass, form, control};
        if (form == resultName && control == "Command1") return {Effect::Restart, form, control};
        if (form == resultName && control == "Command2") return {Effect::End, form, control};
        if (form == aboutName && control == "Command1") return {Effect::End, form, control};
        if (questionOf(form) >= 0 && control == "Command1") return {Effect::Next, form, control};
        return {};
    }

    // What a click at `local` in the form's window does, from the control Qt finds there.
    Prediction clickEffect(engine::FormInstance& f, QPoint local) {
        QWidget* w = f.window().childAt(local);
        if (auto* bar = qobject_cast<QMenuBar*>(w)) {
            QAction* a = bar->actionAt(bar->mapFrom(&f.window(), local));
            if (a && a->objectName() == "Про_автора" && f.name() == startName)
                return {Effect::About, f.name(), a->objectName()};
            return {};
        }
        return widgetEffect(f, w, false);
    }

    // What a press of the widget does: a click (mouse, Space or Enter on a button) or Space.
    Prediction widgetEffect(engine::FormInstance& f, QWidget* w, bool enterKey) {
        for (; w && w != &f.window(); w = w->parentWidget()) {
            if (w->objectName().isEmpty() || f.widget(w->objectName()) != w) continue;
            if (qobject_cast<QCheckBox*>(w))
                return enterKey ? Prediction{}
                                : Prediction{Effect::Toggle, f.name(), w->objectName()};
            if (qobject_cast<QPushButton*>(w)) return buttonEffect(f.name(), w->objectName());
        }
        return {};
    }

    void act() {
        // A good student ticks the right box before doing anything else with the question.
        if (model_.stage == Model::Stage::Question &&
            model_.boxes[model_.question][content::optionBoxes.indexOf(
                QLatin1String(questions[model_.question].scored))] != 1 &&
            chance(skill_ * 0.9))
            return answer();
        const int roll = pick(1000);
        if (roll < 500) return click(1, false);
        if (roll < 550) return click(2 + pick(7), false);
        if (roll < 600) return click(2 + pick(5), true);
        if (roll < 800) return answer();
        if (roll < 950) return key();
        if (roll < 965) return menu();
        if (roll < 967) return close();
        if (roll < 984) return minimize();
        return restore();
    }

    // A student who knows the answer: ticks the scored box, as often as this program's skill says,
    // or else some other box, at a random point of the box.
    void answer() {
        if (model_.stage != Model::Stage::Question) return click(1, false);
        const auto& q = questions[model_.question];
        auto& f = program().form(q.form);
        if (f.window().isMinimized()) return click(1, false);
        const int scored = content::optionBoxes.indexOf(QLatin1String(q.scored));
        int box = scored;
        if (!chance(skill_)) box = (scored + 1 + pick(3)) % 4;
        if (box == scored && model_.boxes[model_.question][box] == 1) return click(1, false);
        QWidget* w = f.widget(content::optionBoxes[box]);
        const QPoint local = w->mapTo(&f.window(), QPoint(pick(w->width()), pick(w->height())));
        note(QStringLiteral("answer: %1 at %2,%3 of %4")
                 .arg(content::optionBoxes[box])
                 .arg(local.x())
                 .arg(local.y())
                 .arg(q.form));
        activate(f);
        const quint64 time = nextPress(false);
        const Prediction p = press(f, time) ? clickEffect(f, local) : Prediction{};
        postClick(&f.window(), local, false, time);
        testing::settle();
        apply(p);
        observeBurst();
    }

    engine::FormInstance* someShownForm(bool unminimized) {
        QList<engine::FormInstance*> candidates;
        for (auto* f : shownForms())
            if (!unminimized || !f->window().isMinimized()) candidates << f;
        if (candidates.isEmpty()) return nullptr;
        // Mostly the active window, as a student works in one form at a time.
        QWidget* active = QApplication::activeWindow();
        for (auto* f : candidates)
            if (&f->window() == active && chance(0.7)) return f;
        return candidates[pick(candidates.size())];
    }

    // `count` clicks at one screen point: paced ones land on whatever form is there by then, fast
    // ones are all queued for the window that was there before the program saw the first.
    void click(int count, bool fast) {
        engine::FormInstance* f = someShownForm(true);
        if (!f) return restore();  // every form minimized: back from the task bar
        QRect area = f->window().rect();
        if (chance(0.5)) {
            // A point inside one of the form's windowed controls, or its menu bar.
            QList<QWidget*> targets;
            for (auto* c : f->window().findChildren<QWidget*>())
                if (c->isVisible() &&
                    (qobject_cast<QAbstractButton*>(c) || qobject_cast<QMenuBar*>(c)))
                    targets << c;
            if (!targets.isEmpty()) {
                QWidget* t = targets[pick(targets.size())];
                area = QRect(t->mapTo(&f->window(), QPoint(0, 0)), t->size());
            }
        }
        const QPoint local(area.left() + pick(area.width()), area.top() + pick(area.height()));
        const QPoint global = f->window().mapToGlobal(local);
        note(QStringLiteral("%1 %2 click(s) at %3,%4 of %5")
                 .arg(count)
                 .arg(fast ? "fast" : "paced")
                 .arg(local.x())
                 .arg(local.y())
                 .arg(f->name()));

        activate(*f);
        if (fast) {
            // All queued for the one window, so all of one burst that acts there or nowhere.
            quint64 time = nextPress(false);
            const Qt::MouseButton button = someButton();
            note(QStringLiteral("  %1 button").arg(buttonName(button)));
            const Prediction p =
                press(*f, time) && button == Qt::LeftButton ? clickEffect(*f, local) : Prediction{};
            for (int i = 0; i < count; ++i) {
                if (i > 0) press(*f, time = nextPress(true));
                postClick(&f->window(), local, i > 0, time, button);
            }
            testing::settle();
            for (int i = 0; i < count; ++i) {
                apply(p);
                // The rest are queued for a window that has left the screen: Qt drops them.
                if (p.effect != Effect::Toggle && p.effect != Effect::About) break;
            }
            observeBurst();
            return;
        }
        for (int i = 0; i < count; ++i) {
            if (i > 0) {
                f = windowAt(global);
                if (!f) return;
                check();
                activate(*f);
            }
            // Mostly the clicks of a double- or triple-click, now and then a pause between; mostly
            // with the left button, which alone presses a control, though any gives the focus.
            const quint64 time = nextPress(i > 0 && chance(0.7));
            const QPoint here = f->window().mapFromGlobal(global);
            const Qt::MouseButton button = someButton();
            const bool acts = press(*f, time);
            const Prediction p =
                acts && button == Qt::LeftButton ? clickEffect(*f, here) : Prediction{};
            QWidget* focus = f->window().focusWidget();
            note(QStringLiteral("  %1 button").arg(buttonName(button)));
            postClick(&f->window(), here, false, time, button);
            testing::settle();
            if (!acts) requireFocusKept(*f, focus);
            apply(p);
            if (p.effect == Effect::End) return;
            observeBurst();
        }
    }

    Qt::MouseButton someButton() {
        const int roll = pick(10);
        return roll < 7 ? Qt::LeftButton : roll < 9 ? Qt::RightButton : Qt::MiddleButton;
    }
    static const char* buttonName(Qt::MouseButton b) {
        return b == Qt::LeftButton ? "left" : b == Qt::RightButton ? "right" : "middle";
    }

    // A press that the burst rule drops leaves the keyboard where it was.
    void requireFocusKept(engine::FormInstance& f, QWidget* before) {
        if (program().ended() || !f.isShown()) return;
        require(f.window().focusWidget() == before,
                "a dropped press moved the keyboard on " + f.name());
    }

    // The hand's clock at the next press: within the double-click interval of the last, or past it.
    quint64 nextPress(bool quick) {
        if (!quick) quick = chance(0.25);  // a student who does not stop to read
        clock_ += quick ? 20 + pick(doubleClick_ - 20) : doubleClick_ + pick(3000);
        return clock_;
    }

    // The rule for a press at `time` on form `f`, as a student meets it: a burst acts only on the
    // form where it began. True if the press acts.
    bool press(engine::FormInstance& f, quint64 time) {
        const bool continues = pressed_ && time - lastPress_ < quint64(doubleClick_);
        pressed_ = true;
        lastPress_ = time;
        if (!continues) {
            burstForm_ = f.name();
            burstMoves_ = 0;
        }
        burstWindow_ = mainFormOnScreen();
        if (burstForm_ == f.name()) return true;
        note("  dropped: the burst began on " + burstForm_);
        return false;
    }

    QString mainFormOnScreen() {
        for (auto* f : shownForms())
            if (f->name() != aboutName) return f->name();
        return {};
    }

    // What the student saw after a press, whatever the model thinks: a burst's presses take at
    // most one window step between them.
    void observeBurst() {
        const QString now = mainFormOnScreen();
        if (!pressed_ || now == burstWindow_) return;
        burstWindow_ = now;
        require(++burstMoves_ <= 1, "one burst of clicks moved two windows on, to " + now);
    }

    // A window manager raises and activates the window the student clicks.
    void activate(engine::FormInstance& f) {
        raise(f);
        if (QApplication::activeWindow() != &f.window()) {
            f.window().activateWindow();
            testing::settle();
        }
    }

    void key() {
        QWidget* target = QApplication::focusWidget();
        if (!target) target = QApplication::activeWindow();
        engine::FormInstance* f = nullptr;
        for (auto* form : shownForms())
            if (target && &form->window() == target->window()) f = form;
        if (!f) return note("key: no window has the keyboard");

        static const std::pair<Qt::Key, const char*> keys[] = {
            {Qt::Key_Tab, "Tab"},           {Qt::Key_Tab, "Tab"},
            {Qt::Key_Backtab, "Shift+Tab"}, {Qt::Key_Space, "Space"},
            {Qt::Key_Space, "Space"},       {Qt::Key_Space, "Space"},
            {Qt::Key_Return, "Enter"},      {Qt::Key_Enter, "Enter (keypad)"},
            {Qt::Key_Escape, "Escape"},     {Qt::Key_unknown, "letter"},
            {Qt::Key_unknown, "letter"}};
        const auto [k, name] = keys[pick(std::size(keys))];
        Qt::Key key = k;
        Qt::KeyboardModifiers modifiers = k == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier;
        QString text = k == Qt::Key_Space ? " " : "";
        if (k == Qt::Key_unknown) {
            const char letter = char('a' + pick(26));
            key = Qt::Key(Qt::Key_A + (letter - 'a'));
            if (chance(0.2)) modifiers = Qt::ShiftModifier;
            text = QString(QChar(modifiers ? letter - 'a' + 'A' : letter));
        }
        // A key a moment after a click or another key is of their burst, as a press of the mouse
        // is.
        const quint64 time = nextPress(false);
        const bool acts = press(*f, time);
        Prediction p;
        if (acts && (k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter))
            p = widgetEffect(*f, target, k != Qt::Key_Space);
        note(QStringLiteral("%1 on %2.%3").arg(name, f->name(), target->objectName()));
        QWidget* focus = f->window().focusWidget();
        postKey(&f->window(), key, modifiers, text, time);
        testing::settle();
        if (!acts) requireFocusKept(*f, focus);
        apply(p);
        observeBurst();
    }

    void menu() {
        auto& start = program().form(startName);
        if (!start.isShown() || start.window().isMinimized())
            return note("menu: the start form is not on screen");
        note("menu choice «Про автора»");
        start.window().menuBar()->actions().first()->trigger();
        testing::settle();
        apply({Effect::About, startName, "Про_автора"});
    }

    void close() {
        engine::FormInstance* f = someShownForm(false);
        if (!f) return note("close: no form");
        note("title-bar close of " + f->name());
        const bool alone = shownForms().size() == 1;
        f->window().close();
        testing::settle();
        apply({f->name() == aboutName && !alone ? Effect::HideAbout : Effect::End, f->name(), {}});
    }

    void minimize() {
        engine::FormInstance* f = someShownForm(true);
        if (!f) return note("minimize: no form");
        note("minimize " + f->name());
        f->window().showMinimized();
        testing::settle();
    }

    void restore() {
        for (auto* f : shownForms()) {
            if (!f->window().isMinimized()) continue;
            note("restore " + f->name());
            f->window().showNormal();
            raise(*f);
            testing::settle();
            return;
        }
        note("restore: nothing minimized");
    }

    void apply(const Prediction& p) {
        switch (p.effect) {
            case Effect::None:
                break;
            case Effect::Toggle: {
                const int q = questionOf(p.form);
                if (q < 0) break;  // the start, result and about forms hold no check box
                int& v = model_.boxes[q][content::optionBoxes.indexOf(p.control)];
                v = v == 1 ? 0 : 1;
                break;
            }
            case Effect::StartPass:
                require(model_.stage == Model::Stage::Start, "«Розпочати тест» off the start form");
                model_.stage = Model::Stage::Question;
                model_.question = 0;
                model_.passForms = true;
                model_.recorded.fill(-1);
                for (auto& b : model_.boxes) b.fill(0);
                checkNewPass();
                shownByProcedure(questions[0].form);
                break;
            case Effect::Next: {
                const int q = questionOf(p.form);
                require(model_.stage == Model::Stage::Question && model_.question == q,
                        "«Далі» of " + p.form + " while it is not the current question");
                const int box = content::optionBoxes.indexOf(QLatin1String(questions[q].scored));
                model_.recorded[q] = model_.boxes[q][box] == 1 ? 1 : 0;
                if (q + 1 < 24) {
                    model_.question = q + 1;
                    shownByProcedure(questions[q + 1].form);
                } else {
                    model_.stage = Model::Stage::Result;
                    checkVerdict();
                    shownByProcedure(resultName);
                }
                break;
            }
            case Effect::Restart:
                model_.stage = Model::Stage::Start;
                shownByProcedure(startName);
                break;
            case Effect::About:
                model_.about = true;
                model_.aboutCreated = true;
                shownByProcedure(aboutName);
                break;
            case Effect::HideAbout:
                model_.about = false;
                break;
            case Effect::End:
                checkEnded();
                return;
        }
    }

    void shownByProcedure(const QString& form) {
        // Show restores a minimized form and brings it to the front.
        if (program().exists(form) && !program().ended()) {
            require(!program().form(form).window().isMinimized(), form + " shown but minimized");
            raise(program().form(form));
        }
    }

    void checkNewPass() {
        for (const auto& q : questions) {
            auto& f = program().form(q.form);
            for (const auto& box : content::optionBoxes)
                require(f.value(box) == engine::Unchecked,
                        QStringLiteral("a new pass kept a tick on %1.%2").arg(q.form, box));
        }
        auto& result = program().form(resultName);
        require(result.caption("Label2").isEmpty(), "a new pass kept the result label");
        require(!result.visible("Image1") && !result.visible("Image2"),
                "a new pass kept a verdict picture");
    }

    void checkVerdict() {
        int total = 0;
        for (int v : model_.recorded) total += v;
        const bool passed = total >= passMark;
        auto& result = program().form(resultName);
        const QString text = result.caption("Label2");
        require(text == (passed ? testing::passVerdictText : testing::failVerdictText),
                QStringLiteral("%1 right answers, but the result says «%2»").arg(total).arg(text));
        require(result.visible("Image1") == passed && result.visible("Image2") == !passed,
                QStringLiteral("%1 right answers, but the pictures shown are pass %2, fail %3")
                    .arg(total)
                    .arg(result.visible("Image1"))
                    .arg(result.visible("Image2")));
        ++figures_.verdicts;
        ++(passed ? figures_.passed : figures_.failed);
    }

    void checkEnded() {
        const auto& outcome = program_->outcome();
        require(program().ended(), "End, but the program runs on");
        require(program().exitStatus() == 0 && outcome.exits == std::vector<int>{0},
                "End did not stop the event loop once with status 0");
        require(outcome.fatalMessages.isEmpty(),
                "fatal error: " + outcome.fatalMessages.join("; "));
        require(shownForms().isEmpty(), "a form stayed on screen after End");

        // Nothing the student still does reaches a procedure.
        const auto before = program().forms();
        for (auto* f : before) {
            if (f->window().windowHandle())
                postClick(&f->window(), f->window().rect().center(), false, nextPress(false));
            f->window().close();
            for (auto* w : f->window().findChildren<QAbstractButton*>()) w->click();
            if (auto* bar = f->window().menuBar()) bar->actions().first()->trigger();
        }
        testing::settle();
        require(program().forms() == before, "a form was created after End");
        require(shownForms().isEmpty(), "a form came back on screen after End");
        require(outcome.exits == std::vector<int>{0} && outcome.fatalMessages.isEmpty(),
                "a procedure ran after End");
        ++figures_.ends;
        fresh();
    }

    void check() {
        const auto& outcome = program_->outcome();
        require(outcome.fatalMessages.isEmpty(),
                "fatal error: " + outcome.fatalMessages.join("; "));
        require(outcome.exits.empty(), "the program ended where the model did not expect it");

        QStringList shown;
        int mainForms = 0;
        for (auto* f : shownForms()) {
            shown << f->name();
            mainForms += f->name() != aboutName;
        }
        require(!shown.isEmpty(), "no form on screen while the program runs");
        require(mainForms <= 1, "more than one form on screen: " + shown.join(", "));
        QStringList expected = model_.expectedVisible();
        shown.sort();
        expected.sort();
        require(shown == expected,
                "on screen: " + shown.join(", ") + "; expected: " + expected.join(", "));

        // One instance per form, for the whole run; forms come only with their first reach.
        for (auto* f : program().forms()) {
            auto [it, added] = instances_.try_emplace(f->name(), f);
            require(it->second == f, "a second instance of " + f->name());
        }
        require(int(instances_.size()) == int(program().forms().size()),
                "a form left the registry");
        require(program().exists(aboutName) == model_.aboutCreated,
                model_.aboutCreated ? "«Про автора» chosen, but no Form27"
                                    : "Form27 before «Про автора»");
        for (const auto& q : questions)
            require(program().exists(q.form) == model_.passForms,
                    QStringLiteral("%1 %2 the first pass")
                        .arg(q.form)
                        .arg(model_.passForms ? "missing after" : "exists before"));
        require(program().exists(resultName) == model_.passForms,
                "the result form at the wrong time");

        if (!model_.passForms) return;
        for (int i = 0; i < 24; ++i) {
            const QString text = program().form(questions[i].form).caption(questions[i].label);
            require(text.isEmpty() || text == "0" || text == "1",
                    QStringLiteral("%1.%2 holds «%3»")
                        .arg(questions[i].form, questions[i].label, text));
            const QString want =
                model_.recorded[i] < 0 ? QString() : QString::number(model_.recorded[i]);
            require(text == want, QStringLiteral("%1.%2 holds «%3», the model «%4»")
                                      .arg(questions[i].form, questions[i].label, text, want));
        }
        if (model_.stage == Model::Stage::Question) {
            const auto& q = questions[model_.question];
            auto& f = program().form(q.form);
            for (int b = 0; b < 4; ++b)
                require(int(f.value(content::optionBoxes[b])) == model_.boxes[model_.question][b],
                        QStringLiteral("%1.%2 is %3, the model %4")
                            .arg(q.form, content::optionBoxes[b])
                            .arg(int(f.value(content::optionBoxes[b])))
                            .arg(model_.boxes[model_.question][b]));
        }
        if (model_.stage == Model::Stage::Result) {
            const QString text = program().form(resultName).caption("Label2");
            require(!text.contains(QRegularExpression("\\d")), "the result form shows a number");
        }
    }

    quint64 seed_;
    qint64 actions_;
    qint64 step_ = 0;
    std::mt19937_64 rng_;
    std::unique_ptr<testing::TestProgram> program_;
    Model model_;
    double skill_ = 0;
    Figures figures_;
    std::map<QString, engine::FormInstance*> instances_;
    QStringList stack_;  // forms by z-order, topmost last
    std::deque<QString> recent_;
    // The hand: a clock in milliseconds, and the burst its last press belonged to.
    const int doubleClick_ = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    quint64 clock_ = 1'000'000;
    quint64 lastPress_ = 0;
    bool pressed_ = false;
    QString burstForm_;    // where the burst began
    QString burstWindow_;  // the main form on screen before its last press
    int burstMoves_ = 0;
};

quint64 seedArg = 1;
qint64 actionsArg = 20000;

// Seeds that once found a fault, each replayed to a little past the step that showed it.
const std::vector<std::pair<quint64, qint64>> regressionSeeds = {};

// A run whose every test function skipped exits with 77, which CTest reports as skipped.
int functionsRun = 0, functionsSkipped = 0;

}  // namespace

class ExerciserTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { ++functionsRun; }
    void run();
    void regressions();
};

void ExerciserTest::initTestCase() {
    testing::quietPlatform();
}

void ExerciserTest::run() {
    QElapsedTimer timer;
    timer.start();
    const Figures f = Exerciser(seedArg, actionsArg).run();
    qInfo(
        "seed %llu: %lld actions, %lld passes completed, %lld verdicts checked (%lld pass, %lld "
        "fail), %lld ends, %lld fresh program states, %.1f s",
        seedArg, f.actions, f.verdicts, f.verdicts, f.passed, f.failed, f.ends, f.programs,
        timer.elapsed() / 1000.0);
}

void ExerciserTest::regressions() {
    if (regressionSeeds.empty()) {
        ++functionsSkipped;
        QSKIP("no seed has found a fault yet");
    }
    for (const auto& [seed, actions] : regressionSeeds) {
        Exerciser(seed, actions).run();
        if (QTest::currentTestFailed()) return;
    }
}

// --seed and --actions (or MEREZHVAR_SEED and MEREZHVAR_ACTIONS) are ours; the rest go to Qt Test.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("MEREZHVAR_SEED"))
        seedArg = qEnvironmentVariable("MEREZHVAR_SEED").toULongLong();
    if (qEnvironmentVariableIsSet("MEREZHVAR_ACTIONS"))
        actionsArg = qEnvironmentVariable("MEREZHVAR_ACTIONS").toLongLong();
    std::vector<char*> rest;
    for (int i = 0; i < argc; ++i) {
        const QByteArray a = argv[i];
        if (a == "--seed" && i + 1 < argc) {
            seedArg = QByteArray(argv[++i]).toULongLong();
        } else if (a == "--actions" && i + 1 < argc) {
            actionsArg = QByteArray(argv[++i]).toLongLong();
        } else {
            rest.push_back(argv[i]);
        }
    }
    // Qt Test's watchdog ends a test function after five minutes; the long mode takes longer.
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT",
                QByteArray::number(std::max<qint64>(300000, actionsArg * 5)));
    int restCount = int(rest.size());
    QApplication app(restCount, rest.data());
    ExerciserTest test;
    const int status = QTest::qExec(&test, restCount, rest.data());
    return status == 0 && functionsRun > 0 && functionsSkipped == functionsRun ? 77 : status;
}

#include "exerciser.moc"
