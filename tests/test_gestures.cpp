// One burst of presses is one gesture. Every form opens at the same place, so the later presses of
// a double- or triple-click land on the form that the first click showed, and a key tapped twice
// reaches the form that the first tap showed; they must do nothing there. The events go through
// the toolkit's own double-click detection and focus handling, as a window system delivers them:
// to the platform window under the pointer, or with the keyboard.
#include <QtTest/qtestspontaneevent.h>
#include <QApplication>
#include <QKeyEvent>
#include <QStyleHints>
#include <QTest>

#include "content/answer_key.h"
#include "support/test_support.h"

using engine::FormInstance;

namespace {

int doubleClickInterval() {
    return QGuiApplication::styleHints()->mouseDoubleClickInterval();
}

// The hand: presses of mouse buttons at points of the screen and of keys, on one clock.
class Hand {
public:
    Hand() { time_ += 10'000; }

    // A press of `button`, and its release 20 ms later, `gap` milliseconds after the previous
    // press.
    void click(QPoint global, Qt::MouseButton button, int gap) {
        time_ += gap;
        mouse(global, QEvent::MouseButtonPress, button, button, time_);
        mouse(global, QEvent::MouseButtonRelease, Qt::NoButton, button, time_ + 20);
    }

    // A key pressed `gap` milliseconds after the previous press, and released 20 ms later.
    void tap(Qt::Key key, int gap) {
        keyDown(key, gap);
        keyUp(key);
    }

    // A key held for a second: the desktop repeats it after `delay` ms, every 30 ms, each repeat a
    // release and a press, as X11 reports it.
    void hold(Qt::Key key, int gap, int delay) {
        keyDown(key, gap);
        const ulong down = time_;
        for (ulong t = down + delay; t < down + 1000; t += 30) {
            sendKey(QEvent::KeyRelease, key, true, t);
            sendKey(QEvent::KeyPress, key, true, t);
            time_ = t;
        }
        sendKey(QEvent::KeyRelease, key, false, down + 1000);
    }

private:
    void keyDown(Qt::Key key, int gap) {
        time_ += gap;
        sendKey(QEvent::KeyPress, key, false, time_);
    }
    void keyUp(Qt::Key key) { sendKey(QEvent::KeyRelease, key, false, time_ + 20); }

    static void mouse(QPoint global, QEvent::Type type, Qt::MouseButtons state,
                      Qt::MouseButton button, ulong time) {
        QWidget* top = QApplication::topLevelAt(global);
        QVERIFY2(top, "no window under the pointer");
        QWindow* window = top->windowHandle();
        qt_handleMouseEvent(window, window->mapFromGlobal(global), global, state, button, type, {},
                            time);
        QApplication::processEvents();
    }

    // To the window with the keyboard, as the platform sends it after its shortcut check.
    static void sendKey(QEvent::Type type, Qt::Key key, bool repeat, ulong time) {
        QWindow* window = QGuiApplication::focusWindow();
        QVERIFY2(window, "no window has the keyboard");
        QKeyEvent e(type, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "", repeat);
        e.setTimestamp(time);
        QSpontaneKeyEvent::setSpontaneous(&e);
        QApplication::instance()->notify(window, &e);
        QApplication::processEvents();
    }

    // One clock for the whole run: every test's first press is far from the last one before.
    static inline ulong time_ = 1'000'000;
};

// What a gesture is made of: mouse presses on a point of «Далі» (or whichever button moves the
// student on), taps and holds of the key on the button with the keyboard.
enum class Input { Left, Right, Middle, Space, Return, HeldSpace, HeldReturn };
struct Press {
    Input input;
    int gap;        // milliseconds after the previous press
    int shift = 0;  // pixels the hand moved since the first press
    int delay = 0;  // a held key's repeat delay
};
using Gesture = QList<Press>;

QString describe(const Gesture& gesture) {
    static const char* names[] = {"left",   "right",      "middle",     "Space",
                                  "Return", "held Space", "held Return"};
    QStringList parts;
    for (const Press& p : gesture) {
        QString part = names[int(p.input)];
        if (&p != &gesture.front()) part = QString("%1 ms, ").arg(p.gap) + part;
        if (p.shift) part += QString(" %1 px away").arg(p.shift);
        if (p.delay) part += QString(" repeating after %1 ms").arg(p.delay);
        parts << part;
    }
    return parts.join("; ");
}

void perform(Hand& hand, QPoint point, const Gesture& gesture) {
    for (const Press& p : gesture) {
        const QPoint at = point + QPoint(p.shift, 0);
        switch (p.input) {
            case Input::Left:
                hand.click(at, Qt::LeftButton, p.gap);
                break;
            case Input::Right:
                hand.click(at, Qt::RightButton, p.gap);
                break;
            case Input::Middle:
                hand.click(at, Qt::MiddleButton, p.gap);
                break;
            case Input::Space:
                hand.tap(Qt::Key_Space, p.gap);
                break;
            case Input::Return:
                hand.tap(Qt::Key_Return, p.gap);
                break;
            case Input::HeldSpace:
                hand.hold(Qt::Key_Space, p.gap, p.delay);
                break;
            case Input::HeldReturn:
                hand.hold(Qt::Key_Return, p.gap, p.delay);
                break;
        }
    }
}

// Sees every mouse and key event that reaches a control: a release whose press no control saw is
// half of a dropped press. (The toolkit itself passes on no mouse release without its press; a key
// release goes to the control with the keyboard, whatever pressed it.)
class Witness : public QObject {
public:
    Witness() { qApp->installEventFilter(this); }
    ~Witness() override { qApp->removeEventFilter(this); }
    QStringList halfGestures;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (!o->isWidgetType()) return false;
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::KeyPress:
                if (once(e)) down_.insert(source(e));
                break;
            case QEvent::MouseButtonRelease:
            case QEvent::KeyRelease:
                if (once(e) && !down_.remove(source(e)))
                    halfGestures << QString("release of %1 on %2")
                                        .arg(source(e))
                                        .arg(static_cast<QWidget*>(o)->window()->objectName());
                break;
            default:
                break;
        }
        return false;
    }

private:
    static int source(const QEvent* e) {
        return e->isPointerEvent() ? int(static_cast<const QMouseEvent*>(e)->button())
                                   : -static_cast<const QKeyEvent*>(e)->key();
    }
    // False for the copies of an event that its control passes on to the one beneath.
    bool once(const QEvent* e) {
        const auto key =
            std::tuple(e->type(), source(e), static_cast<const QInputEvent*>(e)->timestamp());
        if (key == last_) return false;
        last_ = key;
        return true;
    }
    std::tuple<QEvent::Type, int, quint64> last_;
    QSet<int> down_;
};

const QPointF centre(0.5, 0.5);

// A point of a control, given as shares of its width and height.
QPoint pointOf(QWidget* w, QPointF share) {
    return w->mapToGlobal(QPoint(int(w->width() * share.x()), int(w->height() * share.y())));
}

// Starts a program and reaches `form` by single clicks, as a student would, then puts the keyboard
// on its Command1, as Tab does.
void reach(testing::TestProgram& program, const QString& form) {
    program.start();
    if (form != "Form1") {
        program.click("Form1", "Command1");
        for (const auto& q : content::answerKey) {
            if (q.form == form) break;
            program.click(q.form, "Command1");
        }
    }
    FormInstance& f = program->form(form);
    QVERIFY(f.isShown());
    QVERIFY(QTest::qWaitForWindowActive(&f.window()));
    f.widget("Command1")->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), f.widget("Command1"));
}

}  // namespace

class GestureTest : public QObject {
    Q_OBJECT
private slots:
    void burstMovesOneWindow_data();
    void burstMovesOneWindow();
    void pausedPressesAreTwoGestures_data();
    void pausedPressesAreTwoGestures();
    void burstOnOneFormActsOnIt();
    void untimedKeysAreTimedOnArrival_data();
    void untimedKeysAreTimedOnArrival();
};

void GestureTest::burstMovesOneWindow_data() {
    QTest::addColumn<QString>("form");   // where the gesture begins
    QTest::addColumn<QPointF>("at");     // where on its Command1, as shares of width and height
    QTest::addColumn<QString>("shown");  // the one form on screen afterwards
    QTest::addColumn<QString>("focus");  // its control with the keyboard, as one click leaves it
    QTest::addColumn<Gesture>("gesture");
    struct Place {
        const char* name;
        QString form;
        QPointF at;
        QString shown, focus;
    };
    // «Розпочати тест» covers «Далі» of question 1 only with its right part.
    const Place places[] = {
        {"«Розпочати тест»", "Form1", {0.9, 0.33}, "Form2", "Check1"},
        {"«Далі»", "Form2", centre, "Form3", "Check1"},
        {"last «Далі»", "Form26", centre, "Form4", "Command1"},
        {"«Розпочати знову»", "Form4", centre, "Form1", "Command1"},
    };
    QList<Gesture> gestures;
    // Double-, triple- and quadruple-clicks, however quick and however far the hand moves.
    for (int presses : {2, 3, 4})
        for (int gap : {60, 150, 300})
            for (int shift : {0, 3, 8}) {
                Gesture g;
                for (int i = 0; i < presses; ++i) g.push_back({Input::Left, gap, i % 2 * shift});
                gestures << g;
            }
    // Any button: the ones that press nothing still give the focus.
    for (int gap : {60, 300}) {
        gestures << Gesture{{Input::Left, 0}, {Input::Right, gap}}
                 << Gesture{{Input::Left, 0}, {Input::Middle, gap, 3}}
                 << Gesture{{Input::Right, 0}, {Input::Left, gap}, {Input::Right, gap}}
                 << Gesture{{Input::Left, 0},
                            {Input::Middle, gap},
                            {Input::Right, gap},
                            {Input::Left, gap}};
    }
    // The keyboard, alone and with the mouse.
    for (int gap : {100, 250}) {
        gestures << Gesture{{Input::Space, 0}, {Input::Space, gap}}
                 << Gesture{{Input::Return, 0}, {Input::Return, gap}}
                 << Gesture{{Input::Space, 0}, {Input::Return, gap}, {Input::Space, gap}}
                 << Gesture{{Input::Left, 0}, {Input::Space, gap}}
                 << Gesture{{Input::Space, 0}, {Input::Left, gap}};
    }
    gestures << Gesture{{Input::Left, 0}, {Input::Space, 130}}
             << Gesture{{Input::Left, 0}, {Input::HeldSpace, 130, 0, 500}};
    // A held key, repeating sooner or later than the double-click interval.
    for (int delay : {250, 500})
        gestures << Gesture{{Input::HeldSpace, 0, 0, delay}}
                 << Gesture{{Input::HeldReturn, 0, 0, delay}};

    for (const Place& p : places)
        for (const Gesture& g : gestures)
            QTest::addRow("%s: %s", p.name, qPrintable(describe(g)))
                << p.form << p.at << p.shown << p.focus << g;
}

void GestureTest::burstMovesOneWindow() {
    QFETCH(QString, form);
    QFETCH(QPointF, at);
    QFETCH(QString, shown);
    QFETCH(QString, focus);
    QFETCH(Gesture, gesture);
    for (const Press& p : gesture) QVERIFY(p.gap < doubleClickInterval());
    testing::TestProgram program;
    reach(program, form);
    if (QTest::currentTestFailed()) return;

    const Witness witness;
    Hand hand;
    perform(hand, pointOf(program->form(form).widget("Command1"), at), gesture);

    QVERIFY(program.outcome().exits.empty());  // «Закрити» did not end the program unseen
    for (FormInstance* f : program->forms()) QCOMPARE(f->isShown(), f->name() == shown);
    FormInstance& now = program->form(shown);
    for (const QString& box : content::optionBoxes)
        if (now.widget(box)) QCOMPARE(now.value(box), engine::Unchecked);
    QWidget* focused = now.window().focusWidget();
    QVERIFY(focused);
    QCOMPARE(focused->objectName(), focus);
    QCOMPARE(witness.halfGestures.join(", "), QString());
}

// A student who reads and then goes on is never held back: after a pause, a press acts at once.
void GestureTest::pausedPressesAreTwoGestures_data() {
    QTest::addColumn<Gesture>("gesture");  // on «Далі» of question 1, which has the keyboard
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("ticked");  // a box of that form, or none
    const int pause = doubleClickInterval() + 50;
    QTest::newRow("click, click") << Gesture{{Input::Left, 0}, {Input::Left, pause}} << "Form5"
                                  << "";
    QTest::newRow("click, Space") << Gesture{{Input::Left, 0}, {Input::Space, pause}} << "Form3"
                                  << "Check1";
    QTest::newRow("Space, Space") << Gesture{{Input::Space, 0}, {Input::Space, pause}} << "Form3"
                                  << "Check1";
    QTest::newRow("Return, held Space")
        << Gesture{{Input::Return, 0}, {Input::HeldSpace, pause, 0, 250}} << "Form3"
        << "Check1";
}

void GestureTest::pausedPressesAreTwoGestures() {
    QFETCH(Gesture, gesture);
    QFETCH(QString, shown);
    QFETCH(QString, ticked);
    testing::TestProgram program;
    reach(program, "Form2");
    if (QTest::currentTestFailed()) return;
    Hand hand;
    perform(hand, pointOf(program->form("Form2").widget("Command1"), centre), gesture);
    for (FormInstance* f : program->forms()) QCOMPARE(f->isShown(), f->name() == shown);
    FormInstance& now = program->form(shown);
    for (const QString& box : content::optionBoxes)
        QCOMPARE(now.value(box), box == ticked ? engine::Checked : engine::Unchecked);
}

// On the form where it began, a burst is so many clicks: a box goes on and off again, and a box
// beside it is ticked as well.
void GestureTest::burstOnOneFormActsOnIt() {
    testing::TestProgram program;
    reach(program, "Form2");
    FormInstance& form = program->form("Form2");
    Hand hand;
    hand.click(pointOf(form.widget("Check1"), centre), Qt::LeftButton, 0);
    QCOMPARE(form.value("Check1"), engine::Checked);
    hand.click(pointOf(form.widget("Check1"), centre), Qt::LeftButton, 100);
    QCOMPARE(form.value("Check1"), engine::Unchecked);
    hand.click(pointOf(form.widget("Check2"), centre), Qt::LeftButton, 100);
    QCOMPARE(form.value("Check2"), engine::Checked);
}

// A screen reader's bridge passes each key on as a new event that carries no time: such keys are
// timed as they arrive, so a pause still parts two gestures and a quick double tap is still one.
void GestureTest::untimedKeysAreTimedOnArrival_data() {
    QTest::addColumn<int>("gap");  // real milliseconds between two taps of Space on «Далі»
    QTest::addColumn<QString>("ticked");  // on question 2, afterwards
    QTest::newRow("a double tap") << 50 << "";
    QTest::newRow("after a pause") << doubleClickInterval() + 100 << "Check1";
}

void GestureTest::untimedKeysAreTimedOnArrival() {
    QFETCH(int, gap);
    QFETCH(QString, ticked);
    testing::TestProgram program;
    reach(program, "Form2");
    if (QTest::currentTestFailed()) return;
    auto tapSpace = [] {
        for (auto type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent e(type, Qt::Key_Space, Qt::NoModifier, " ");
            e.setTimestamp(0);
            QApplication::instance()->notify(QGuiApplication::focusWindow(), &e);
        }
        QApplication::processEvents();
    };
    QTest::qWait(doubleClickInterval() + 100);  // the clicks that reached question 1 are long past
    tapSpace();
    QTest::qWait(gap);
    tapSpace();
    for (FormInstance* f : program->forms()) QCOMPARE(f->isShown(), f->name() == "Form3");
    for (const QString& box : content::optionBoxes)
        QCOMPARE(program->form("Form3").value(box),
                 box == ticked ? engine::Checked : engine::Unchecked);
}

QTEST_MAIN(GestureTest)
#include "test_gestures.moc"
