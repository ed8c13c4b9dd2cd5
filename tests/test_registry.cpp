// The form registry and navigation, dispatch, End and fatal errors, on small designs built here;
// the title-bar buttons of the quiz's own forms.
#include <QApplication>
#include <QMenuBar>
#include <QScreen>
#include <QTest>

#include "support/test_support.h"

using namespace engine;

namespace {

FormDesign smallForm(const QString& name, std::vector<MenuItemDesign> menu = {}) {
    return FormDesign{.name = name,
                      .caption = "Тест",
                      .backColor = {0x00C0E0FF},
                      .maxButton = false,
                      .clientWidth = 3000,
                      .clientHeight = 1500,
                      .linkTopic = name,
                      .controls =
                          {
                              {.name = "Command1",
                               .kind = ControlKind::CommandButton,
                               .id = 1,
                               .caption = "Далі",
                               .rect = {1500, 900, 1200, 450},
                               .tabIndex = 3,
                               .style = Graphical},
                              {.name = "Check2",
                               .kind = ControlKind::CheckBox,
                               .id = 2,
                               .caption = "Б",
                               .rect = {150, 450, 1200, 300},
                               .tabIndex = 2},
                              {.name = "Check1",
                               .kind = ControlKind::CheckBox,
                               .id = 3,
                               .caption = "А",
                               .rect = {150, 0, 1200, 300},
                               .tabIndex = 1},
                              {.name = "Label1",
                               .kind = ControlKind::Label,
                               .id = 4,
                               .caption = "питання",
                               .rect = {1500, 0, 1200, 300},
                               .tabIndex = 0,
                               .backStyle = Transparent},
                              {.name = "Image1",
                               .kind = ControlKind::Image,
                               .id = 5,
                               .rect = {0, 900, 300, 300},
                               .picture = "broken"},
                          },
                      .menu = std::move(menu)};
}

std::vector<FormDesign> twoForms() {
    auto a = smallForm("FormA", {{.name = "Про_автора", .caption = "Про автора"}});
    auto b = smallForm("FormB");
    b.controls.pop_back();  // FormB's image has no picture
    a.controls.back().picture.reset();
    return {a, b};
}

QWidget* focusOf(FormInstance& form) {
    return form.window().focusWidget();
}

}  // namespace

class RegistryTest : public QObject {
    Q_OBJECT
private slots:
    void reachingCreatesHiddenOnceAndNeverShows();
    void firstShowCentresAndFocusesLowestTabIndex();
    void tabOrderFollowsTabIndex();
    void showOfVisibleFormChangesNothing();
    void hideThenShowRestoresPlaceValuesAndFocus();
    void writesToHiddenFormShowAtNextShow();
    void showRestoresMinimizedForm();
    void clicksAndMenuRunTheirProcedureOnly();
    void endStopsTheProcedureAndEverythingAfter();
    void undecodablePictureIsFatal();
    void failingOperationsAreFatal_data();
    void failingOperationsAreFatal();
    void captionsReadAsNumbers_data();
    void captionsReadAsNumbers();
    void closeButtonPolicy();
    void titleBarButtons_data();
    void titleBarButtons();
};

void RegistryTest::reachingCreatesHiddenOnceAndNeverShows() {
    testing::TestProgram program(twoForms());
    QVERIFY(!program->exists("FormB"));
    FormInstance& first = program->form("FormB");
    QVERIFY(program->exists("FormB"));
    QVERIFY(!first.isShown());
    QCOMPARE(&program->form("FormB"), &first);
    QCOMPARE(program->forms().size(), size_t(1));
    QCOMPARE(first.window().windowTitle(), QString("Тест"));
    QCOMPARE(first.window().size(), QSize(200, 100));  // the exact client size, no menu bar
}

void RegistryTest::firstShowCentresAndFocusesLowestTabIndex() {
    testing::TestProgram program(twoForms());
    program.start("FormA");
    FormInstance& a = program->form("FormA");
    QVERIFY(a.isShown());
    QVERIFY(QTest::qWaitForWindowActive(&a.window()));
    QCOMPARE(focusOf(a), a.widget("Check1"));
    const QRect screen = a.window().screen()->availableGeometry();
    QVERIFY((a.window().geometry().center() - screen.center()).manhattanLength() <= 1);
    // The menu bar lies outside the client area: the client keeps its size.
    QCOMPARE(a.window().surface()->size(), QSize(200, 100));
    QCOMPARE(a.window().menuBar()->actions().size(), 1);
}

void RegistryTest::tabOrderFollowsTabIndex() {
    testing::TestProgram program(twoForms());
    program.start("FormA");
    FormInstance& a = program->form("FormA");
    QVERIFY(QTest::qWaitForWindowActive(&a.window()));
    const QStringList forward = {"Check2", "Command1", "Check1", "Check2"};
    for (const auto& name : forward) {
        testing::keyClick(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), a.widget(name));
    }
    testing::keyClick(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), a.widget("Check1"));
    testing::keyClick(Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), a.widget("Command1"));  // wraps at the start
}

void RegistryTest::showOfVisibleFormChangesNothing() {
    testing::TestProgram program(twoForms());
    program.start("FormA");
    FormInstance& a = program->form("FormA");
    a.setValue("Check2", Checked);
    a.setCaption("Label1", "1");
    a.window().move(a.window().pos() + QPoint(30, 20));
    const QPoint placed = a.window().pos();
    a.show();
    QCOMPARE(a.window().pos(), placed);
    QCOMPARE(a.value("Check2"), Checked);
    QCOMPARE(a.caption("Label1"), QString("1"));
    QCOMPARE(program->forms().size(), size_t(1));
}

void RegistryTest::hideThenShowRestoresPlaceValuesAndFocus() {
    testing::TestProgram program(twoForms());
    program.start("FormA");
    FormInstance& a = program->form("FormA");
    QVERIFY(QTest::qWaitForWindowActive(&a.window()));
    program.click("FormA", "Check2");
    QCOMPARE(a.value("Check2"), engine::Checked);
    QCOMPARE(QApplication::focusWidget(), a.widget("Check2"));
    a.window().move(a.window().pos() + QPoint(40, 10));
    const QPoint placed = a.window().pos();

    program->form("FormB").show();
    a.hide();
    QVERIFY(!a.isShown());
    a.show();
    QCOMPARE(a.window().pos(), placed);  // placed by its start-up position only the first time
    QCOMPARE(a.value("Check2"), engine::Checked);
    QTRY_COMPARE(QApplication::focusWidget(), a.widget("Check2"));
}

void RegistryTest::writesToHiddenFormShowAtNextShow() {
    testing::TestProgram program(twoForms());
    FormInstance& b = program->form("FormB");
    const QImage fresh = testing::grabClient(b);
    b.setCaption("Label1", "0");
    b.setValue("Check1", Checked);
    QVERIFY(!b.isShown());
    b.show();
    const QImage shown = testing::grabClient(b);
    QVERIFY(shown != fresh);
    QCOMPARE(b.caption("Label1"), QString("0"));
    QCOMPARE(b.value("Check1"), engine::Checked);
}

void RegistryTest::showRestoresMinimizedForm() {
    testing::TestProgram program(twoForms());
    program.start("FormA");
    FormInstance& a = program->form("FormA");
    a.window().showMinimized();
    QVERIFY(a.window().isMinimized());
    a.show();
    QVERIFY(!a.window().isMinimized());
    QVERIFY(a.isShown());
}

void RegistryTest::clicksAndMenuRunTheirProcedureOnly() {
    QStringList calls;
    auto record = [&](const QString& what) { return [&calls, what](Forms&) { calls << what; }; };
    testing::TestProgram program(
        twoForms(),
        {.bindings = testing::Bindings{{"FormA", "Command1", Event::Click, record("Command1")},
                                       {"FormA", "Про_автора", Event::Click, record("menu")}}});
    program.start("FormA");
    FormInstance& a = program->form("FormA");
    program.click("FormA", "Check1");  // a check box runs nothing
    QCOMPARE(calls, QStringList());
    program.click("FormA", "Command1");
    QTest::mouseClick(a.window().surface(), Qt::LeftButton, {}, QPoint(110, 10));  // the label
    a.window().menuBar()->actions().first()->trigger();
    QCOMPARE(calls, QStringList({"Command1", "menu"}));

    // Space and Enter press the focused button.
    a.widget("Command1")->setFocus();
    QTest::keyClick(a.widget("Command1"), Qt::Key_Space);
    QTest::keyClick(a.widget("Command1"), Qt::Key_Return);
    QCOMPARE(calls.size(), 4);
    QVERIFY(program.outcome().exits.empty());
}

void RegistryTest::endStopsTheProcedureAndEverythingAfter() {
    int after = 0;
    testing::TestProgram program(
        twoForms(), {.bindings = testing::Bindings{
                         {"FormA", "Command1", Event::Click,
                          [&](Forms& p) {
                              p.form("FormB").show();
                              p.end();
                              ++after;  // never runs
                          }},
                         {"FormB", "Command1", Event::Click, [&](Forms&) { ++after; }}}});
    program.start("FormA");
    program.click("FormA", "Command1");
    QCOMPARE(program.outcome().exits, std::vector<int>{0});
    QVERIFY(program.outcome().fatalMessages.isEmpty());
    QVERIFY(!program->form("FormA").isShown());
    QVERIFY(!program->form("FormB").isShown());
    program->deliver("FormB", "Command1", Event::Click);
    QCOMPARE(after, 0);
    QCOMPARE(program.outcome().exits.size(), size_t(1));
}

void RegistryTest::undecodablePictureIsFatal() {
    testing::TestProgram program({smallForm("FormA")},
                                 {.readPicture = [](const QString&) { return QByteArray("xx"); }});
    program.start("FormA");
    QCOMPARE(program.outcome().exits, std::vector<int>{1});
    QCOMPARE(program.outcome().fatalMessages,
             QStringList("Помилка виконання: FormA.Image1: не вдалося розпізнати малюнок broken"));
    QVERIFY(!program->exists("FormA"));
}

void RegistryTest::failingOperationsAreFatal_data() {
    QTest::addColumn<std::function<void(Forms&)>>("step");
    QTest::addColumn<QString>("message");
    using Step = std::function<void(Forms&)>;
    QTest::newRow("unknown form") << Step([](Forms& p) { p.form("Form99"); })
                                  << "Form99: такої форми немає";
    QTest::newRow("unknown control") << Step([](Forms& p) { p.form("FormB").value("Check9"); })
                                     << "FormB.Check9: такого елемента немає";
    QTest::newRow("property of another kind")
        << Step([](Forms& p) { p.form("FormB").setCaption("Check1", "x"); })
        << "FormB.Check1: CheckBox не має властивості Caption";
    QTest::newRow("value out of range")
        << Step([](Forms& p) { p.form("FormB").setValue("Check1", CheckValue(3)); })
        << "FormB.Check1: недопустиме значення Value 3";
    QTest::newRow("text that is not a number")
        << Step([](Forms&) { toNumber("1a", "FormB.Label1"); })
        << "FormB.Label1: текст «1a» не є числом";
}

void RegistryTest::failingOperationsAreFatal() {
    QFETCH(std::function<void(Forms&)>, step);
    QFETCH(QString, message);
    bool after = false;
    testing::TestProgram program(
        twoForms(),
        {.bindings = testing::Bindings{{"FormA", "Command1", Event::Click, [&](Forms& p) {
                                            step(p);
                                            after = true;
                                        }}}});
    program.start("FormA");
    program.click("FormA", "Command1");
    QCOMPARE(program.outcome().fatalMessages, QStringList("Помилка виконання: " + message));
    QCOMPARE(program.outcome().exits, std::vector<int>{1});
    QVERIFY(!after);
    QVERIFY(!program->form("FormA").isShown());
}

void RegistryTest::captionsReadAsNumbers_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("number");  // NaN: reading it is the fatal error
    QTest::newRow("empty is 0") << "" << 0.0;
    QTest::newRow("one") << "1" << 1.0;
    QTest::newRow("letters") << "abc" << qQNaN();
}

void RegistryTest::captionsReadAsNumbers() {
    QFETCH(QString, text);
    QFETCH(double, number);
    if (!qIsNaN(number)) {
        QCOMPARE(toNumber(text, "FormB.Label1"), number);
        return;
    }
    try {
        toNumber(text, "FormB.Label1");
        QFAIL("no error");
    } catch (const RuntimeError& e) {
        QCOMPARE(e.message(), "FormB.Label1: текст «" + text + "» не є числом");
    }
}

void RegistryTest::closeButtonPolicy() {
    testing::TestProgram program(twoForms(), {.hideOnClose = QStringList{"FormB"}});
    program.start("FormA");
    FormInstance& b = program->form("FormB");
    b.show();
    b.window().close();  // hides: FormA is still on screen
    QVERIFY(!b.isShown());
    QVERIFY(program.outcome().exits.empty());

    program->form("FormA").hide();
    b.show();
    b.window().close();  // the only form on screen: closing it ends the program
    QCOMPARE(program.outcome().exits, std::vector<int>{0});

    testing::TestProgram other(twoForms(), {.hideOnClose = QStringList{"FormB"}});
    other.start("FormA");
    other->form("FormA").window().close();
    QCOMPARE(other.outcome().exits, std::vector<int>{0});
    QVERIFY(!other->form("FormA").isShown());
}

// What the title bar of each kind of form offers, on the live window: no form can be maximized;
// the start form, Form3 alone of the questions, and the about form can be minimized.
void RegistryTest::titleBarButtons_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("minimize");
    QTest::newRow("start") << "Form1" << true;
    QTest::newRow("question 1") << "Form2" << false;
    QTest::newRow("question 2") << "Form3" << true;
    QTest::newRow("question 24") << "Form26" << false;
    QTest::newRow("result") << "Form4" << false;
    QTest::newRow("about") << "Form27" << true;
}

void RegistryTest::titleBarButtons() {
    QFETCH(QString, form);
    QFETCH(bool, minimize);
    testing::TestProgram program;
    const Qt::WindowFlags flags = program->form(form).window().windowFlags();
    QCOMPARE(bool(flags & Qt::WindowMinimizeButtonHint), minimize);
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(flags & Qt::WindowCloseButtonHint);
}

QTEST_MAIN(RegistryTest)
#include "test_registry.moc"
