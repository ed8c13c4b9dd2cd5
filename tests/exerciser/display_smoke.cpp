// The real executable on a real X server, the one DISPLAY names (tests/support/on_xvfb.sh gives
// each run an Xvfb of its own): a whole pass played with the mouse, then «Закрити» on the result
// form must end the process with status 0; and a pass of double- and triple-clicks.
// A bare Xvfb has no window manager, so a window's position is its client area's, minus any menu
// bar above it; every form is centred on the screen.
#include <QDeadlineTimer>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>

#include "content/answer_key.h"
#include "content/designs.h"
#include "engine/properties.h"
#include "x_hand.h"

namespace {

QString executable;  // the merezhvar program, from the command line

// The toolkit's double-click interval on an X server with no desktop settings: presses closer
// than this are one burst.
constexpr int burstInterval = 400;

// A student reads a new form before clicking on it: longer than the burst interval, so that the
// click is not one burst with the click that showed it. The server stamps the click after the
// pause, and the one before it before the form came up, so a busy machine only lengthens the gap.
void readingPause() {
    QTest::qWait(600);
}

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

bool failed(const QString& why) {
    QTest::qFail(qPrintable(why), __FILE__, __LINE__);
    return false;
}

QString describe(const std::vector<int>& gaps) {
    QStringList ms;
    for (int g : gaps) ms << QString::number(g);
    return ms.join(", ");
}

QProcessEnvironment environment() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("QT_SCALE_FACTOR", "1");
    return env;
}

QString xdotool(const QStringList& args, bool* ok = nullptr) {
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start("xdotool", args);
    const bool done = p.waitForFinished(10000) && p.exitCode() == 0;
    if (ok) *ok = done;
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

Geometry geometry(const QString& window) {
    Geometry g;
    for (const QString& line : xdotool({"getwindowgeometry", "--shell", window}).split('\n')) {
        const auto value = line.section('=', 1).toInt();
        if (line.startsWith("X=")) g.x = value;
        if (line.startsWith("Y=")) g.y = value;
        if (line.startsWith("WIDTH=")) g.width = value;
        if (line.startsWith("HEIGHT=")) g.height = value;
    }
    return g;
}

// The program on the display, and the hand that plays it.
class Session {
public:
    ~Session() {
        if (program_.state() != QProcess::NotRunning) {
            program_.kill();
            program_.waitForFinished();
        }
    }

    QProcess& program() { return program_; }

    // Starts the program, its output on ours.
    bool launch() {
        program_.setProcessEnvironment(environment());
        program_.setProcessChannelMode(QProcess::ForwardedChannels);
        program_.start(executable, {});
        return program_.waitForStarted(10000);
    }

    // The one window of the program on screen, once it is another than `previous`. A program
    // started under Wine on a busy machine may take half a minute to show its first.
    QString waitForWindow(const QString& previous) {
        QDeadlineTimer deadline(previous.isEmpty() ? 40000 : 10000);
        while (!deadline.hasExpired()) {
            bool ok = false;
            const QString pid = QString::number(program_.processId());
            const QStringList ids = xdotool({"search", "--onlyvisible", "--pid", pid}, &ok)
                                        .split('\n', Qt::SkipEmptyParts);
            if (ok && ids.size() == 1 && ids.first() != previous) return ids.first();
            QTest::qWait(50);
        }
        return {};
    }

    // Clicks the middle of a control of the form in `window`, as its design places it; `times`
    // times, `gap` ms apart, for a double- or triple-click, which must reach the program as one
    // burst. False, with the test failed, where the control is unknown or the server stamped the
    // presses otherwise.
    [[nodiscard]] bool click(const QString& window, const QString& form, const QString& control,
                             int times = 1, int gap = 0) {
        const engine::FormDesign* design = engine::findDesign(content::designs(), form);
        const engine::ControlDesign* c = design ? engine::findControl(*design, control) : nullptr;
        if (!c) return failed(form + "." + control + " is not in the designs");
        const Geometry g = geometry(window);
        const int clientTop =
            g.y + g.height - engine::pixels(engine::resolve(*design).clientHeight);
        const std::vector<int> gaps =
            hand_.click(engine::pixels(c->rect).center() + QPoint(g.x, clientTop), times, gap);
        // The program times presses by the server's stamps: what it was given is what it judged.
        if (std::ranges::all_of(gaps, [](int ms) { return ms >= 0 && ms < burstInterval; }))
            return true;
        return failed(QString("%1 clicks %2 ms apart reached the X server as presses %3 ms apart, "
                              "not as one burst: the program was not given the gesture this step "
                              "is about")
                          .arg(times)
                          .arg(gap)
                          .arg(describe(gaps)));
    }

private:
    QProcess program_;
    XHand hand_;
};

}  // namespace

class DisplaySmokeTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void passByMouseThenClose();
    void burstsMoveOneWindow_data();
    void burstsMoveOneWindow();
};

void DisplaySmokeTest::initTestCase() {
    QVERIFY2(QFileInfo(executable).isExecutable(), qPrintable("no program at " + executable));
    QVERIFY2(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool is not installed");
    QVERIFY2(!qEnvironmentVariableIsEmpty("DISPLAY"),
             "no DISPLAY: run it on an X server of its own (tests/support/on_xvfb.sh)");
    QVERIFY2(XHand().ready(), "the X server offers no XTest and XInput 2 to play the student");
}

void DisplaySmokeTest::passByMouseThenClose() {
    Session session;
    QVERIFY(session.launch());
    QProcess& program = session.program();

    auto expectForm = [&](const QString& previous, const QString& form) {
        const QString window = session.waitForWindow(previous);
        if (window.isEmpty()) return window;
        // The client area is the design's, twips / 15 = pixels, below any menu bar.
        const engine::FormDesign* design = engine::findDesign(content::designs(), form);
        if (geometry(window).width != engine::pixels(engine::resolve(*design).clientWidth))
            return QString();
        return window;
    };

    QString window = expectForm({}, content::startForm);
    QVERIFY2(!window.isEmpty(), "the start form did not come up");
    QVERIFY(session.click(window, content::startForm, "Command1"));
    for (const auto& q : content::answerKey) {
        window = expectForm(window, q.form);
        QVERIFY2(!window.isEmpty(), qPrintable(q.form + " did not come up alone"));
        readingPause();
        QVERIFY(session.click(window, q.form, q.scoredCheckBox));
        QVERIFY(session.click(window, q.form, "Command1"));
    }
    window = expectForm(window, content::resultForm);
    QVERIFY2(!window.isEmpty(), "the result form did not come up alone");
    readingPause();
    QVERIFY(session.click(window, content::resultForm, "Command2"));  // «Закрити»

    QVERIFY2(program.waitForFinished(10000), "«Закрити» left the program running");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void DisplaySmokeTest::burstsMoveOneWindow_data() {
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("gap");
    for (int gap : {60, 150, 300}) QTest::addRow("double-click %d ms", gap) << 2 << gap;
    for (int gap : {60, 300}) QTest::addRow("triple-click %d ms", gap) << 3 << gap;
}

// A student who double- or triple-clicks every button still meets each of the 24 questions, and
// the result form stays on screen until «Закрити» is clicked once.
void DisplaySmokeTest::burstsMoveOneWindow() {
    QFETCH(int, clicks);
    QFETCH(int, gap);
    Session session;
    QVERIFY(session.launch());
    QProcess& program = session.program();

    const int resultWidth = engine::pixels(
        engine::resolve(*engine::findDesign(content::designs(), content::resultForm)).clientWidth);
    QString window = session.waitForWindow({});
    QVERIFY2(!window.isEmpty(), "the start form did not come up");
    QVERIFY(session.click(window, content::startForm, "Command1", clicks, gap));
    QStringList questions;
    for (;;) {
        window = session.waitForWindow(window);
        QVERIFY2(!window.isEmpty(),
                 qPrintable(QString("no new window after %1 questions").arg(questions.size())));
        if (geometry(window).width == resultWidth) break;
        readingPause();
        questions << window;
        QVERIFY2(questions.size() <= int(content::answerKey.size()), "more windows than questions");
        const QString form = content::answerKey[size_t(questions.size() - 1)].form;
        QVERIFY(session.click(window, form, "Command1", clicks, gap));
    }
    QCOMPARE(questions.size(), int(content::answerKey.size()));
    QCOMPARE(QSet<QString>(questions.begin(), questions.end()).size(), questions.size());

    QTest::qWait(1000);  // the result form is read, not closed by the burst's later clicks
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY(session.click(window, content::resultForm, "Command2"));  // «Закрити»
    QVERIFY2(program.waitForFinished(10000), "«Закрити» left the program running");
    QCOMPARE(program.exitCode(), 0);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() > 1 && !args[1].startsWith('-')) executable = args.takeAt(1);
    DisplaySmokeTest test;
    return QTest::qExec(&test, args);
}

#include "display_smoke.moc"
