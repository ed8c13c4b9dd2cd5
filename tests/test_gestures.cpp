// One click gesture moves the student one window on. Every form opens at the same place, so the
// second click of a double-click lands on the form that the first click showed; the mouse events
// go through the toolkit's own double-click detection, as a window system delivers them.
#include <QApplication>
#include <QStyleHints>
#include <QTest>

#include "content/answer_key.h"
#include "support/test_support.h"

using engine::FormInstance;

namespace {

// The pointer's events at a point of the screen, delivered to whichever window lies there now.
class Pointer {
public:
    explicit Pointer(QPoint global) : global_(global) {}

    // A press and a release `gap` milliseconds after the previous click began.
    void click(int gap) {
        time_ += gap;
        send(QEvent::MouseButtonPress, Qt::LeftButton, time_);
        send(QEvent::MouseButtonRelease, Qt::NoButton, time_ + 20);
    }

private:
    void send(QEvent::Type type, Qt::MouseButtons state, int time) {
        QWidget* top = QApplication::topLevelAt(global_);
        QVERIFY2(top, "no window under the pointer");
        QWindow* window = top->windowHandle();
        qt_handleMouseEvent(window, window->mapFromGlobal(global_), global_, state, Qt::LeftButton,
                            type, {}, time);
        QApplication::processEvents();
    }

    QPoint global_;
    int time_ = 1'000'000;
};

const QPointF centre(0.5, 0.5);

// A point of a control, given as shares of its width and height.
QPoint pointOf(QWidget* w, QPointF share) {
    return w->mapToGlobal(QPoint(int(w->width() * share.x()), int(w->height() * share.y())));
}

}  // namespace

class GestureTest : public QObject {
    Q_OBJECT
private slots:
    void doubleClickMovesOneWindow_data();
    void doubleClickMovesOneWindow();
    void doubleClickOnOneFormStillToggles();
};

void GestureTest::doubleClickMovesOneWindow_data() {
    QTest::addColumn<QString>("form");     // where the gesture begins
    QTest::addColumn<QString>("control");  // what its first click presses
    QTest::addColumn<QPointF>("at");       // where on it, as shares of its width and height
    QTest::addColumn<int>("gap");          // milliseconds between the two clicks
    QTest::addColumn<QString>("shown");    // the one form on screen afterwards
    const int doubleClick = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    for (int gap : {60, doubleClick - 50}) {
        const QString g = QString::number(gap) + " ms";
        // «Розпочати тест» covers «Далі» of question 1 only with its right part.
        QTest::newRow(qPrintable("«Розпочати тест», " + g))
            << QString("Form1") << QString("Command1") << QPointF(0.9, 0.33) << gap
            << QString("Form2");
        QTest::newRow(qPrintable("«Далі», " + g))
            << QString("Form2") << QString("Command1") << centre << gap << QString("Form3");
        QTest::newRow(qPrintable("«Розпочати знову», " + g))
            << QString("Form4") << QString("Command1") << centre << gap << QString("Form1");
        QTest::newRow(qPrintable("last «Далі», " + g))
            << QString("Form26") << QString("Command1") << centre << gap << QString("Form4");
    }
    // Two clicks a moment apart are two gestures: the student moves on twice.
    QTest::newRow("«Далі» twice on purpose") << QString("Form2") << QString("Command1") << centre
                                             << doubleClick + 200 << QString("Form5");
}

void GestureTest::doubleClickMovesOneWindow() {
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(QPointF, at);
    QFETCH(int, gap);
    QFETCH(QString, shown);
    testing::TestProgram program;
    program.start();
    // Reach the form the gesture begins on, as a student would.
    if (form != "Form1") {
        program.click("Form1", "Command1");
        for (const auto& q : content::answerKey) {
            if (q.form == form) break;
            program.click(q.form, "Command1");
        }
    }
    FormInstance& begin = program->form(form);
    QVERIFY(begin.isShown());
    QVERIFY(QTest::qWaitForWindowExposed(&begin.window()));

    Pointer pointer(pointOf(begin.widget(control), at));
    pointer.click(0);
    pointer.click(gap);

    QVERIFY(program.outcome().exits.empty());  // «Закрити» did not end the program unseen
    for (engine::FormInstance* f : program->forms()) QCOMPARE(f->isShown(), f->name() == shown);
    if (shown == "Form3")  // the next question took no answer
        QCOMPARE(program->form("Form3").caption(content::answerKey[1].scoreLabel), QString());
}

// On one form a double-click is two clicks: a check box goes on and off again.
void GestureTest::doubleClickOnOneFormStillToggles() {
    testing::TestProgram program;
    program.start();
    program.click("Form1", "Command1");
    FormInstance& form = program->form("Form2");
    QVERIFY(QTest::qWaitForWindowExposed(&form.window()));
    Pointer pointer(pointOf(form.widget("Check1"), centre));
    pointer.click(0);
    QCOMPARE(form.value("Check1"), engine::Checked);
    pointer.click(100);
    QCOMPARE(form.value("Check1"), engine::Unchecked);
}

QTEST_MAIN(GestureTest)
#include "test_gestures.moc"
