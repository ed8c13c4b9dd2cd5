// The real executable on a real X server: Xvfb on a free display, a whole pass played with the
// mouse through xdotool, then «Закрити» on the result form must end the process with status 0.
// A bare Xvfb has no window manager, so a window's position is its client area's, minus any menu
// bar above it; every form is centred on the screen.
#include <QDeadlineTimer>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

#include "content/answer_key.h"
#include "content/designs.h"
#include "engine/properties.h"

namespace {

QString executable;  // the merezhvar program, from the command line

// A student reads a new form before clicking on it: longer than the toolkit's double-click interval
// (400 ms on a bare X server), so that the click is not one burst with the click that showed it.
void readingPause() {
    QTest::qWait(600);
}
// Set when no X server could start; the run then exits with 77, which CTest reports as skipped.
bool noXServer = false;

struct Geometry {
    int x = 0, y = 0, width = 0, height = 0;
};

class XServer {
public:
    ~XServer() {
        if (program_.state() != QProcess::NotRunning) {
            program_.kill();
            program_.waitForFinished();
        }
        if (xvfb_.state() != QProcess::NotRunning) {
            xvfb_.terminate();
            if (!xvfb_.waitForFinished(5000)) xvfb_.kill();
        }
    }

    QString start() {
        const QString failure = startXvfb();
        noXServer = noXServer || !failure.isEmpty();
        return failure;
    }

    // Xvfb picks a free display number itself and writes it on the given descriptor.
    QString startXvfb() {
        const QString xvfb = QStandardPaths::findExecutable("Xvfb");
        if (xvfb.isEmpty()) return "Xvfb is not installed";
        xvfb_.start(xvfb, {"-displayfd", "1", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
        if (!xvfb_.waitForStarted(5000)) return "Xvfb did not start: " + xvfb_.errorString();
        QByteArray number;
        while (!number.contains('\n') && xvfb_.waitForReadyRead(10000))
            number += xvfb_.readAllStandardOutput();
        if (!number.contains('\n'))
            return "Xvfb gave no display: " + QString::fromLocal8Bit(xvfb_.readAllStandardError());
        display_ = ":" + QString::fromLatin1(number.trimmed());
        return {};
    }

    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", display_);
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

    QProcess& program() { return program_; }

    // Starts the program on this display, its output on ours.
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

    // Clicks the middle of a control of the form in `window`, as its design places it; `times`
    // times, the given milliseconds apart, for a double- or triple-click.
    bool click(const QString& window, const QString& form, const QString& control, int times = 1,
               int delay = 0) {
        const engine::FormDesign* design = engine::findDesign(content::designs(), form);
        const engine::ControlDesign* c = design ? engine::findControl(*design, control) : nullptr;
        if (!c) return false;
        const Geometry g = geometry(window);
        const int clientTop =
            g.y + g.height - engine::pixels(engine::resolve(*design).clientHeight);
        const QPoint at = engine::pixels(c->rect).center() + QPoint(g.x, clientTop);
        // --sync waits for the pointer to move, and a double-click pass leaves it where the next
        // «Далі» is.
        QStringList args = {"mousemove", QString::number(at.x()), QString::number(at.y()), "click"};
        if (times > 1)
            args << "--repeat" << QString::number(times) << "--delay" << QString::number(delay);
        bool ok = false;
        xdotool(args << "1", &ok);
        return ok;
    }

private:
    QProcess xvfb_;
    QProcess program_;
    QString display_;
};

}  // namespace

class DisplaySmokeTest : public QObject {
    Q_OBJECT
private slots:
    void passByMouseThenClose();
    void burstsMoveOneWindow_data();
    void burstsMoveOneWindow();
};

void DisplaySmokeTest::passByMouseThenClose() {
    QVERIFY2(QFileInfo(executable).isExecutable(), qPrintable("no program at " + executable));
    QVERIFY2(!QStandardPaths::findExecutable("xdotool").isEmpty(), "xdotool is not installed");
    XServer display;
    if (const QString failure = display.start(); !failure.isEmpty())
        QSKIP(qPrintable("no X server for the real-display test: " + failure));

    QVERIFY(display.launch());
    QProcess& program = display.program();

    auto expectForm = [&](const QString& previous, const QString& form) {
        const QString window = display.waitForWindow(previous);
        if (window.isEmpty()) return window;
        // The client area is the design's, twips / 15 = pixels, below any menu bar.
        const engine::FormDesign* design = engine::findDesign(content::designs(), form);
        const Geometry g = display.geometry(window);
        if (g.width != engine::pixels(engine::resolve(*design).clientWidth)) return QString();
        return window;
    };

    QString window = expectForm({}, content::startForm);
    QVERIFY2(!window.isEmpty(), "the start form did not come up");
    QVERIFY(display.click(window, content::startForm, "Command1"));
    for (const auto& q : content::answerKey) {
        window = expectForm(window, q.form);
        QVERIFY2(!window.isEmpty(), qPrintable(q.form + " did not come up alone"));
        readingPause();
        QVERIFY(display.click(window, q.form, q.scoredCheckBox));
        QVERIFY(display.click(window, q.form, "Command1"));
    }
    window = expectForm(window, content::resultForm);
    QVERIFY2(!window.isEmpty(), "the result form did not come up alone");
    readingPause();
    QVERIFY(display.click(window, content::resultForm, "Command2"));  // «Закрити»

    QVERIFY2(program.waitForFinished(10000), "«Закрити» left the program running");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
}

void DisplaySmokeTest::burstsMoveOneWindow_data() {
    QTest::addColumn<int>("clicks");
    QTest::addColumn<int>("delay");
    for (int delay : {60, 150, 300}) QTest::addRow("double-click, %d ms", delay) << 2 << delay;
    for (int delay : {60, 300}) QTest::addRow("triple-click, %d ms", delay) << 3 << delay;
}

// A student who double- or triple-clicks every button still meets each of the 24 questions, and
// the result form stays on screen until «Закрити» is clicked once.
void DisplaySmokeTest::burstsMoveOneWindow() {
    QFETCH(int, clicks);
    QFETCH(int, delay);
    XServer display;
    if (const QString failure = display.start(); !failure.isEmpty())
        QSKIP(qPrintable("no X server for the real-display test: " + failure));
    QVERIFY(display.launch());
    QProcess& program = display.program();

    const int resultWidth = engine::pixels(
        engine::resolve(*engine::findDesign(content::designs(), content::resultForm)).clientWidth);
    QString window = display.waitForWindow({});
    QVERIFY2(!window.isEmpty(), "the start form did not come up");
    QVERIFY(display.click(window, content::startForm, "Command1", clicks, delay));
    QStringList questions;
    for (;;) {
        window = display.waitForWindow(window);
        QVERIFY2(!window.isEmpty(),
                 qPrintable(QString("no new window after %1 questions").arg(questions.size())));
        if (display.geometry(window).width == resultWidth) break;
        readingPause();
        questions << window;
        QVERIFY2(questions.size() <= int(content::answerKey.size()), "more windows than questions");
        const QString form = content::answerKey[size_t(questions.size() - 1)].form;
        QVERIFY(display.click(window, form, "Command1", clicks, delay));
    }
    QCOMPARE(questions.size(), int(content::answerKey.size()));
    QCOMPARE(QSet<QString>(questions.begin(), questions.end()).size(), questions.size());

    QTest::qWait(1000);  // the result form is read, not closed by the burst's later clicks
    QCOMPARE(program.state(), QProcess::Running);
    QVERIFY(display.click(window, content::resultForm, "Command2"));  // «Закрити»
    QVERIFY2(program.waitForFinished(10000), "«Закрити» left the program running");
    QCOMPARE(program.exitCode(), 0);
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    if (args.size() > 1 && !args[1].startsWith('-')) executable = args.takeAt(1);
    DisplaySmokeTest test;
    const int status = QTest::qExec(&test, args);
    return status == 0 && noXServer ? 77 : status;
}

#include "display_smoke.moc"
