// Injected faults: an undecodable picture or icon, read through the engine's picture reader, and
// score labels that are not a number, or whose total overflows, when the pass is scored. Each must
// end the program through the fatal run-time error, with status 1, at the failing step and never
// with a verdict on screen. The application's own start path returns that status.
#include <QAbstractButton>
#include <QApplication>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include "app/quiz.h"
#include "content/answer_key.h"
#include "content/pictures.h"
#include "support/test_support.h"

using content::answerKey;
using testing::Outcome;

namespace {

enum class Moment { StartUp, StartPass, About, Scoring };

// The first bytes of the real file: the decoder is chosen, then finds no image data.
QByteArray truncated(const QString& path) {
    return engine::readResource(path).left(32);
}

}  // namespace

Q_DECLARE_METATYPE(Moment)

class FaultTest : public QObject {
    Q_OBJECT
private slots:
    void fatalError_data();
    void fatalError();
    void applicationExitStatus_data();
    void applicationExitStatus();
    void desktopHostShowsTheError();
};

void FaultTest::fatalError_data() {
    QTest::addColumn<QString>("brokenFile");          // read as undecodable bytes; empty: none
    QTest::addColumn<QStringList>("badScoreLabels");  // "FormN.LabelM", each set to badText
    QTest::addColumn<QString>("badText");
    QTest::addColumn<Moment>("moment");      // the step that fails
    QTest::addColumn<QStringList>("named");  // what the message must name

    using M = Moment;
    const QString none;
    const QStringList noLabel;
    QTest::newRow("start picture") << content::StartPicture << noLabel << none << M::StartUp
                                   << QStringList{"Form1.Image1", content::StartPicture};
    QTest::newRow("pass picture") << content::PassPicture << noLabel << none << M::StartPass
                                  << QStringList{"Form4.Image1", content::PassPicture};
    QTest::newRow("fail picture") << content::FailPicture << noLabel << none << M::StartPass
                                  << QStringList{"Form4.Image2", content::FailPicture};
    QTest::newRow("author portrait") << content::AuthorPortrait << noLabel << none << M::About
                                     << QStringList{"Form27.Image1", content::AuthorPortrait};
    // The program decodes its one icon with the first form.
    QTest::newRow("icon") << content::FormIcon << noLabel << none << M::StartUp
                          << QStringList{"Form1", content::FormIcon};
    QTest::newRow("score label of question 11 is text")
        << none << QStringList{"Form13.Label2"} << "abc" << M::Scoring
        << QStringList{"Form13.Label2", "abc"};
    QTest::newRow("hidden score label of question 1 is text")
        << none << QStringList{"Form2.Label6"} << "abc" << M::Scoring
        << QStringList{"Form2.Label6", "abc"};
    // Each a number, but their sum is not finite.
    QTest::newRow("total overflows")
        << none << QStringList{"Form2.Label6", "Form13.Label2"} << "1e308" << M::Scoring
        << QStringList{"сума балів: переповнення"};
}

void FaultTest::fatalError() {
    QFETCH(QString, brokenFile);
    QFETCH(QStringList, badScoreLabels);
    QFETCH(QString, badText);
    QFETCH(Moment, moment);
    QFETCH(QStringList, named);

    testing::ProgramOptions options;
    options.readPicture = [=](const QString& path) {
        return path == brokenFile ? truncated(path) : engine::readResource(path);
    };
    testing::TestProgram program(content::designs(), options);
    const auto& outcome = program.outcome();
    auto failed = [&] { return !outcome.exits.empty(); };

    // Walk the road of a pass until the fault strikes: every answer right, so that a verdict
    // shown by mistake would be the pass verdict.
    program.start();
    if (!failed()) {
        if (moment == Moment::About)
            program->form(content::startForm).window().menuBar()->actions().first()->trigger();
        else
            program.click(content::startForm, "Command1");
    }
    if (!failed() && moment == Moment::Scoring) {
        for (const auto& q : answerKey) {
            program.click(q.form, q.scoredCheckBox);
            if (q.next == content::resultForm)
                for (const auto& where : badScoreLabels)
                    program->form(where.section('.', 0, 0))
                        .setCaption(where.section('.', 1), badText);
            program.click(q.form, "Command1");
        }
    }

    QCOMPARE(outcome.exits, std::vector<int>{1});
    QCOMPARE(program->exitStatus(), std::optional<int>(1));
    QCOMPARE(outcome.fatalMessages.size(), 1);
    const QString message = outcome.fatalMessages.first();
    QVERIFY2(message.startsWith("Помилка виконання: "), qPrintable(message));
    // "Form2" must not be found in "Form26".
    for (const auto& part : named)
        QVERIFY2(message.contains(QRegularExpression(QRegularExpression::escape(part) + "(?!\\d)")),
                 qPrintable(message));

    for (auto* f : program->forms()) QVERIFY2(!f->isShown(), qPrintable(f->name()));
    // Nothing after the failing step: the next form never came up, and no verdict was written.
    switch (moment) {
        case Moment::StartUp:
            QVERIFY(!program->exists(content::startForm));
            break;
        case Moment::StartPass:
            QVERIFY(!program->exists("Form2") || !program->form("Form2").shownBefore());
            break;
        case Moment::About:
            QVERIFY(!program->exists(content::aboutForm) ||
                    !program->form(content::aboutForm).shownBefore());
            break;
        case Moment::Scoring: {
            auto& result = program->form(content::resultForm);
            QVERIFY(!result.shownBefore());
            QCOMPARE(result.caption(content::resultLabel), QString());
            QVERIFY(!result.visible(content::passPictureControl));
            QVERIFY(!result.visible(content::failPictureControl));
            QCOMPARE(program->form("Form26").caption("Label2"), QString("1"));  // done before
            break;
        }
    }

    // The program has ended: no click reaches a procedure any more.
    program->deliver(content::startForm, "Command1", engine::Event::Click);
    program->deliver(content::resultForm, "Command1", engine::Event::Click);
    QCOMPARE(outcome.exits, std::vector<int>{1});
    QCOMPARE(outcome.fatalMessages.size(), 1);
    for (auto* f : program->forms()) QVERIFY(!f->isShown());
}

// The status the process would leave with: 1 where the start picture cannot be decoded, 0 where
// the student closes the start form.
void FaultTest::applicationExitStatus_data() {
    QTest::addColumn<QString>("brokenFile");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("fatalMessages");
    QTest::newRow("start picture undecodable") << content::StartPicture << 1 << 1;
    QTest::newRow("start form closed") << QString() << 0 << 0;
}

void FaultTest::applicationExitStatus() {
    QFETCH(QString, brokenFile);
    QFETCH(int, status);
    QFETCH(int, fatalMessages);
    Outcome outcome;
    const engine::Host host{
        .showFatal = [&](const QString& m) { outcome.fatalMessages << m; },
        .exit =
            [&](int s) {
                outcome.exits.push_back(s);
                QCoreApplication::exit(s);
            },
    };
    // Closes the start form once the event loop runs; a status of 99 means nothing ended it.
    QTimer close;
    close.setSingleShot(true);
    connect(&close, &QTimer::timeout, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == content::startForm && w->isVisible()) w->close();
    });
    close.start(0);
    QTimer stop;
    stop.setSingleShot(true);
    connect(&stop, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    stop.start(10000);

    const int returned = app::run(host, [&](const QString& path) {
        return path == brokenFile ? truncated(path) : engine::readResource(path);
    });
    QCOMPARE(returned, status);
    QCOMPARE(outcome.exits, std::vector<int>{status});
    QCOMPARE(outcome.fatalMessages.size(), fatalMessages);
}

// The desktop's own host, as main() passes it: the error comes up in a critical message box with
// the program's caption as its title and one button, and the program ends with status 1 once the
// student has pressed it.
void FaultTest::desktopHostShowsTheError() {
    struct Seen {
        QString title, text, buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        bool modal = false;
    } seen;
    bool shown = false;
    QTimer look;
    connect(&look, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        look.stop();
        shown = true;
        seen.title = box->windowTitle();
        seen.text = box->text();
        seen.icon = box->icon();
        seen.modal = box->isModal();
        QStringList buttons;
        for (QAbstractButton* b : box->buttons()) buttons << b->text();
        seen.buttons = buttons.join('|');
        if (!box->buttons().isEmpty()) QTest::mouseClick(box->buttons().first(), Qt::LeftButton);
    });
    look.start(20);
    QTimer stop;  // a box that never came up, or stayed after its button, ends the wait
    stop.setSingleShot(true);
    connect(&stop, &QTimer::timeout, [] {
        if (QWidget* w = QApplication::activeModalWidget()) w->close();
    });
    stop.start(10000);

    const int status =
        app::run(engine::applicationHost(content::programCaption), [](const QString& path) {
            return path == content::StartPicture ? truncated(path) : engine::readResource(path);
        });
    QVERIFY2(shown, "no message box came up");
    QCOMPARE(seen.title, QString("Тест \"Мережвар\"."));
    QCOMPARE(seen.text, QString("Помилка виконання: Form1.Image1: не вдалося розпізнати малюнок "
                                ":/pictures/start.jpg"));
    QCOMPARE(seen.icon, QMessageBox::Critical);
    QVERIFY(seen.modal);
    QCOMPARE(seen.buttons, QString("OK"));
    QCOMPARE(status, 1);
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName() + " is still on screen"));
}

QTEST_MAIN(FaultTest)
#include "test_faults.moc"
