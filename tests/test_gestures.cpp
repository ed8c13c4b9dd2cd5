// One burst of clicks is one gesture. Every form opens at the same place, so the later presses of
// a double- or triple-click land on the form that the first click showed; they must do nothing
// there. The mouse events go through the toolkit's own double-click detection and focus handling,
// as a window system delivers them.
#include <QApplication>
#include <QStyleHints>
#include <QTest>

#include "content/answer_key.h"
#include "support/test_support.h"

using engine::FormInstance;

namespace {

// The pointer's events at points of the screen, delivered to whichever window lies there now.
class Pointer {
public:
    Pointer() { time_ += 10'000; }

    // A press, and a release 20 ms later, `gap` milliseconds after the previous press.
    void click(QPoint global, int gap) {
        time_ += gap;
        send(global, QEvent::MouseButtonPress, Qt::LeftButton, time_);
        send(global, QEvent::MouseButtonRelease, Qt::NoButton, time_ + 20);
    }

private:
    static void send(QPoint global, QEvent::Type type, Qt::MouseButtons state, ulong time) {
        QWidget* top = QApplication::topLevelAt(global);
        QVERIFY2(top, "no window under the pointer");
        QWindow* window = top->windowHandle();
        qt_handleMouseEvent(window, window->mapFromGlobal(global), global, state, Qt::LeftButton,
                            type, {}, time);
        QApplication::processEvents();
    }

    // One clock for the whole run: every test's first press is far from the last one before.
    static inline ulong time_ = 1'000'000;
};

const QPointF centre(0.5, 0.5);

// A point of a control, given as shares of its width and height.
QPoint pointOf(QWidget* w, QPointF share) {
    return w->mapToGlobal(QPoint(int(w->width() * share.x()), int(w->height() * share.y())));
}

// Starts a program and reaches `form` by single clicks, as a student would.
void reach(testing::TestProgram& program, const QString& form) {
    program.start();
    if (form != "Form1") {
        program.click("Form1", "Command1");
        for (const auto& q : content::answerKey) {
            if (q.form == form) break;
            program.click(q.form, "Command1");
        }
    }
    QVERIFY(program->form(form).isShown());
    QVERIFY(QTest::qWaitForWindowExposed(&program->form(form).window()));
}

}  // namespace

class GestureTest : public QObject {
    Q_OBJECT
private slots:
    void burstMovesOneWindow_data();
    void burstMovesOneWindow();
    void pausedClicksAreTwoGestures();
    void burstOnOneFormActsOnIt();
};

void GestureTest::burstMovesOneWindow_data() {
    QTest::addColumn<QString>("form");   // where the burst begins
    QTest::addColumn<QPointF>("at");     // where on its Command1, as shares of width and height
    QTest::addColumn<QString>("shown");  // the one form on screen afterwards
    QTest::addColumn<QString>("focus");  // its control with the keyboard, as one click leaves it
    QTest::addColumn<int>("presses");
    QTest::addColumn<int>("gap");    // milliseconds between presses
    QTest::addColumn<int>("shift");  // pixels the hand moves between presses
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
    for (const Place& p : places)
        for (int presses : {2, 3, 4})
            for (int gap : {60, 150, 300})
                for (int shift : {0, 3, 8})
                    QTest::addRow("%s, %d presses, %d ms, %d px", p.name, presses, gap, shift)
                        << p.form << p.at << p.shown << p.focus << presses << gap << shift;
}

void GestureTest::burstMovesOneWindow() {
    QFETCH(QString, form);
    QFETCH(QPointF, at);
    QFETCH(QString, shown);
    QFETCH(QString, focus);
    QFETCH(int, presses);
    QFETCH(int, gap);
    QFETCH(int, shift);
    QVERIFY(gap < QGuiApplication::styleHints()->mouseDoubleClickInterval());
    testing::TestProgram program;
    reach(program, form);
    if (QTest::currentTestFailed()) return;

    const QPoint point = pointOf(program->form(form).widget("Command1"), at);
    Pointer pointer;
    for (int i = 0; i < presses; ++i) pointer.click(point + QPoint(i % 2 * shift, 0), i ? gap : 0);

    QVERIFY(program.outcome().exits.empty());  // «Закрити» did not end the program unseen
    for (FormInstance* f : program->forms()) QCOMPARE(f->isShown(), f->name() == shown);
    FormInstance& now = program->form(shown);
    for (const char* box : {"Check1", "Check2", "Check3", "Check4"})
        if (now.widget(box)) QCOMPARE(now.value(box), engine::Unchecked);
    QWidget* focused = now.window().focusWidget();
    QVERIFY(focused);
    QCOMPARE(focused->objectName(), focus);
}

// A student who reads and then clicks again is never held back: two gestures, two questions.
void GestureTest::pausedClicksAreTwoGestures() {
    testing::TestProgram program;
    reach(program, "Form2");
    const QPoint point = pointOf(program->form("Form2").widget("Command1"), centre);
    Pointer pointer;
    pointer.click(point, 0);
    pointer.click(point, QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    QVERIFY(program->form("Form5").isShown());
    QVERIFY(!program->form("Form3").isShown());
}

// On the form where it began, a burst is so many clicks: a box goes on and off again, and a box
// beside it is ticked as well.
void GestureTest::burstOnOneFormActsOnIt() {
    testing::TestProgram program;
    reach(program, "Form2");
    FormInstance& form = program->form("Form2");
    Pointer pointer;
    pointer.click(pointOf(form.widget("Check1"), centre), 0);
    QCOMPARE(form.value("Check1"), engine::Checked);
    pointer.click(pointOf(form.widget("Check1"), centre), 100);
    QCOMPARE(form.value("Check1"), engine::Unchecked);
    pointer.click(pointOf(form.widget("Check2"), centre), 100);
    QCOMPARE(form.value("Check2"), engine::Checked);
}

QTEST_MAIN(GestureTest)
#include "test_gestures.moc"
