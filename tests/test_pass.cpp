// Whole passes through the real forms, driven by simulated clicks and keys.
#include <QApplication>
#include <QMenuBar>
#include <QTest>

#include "content/answer_key.h"
#include "engine/properties.h"
#include "support/test_support.h"

using content::answerKey;
using engine::FormInstance;

namespace {

// Watches every window of a program: the order in which forms are shown and hidden, whether some
// form stays on screen at every moment, and what the result label says whenever Form4 appears.
class Watcher : public QObject {
public:
    explicit Watcher(engine::Program& program) : program_(program) {}

    void watchAll() {
        for (FormInstance* f : program_.forms()) f->window().installEventFilter(this);
    }

    QStringList events;  // "+Form5", "-Form3", ...
    QStringList resultCaptionsWhenShown;
    int momentsWithNoForm = 0;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Show && e->type() != QEvent::Hide) return false;
        const QString name = o->objectName();
        events << (e->type() == QEvent::Show ? "+" : "-") + name;
        if (e->type() == QEvent::Show && name == content::resultForm)
            resultCaptionsWhenShown << program_.form(name).caption(content::resultLabel);
        if (e->type() == QEvent::Hide && !program_.ended()) {
            bool any = false;
            for (FormInstance* f : program_.forms()) any = any || f->isShown();
            momentsWithNoForm += !any;
        }
        return false;
    }

private:
    engine::Program& program_;
};

QStringList scoredOnly(const content::Question& q) {
    return {q.scoredCheckBox};
}

// How a row of a table answers one question before «Далі».
using Answer = std::function<void(testing::TestProgram&, const content::Question&)>;

Answer ticking(const std::function<QStringList(const content::Question&)>& choose) {
    return [choose](testing::TestProgram& program, const content::Question& q) {
        for (const auto& box : choose(q)) program.click(q.form, box);
    };
}

// The question numbers from..to.
QList<int> questions(int from, int to) {
    QList<int> numbers;
    for (int n = from; n <= to; ++n) numbers << n;
    return numbers;
}

}  // namespace

class PassTest : public QObject {
    Q_OBJECT
private slots:
    void verdicts_data();
    void verdicts();
    void verdictAfterAPassDrawsAsAFreshOne();
    void formsComeInOrderAndOneIsAlwaysShown();
    void firstStartCreatesThePassForms();
    void newPassKeepsNothingOfTheLast();
    void aboutForm();
    void titleBarCloseHidesTheAboutForm_data();
    void titleBarCloseHidesTheAboutForm();
    void closeEndsWithStatusZero_data();
    void closeEndsWithStatusZero();
    void keyboardAloneCompletesAPass();
};

void PassTest::verdicts_data() {
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<QList<int>>("scoring");  // the questions whose score label reads 1
    QTest::addColumn<bool>("passes");
    using testing::rightAnswers;
    QTest::newRow("19 right pass") << ticking(rightAnswers(19)) << questions(1, 19) << true;
    QTest::newRow("18 right fail") << ticking(rightAnswers(18)) << questions(1, 18) << false;
    QTest::newRow("24 right pass") << ticking(rightAnswers(24)) << questions(1, 24) << true;
    QTest::newRow("no box ticked fails")
        << ticking([](const content::Question&) { return QStringList(); }) << QList<int>() << false;
    QTest::newRow("every box on every form passes")
        << ticking([](const content::Question&) { return content::optionBoxes; })
        << questions(1, 24) << true;
    QTest::newRow("greyed scored box earns nothing")
        << Answer([](testing::TestProgram& program, const content::Question& q) {
               if (q.number == 5)
                   program->form(q.form).setValue(q.scoredCheckBox, engine::Grayed);
               else if (q.number <= 19)
                   program.click(q.form, q.scoredCheckBox);
           })
        << questions(1, 4) + questions(6, 19) << false;
    QTest::newRow("18 right and the last: the last question counts")
        << ticking([](const content::Question& q) {
               return q.number <= 18 || q.number == 24 ? scoredOnly(q) : QStringList();
           })
        << questions(1, 18) + questions(24, 24) << true;
}

void PassTest::verdicts() {
    QFETCH(Answer, answer);
    QFETCH(QList<int>, scoring);
    QFETCH(bool, passes);
    testing::TestProgram program;
    program.start();
    program.click("Form1", "Command1");
    for (const auto& q : answerKey) {
        QVERIFY2(program->form(q.form).isShown(), qPrintable(q.form + " is not on screen"));
        answer(program, q);
        program.click(q.form, "Command1");
    }

    FormInstance& result = program->form(content::resultForm);
    QVERIFY(result.isShown());
    QCOMPARE(result.caption(content::resultLabel),
             passes ? testing::passVerdictText : testing::failVerdictText);
    QCOMPARE(result.visible(content::passPictureControl), passes);
    QCOMPARE(result.visible(content::failPictureControl), !passes);
    for (const auto& q : answerKey)
        QCOMPARE(program->form(q.form).caption(q.scoreLabel),
                 QString(scoring.contains(q.number) ? "1" : "0"));
    QVERIFY(program.outcome().exits.empty());
}

// A verdict laid out for the last pass's text would show here.
void PassTest::verdictAfterAPassDrawsAsAFreshOne() {
    auto failVerdictPixels = [](bool passFirst) {
        testing::TestProgram program;
        program.start();
        if (passFirst) {
            program.click("Form1", "Command1");
            if (!program.answerAll(testing::rightAnswers(24))) return QImage();
            testing::grabClient(program->form(content::resultForm));  // the pass verdict seen
            program.click(content::resultForm, "Command1");  // «Розпочати знову»
        }
        program.click("Form1", "Command1");
        if (!program.answerAll(testing::rightAnswers(0))) return QImage();
        FormInstance& result = program->form(content::resultForm);
        const auto* label = engine::findControl(result.design(), content::resultLabel);
        return testing::grabClient(result).copy(engine::pixels(label->rect));
    };
    QCOMPARE(failVerdictPixels(true), failVerdictPixels(false));
}

void PassTest::formsComeInOrderAndOneIsAlwaysShown() {
    testing::TestProgram program;
    program.start();
    program->form("Form2");  // reach the pass's forms first, so that every window is watched
    Watcher watcher(*program);
    for (const auto& q : answerKey) program->form(q.form);
    program->form(content::resultForm);
    watcher.watchAll();

    program.click("Form1", "Command1");
    QVERIFY(program.answerAll(scoredOnly));

    QStringList expected = {"+Form2", "-Form1"};
    for (const auto& q : answerKey) expected << "+" + q.next << "-" + q.form;
    QCOMPARE(watcher.events, expected);  // Form3 leads to Form5, never to Form4
    QCOMPARE(watcher.momentsWithNoForm, 0);
    QCOMPARE(watcher.resultCaptionsWhenShown, QStringList(testing::passVerdictText));
}

void PassTest::firstStartCreatesThePassForms() {
    testing::TestProgram program;
    program.start();
    QCOMPARE(program->forms().size(), size_t(1));
    program.click("Form1", "Command1");
    QStringList created;
    for (FormInstance* f : program->forms()) created << f->name();
    QCOMPARE(created.size(), 26);
    for (int n = 1; n <= 26; ++n) QVERIFY(created.contains(QString("Form%1").arg(n)));
    QVERIFY(!program->exists(content::aboutForm));
    for (FormInstance* f : program->forms()) QCOMPARE(f->isShown(), f->name() == "Form2");
}

void PassTest::newPassKeepsNothingOfTheLast() {
    testing::TestProgram program;
    program.start();
    std::unique_ptr<Watcher> watcher;  // goes before the program does
    std::vector<FormInstance*> firstInstances;
    for (const bool passFirst : {true, false, true}) {
        program.click("Form1", "Command1");
        if (!watcher) {
            watcher = std::make_unique<Watcher>(*program);
            watcher->watchAll();
            firstInstances = program->forms();
        }
        // Every tick, score text, verdict and picture of the last pass is gone.
        for (const auto& q : answerKey) {
            FormInstance& f = program->form(q.form);
            QCOMPARE(f.caption(q.scoreLabel), QString());
            for (const auto& box : content::optionBoxes) QCOMPARE(f.value(box), engine::Unchecked);
        }
        FormInstance& result = program->form(content::resultForm);
        QCOMPARE(result.caption(content::resultLabel), QString());
        QVERIFY(!result.visible(content::passPictureControl));
        QVERIFY(!result.visible(content::failPictureControl));

        QVERIFY(program.answerAll(testing::rightAnswers(passFirst ? 24 : 3)));
        QCOMPARE(result.visible(content::passPictureControl), passFirst);
        QCOMPARE(result.visible(content::failPictureControl), !passFirst);
        program.click(content::resultForm, "Command1");  // «Розпочати знову»
        QVERIFY(program->form("Form1").isShown());
        QVERIFY(!result.isShown());
        QCOMPARE(result.caption(content::resultLabel),
                 passFirst ? testing::passVerdictText : testing::failVerdictText);
    }
    QCOMPARE(program->forms(), firstInstances);  // one instance per form through every pass
    QCOMPARE(watcher->momentsWithNoForm, 0);  // «Розпочати знову» shows before it hides
    QCOMPARE(watcher->resultCaptionsWhenShown,
             QStringList(
                 {testing::passVerdictText, testing::failVerdictText, testing::passVerdictText}));
}

void PassTest::aboutForm() {
    testing::TestProgram program;
    program.start();
    QMenuBar* menu = program->form("Form1").window().menuBar();
    menu->actions().first()->trigger();
    FormInstance& about = program->form(content::aboutForm);
    QVERIFY(about.isShown());
    menu->actions().first()->trigger();
    QCOMPARE(&program->form(content::aboutForm), &about);
    QVERIFY(program->form("Form1").isShown());

    // The student clicks «Розпочати тест» on the start form: question 1, not the about form
    // beside it, takes the keyboard as the start form hides.
    QWidget& start = program->form("Form1").window();
    start.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&start));
    program.click("Form1", "Command1");  // the about form stays open beside question 1
    QVERIFY(about.isShown());
    QVERIFY(program->form("Form2").isShown());
    QTest::qWait(50);  // every activation the platform was asked for has arrived
    QCOMPARE(QApplication::activeWindow(), &program->form("Form2").window());
}

// The title-bar close only hides the about form: the form beside it becomes the active window
// with the keyboard where it was, the pass goes on, and the about form can come back, its
// «Закрити» ending the program, mid-pass or not.
void PassTest::titleBarCloseHidesTheAboutForm_data() {
    QTest::addColumn<QString>("beside");    // the form on screen with it
    QTest::addColumn<QString>("keyboard");  // that form's control with the keyboard
    QTest::newRow("beside the start form, opened by keyboard") << "Form1"
                                                               << "Command1";
    QTest::newRow("beside question 1") << "Form2"
                                       << "Check1";
}

void PassTest::titleBarCloseHidesTheAboutForm() {
    QFETCH(QString, beside);
    QFETCH(QString, keyboard);
    testing::TestProgram program;
    program.start();
    FormInstance& start = program->form("Form1");
    QVERIFY(QTest::qWaitForWindowActive(&start.window()));
    QTRY_COMPARE(QApplication::focusWidget(), start.widget("Command1"));
    testing::keyClick(Qt::Key_F10);
    testing::keyClick(Qt::Key_Return);  // «Про автора»
    FormInstance& about = program->form(content::aboutForm);
    QVERIFY(QTest::qWaitForWindowActive(&about.window()));
    if (beside != "Form1") {
        program.click("Form1", "Command1");
        about.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&about.window()));
    }
    FormInstance& other = program->form(beside);
    QVERIFY(other.isShown());

    about.window().close();
    QVERIFY(!about.isShown());
    QVERIFY(program.outcome().exits.empty());
    QTRY_COMPARE(QApplication::activeWindow(), &other.window());
    QTRY_COMPARE(QApplication::focusWidget(), other.widget(keyboard));
    QVERIFY(!start.window().menuBar()->activeAction());
    testing::keyClick(Qt::Key_Space);  // «Розпочати тест», or a tick for question 1
    if (beside == "Form1")
        QVERIFY(program->form(answerKey.front().form).isShown());
    else
        QCOMPARE(other.value(keyboard), engine::Checked);

    about.show();
    program.click(content::aboutForm, "Command1");
    QCOMPARE(program.outcome().exits, std::vector<int>{0});
    for (FormInstance* f : program->forms()) QVERIFY(!f->isShown());
}

void PassTest::closeEndsWithStatusZero_data() {
    QTest::addColumn<bool>("viaTitleBar");
    QTest::newRow("«Закрити» on the result form") << false;
    QTest::newRow("title-bar close of a question form") << true;
}

void PassTest::closeEndsWithStatusZero() {
    QFETCH(bool, viaTitleBar);
    testing::TestProgram program;
    program.start();
    program.click("Form1", "Command1");
    if (viaTitleBar) {
        program->form("Form2").window().close();
    } else {
        QVERIFY(program.answerAll(scoredOnly));
        program.click(content::resultForm, "Command2");
    }
    QCOMPARE(program.outcome().exits, std::vector<int>{0});
    QVERIFY(program.outcome().fatalMessages.isEmpty());
    for (FormInstance* f : program->forms()) QVERIFY(!f->isShown());
}

void PassTest::keyboardAloneCompletesAPass() {
    testing::TestProgram program;
    program.start();
    auto activeForm = [&](const QString& name) {
        FormInstance& f = program->form(name);
        return QTest::qWaitForWindowActive(&f.window()) ? &f : nullptr;
    };
    auto key = [](Qt::Key k) { testing::keyClick(k); };
    auto focused = [] { return QApplication::focusWidget(); };

    QVERIFY(activeForm("Form1"));
    key(Qt::Key_Return);  // «Розпочати тест» holds the focus
    for (const auto& q : answerKey) {
        FormInstance* f = activeForm(q.form);
        QVERIFY2(f, qPrintable(q.form));
        QTRY_COMPARE(focused(), f->widget("Check1"));
        // Tab visits the boxes by name, then «Далі»; Form13 alone takes Check3 before Check2,
        // as they stand on screen.
        const QStringList order =
            q.form == "Form13" ? QStringList{"Check1", "Check3", "Check2", "Check4", "Command1"}
                               : content::optionBoxes + QStringList{"Command1"};
        for (const auto& name : order) {
            QCOMPARE(focused(), f->widget(name));
            if (name == q.scoredCheckBox) key(Qt::Key_Space);
            if (name != "Command1") key(Qt::Key_Tab);
        }
        key(Qt::Key_Backtab);
        key(Qt::Key_Tab);
        QCOMPARE(focused(), f->widget("Command1"));
        key(q.number % 2 ? Qt::Key_Space : Qt::Key_Return);
    }
    FormInstance* result = activeForm(content::resultForm);
    QVERIFY(result);
    QCOMPARE(result->caption(content::resultLabel), testing::passVerdictText);
    QTRY_COMPARE(focused(), result->widget("Command1"));
    key(Qt::Key_Tab);
    QCOMPARE(focused(), result->widget("Command2"));
    key(Qt::Key_Return);
    QCOMPARE(program.outcome().exits, std::vector<int>{0});
}

QTEST_MAIN(PassTest)
#include "test_pass.moc"
