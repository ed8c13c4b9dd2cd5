// What a screen reader and a keyboard user meet: the accessibility tree of each kind of form, the
// menu bar by keyboard, the focus marker, and the forms at any display scale (QT_SCALE_FACTOR).
#include <QAccessible>
#include <QApplication>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QStyleHints>
#include <QTest>
#include <QWindow>
#include <algorithm>

#include "content/answer_key.h"
#include "engine/drawing.h"
#include "support/test_support.h"

using engine::FormInstance;

namespace {

struct Node {
    QAccessible::Role role;
    QString name;
    friend bool operator==(const Node&, const Node&) = default;
};

// The client area's children as a screen reader walks them.
QList<Node> readingOrder(FormInstance& form) {
    QAccessibleInterface* surface = QAccessible::queryAccessibleInterface(form.window().surface());
    QList<Node> nodes;
    for (int i = 0; i < surface->childCount(); ++i) {
        QAccessibleInterface* child = surface->child(i);
        nodes.push_back({child->role(), child->text(QAccessible::Name)});
    }
    return nodes;
}

QString describe(const QList<Node>& nodes) {
    QStringList out;
    for (const auto& n : nodes) out << QString("%1:%2").arg(int(n.role)).arg(n.name);
    return out.join(" | ");
}

QAccessibleInterface* windowOf(FormInstance& form) {
    return QAccessible::queryAccessibleInterface(&form.window());
}

QString caption(FormInstance& form, const QString& control) {
    return engine::findControl(form.design(), control)->caption.value_or(QString());
}

double luminance(QColor c) {
    auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

// A key through the window with the keyboard, as the platform sends it: past the shortcut map, the
// menu bar's own handling and the burst guard, on to the control with the keyboard. Alt alone
// goes down with its modifier and comes up without it, as X11 reports it.
void platformKey(Qt::Key key) {
    QWindow* window = QGuiApplication::focusWindow();
    QVERIFY2(window, "no window has the keyboard");
    qt_handleKeyEvent(window, QEvent::KeyPress, key,
                      key == Qt::Key_Alt ? Qt::AltModifier : Qt::NoModifier);
    qt_handleKeyEvent(window, QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::processEvents();
}

// Whether the menu bar shows its entry highlighted, as the student sees it: most of the entry's
// pixels in the highlight colour.
bool entryHighlighted(QMenuBar* bar) {
    const QRect entry = bar->actionGeometry(bar->actions().first());
    const QImage image = bar->grab(entry).toImage();
    const QRgb highlight = bar->palette().color(QPalette::Highlight).rgba();
    return testing::countPixels(image, image.rect(), highlight) * 2 >
           image.width() * image.height();
}

// The quiz's forms with the start form's menu on question 1 as well: a menu beside more than one
// control.
std::vector<engine::FormDesign> menuOnQuestionOne() {
    auto designs = content::designs();
    const auto named = [&](const QString& name) {
        return std::find_if(designs.begin(), designs.end(),
                            [&](const auto& d) { return d.name == name; });
    };
    named(content::answerKey.front().form)->menu = named(content::startForm)->menu;
    return designs;
}

double contrast(QColor a, QColor b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace

class AccessTest : public QObject {
    Q_OBJECT
private slots:
    void formTrees_data();
    void formTrees();
    void questionForms();
    void menuByKeyboard_data();
    void menuByKeyboard();
    void focusMarkerContrast();
    void formsAtThisScale();
    void captionLinesFitAtEveryScale();
    void newPassStartsOnTheFirstOption();
    void changesAreAnnounced();
    void aboutFormDescription();
};

// How a row of the tree table brings its form up, from the start form on screen.
using Reach = std::function<FormInstance&(testing::TestProgram&)>;

void AccessTest::formTrees_data() {
    QTest::addColumn<Reach>("reach");
    QTest::addColumn<QString>("windowName");         // empty: not checked
    QTest::addColumn<QString>("windowDescription");  // empty: not checked
    QTest::addColumn<QList<Node>>("expected");

    const Reach start = [](testing::TestProgram& program) -> FormInstance& {
        return program->form("Form1");
    };
    // Passes one after another, each with `right` answers right, «Розпочати знову» between them.
    auto afterPasses = [](QList<int> rights) {
        return Reach([rights](testing::TestProgram& program) -> FormInstance& {
            for (qsizetype i = 0; i < rights.size(); ++i) {
                if (i > 0) program.click(content::resultForm, "Command1");
                program.click("Form1", "Command1");
                if (!program.answerAll(testing::rightAnswers(rights[i]))) break;
            }
            return program->form(content::resultForm);
        });
    };
    const Reach about = [](testing::TestProgram& program) -> FormInstance& {
        program->form("Form1").window().menuBar()->actions().first()->trigger();
        return program->form(content::aboutForm);
    };

    // The title bar shows the quote marks; a speech synthesizer is not given them.
    QTest::newRow("start form, the program's caption as its name")
        << start << QString(content::programCaption).remove('"') << QString()
        << QList<Node>{{QAccessible::StaticText, "Мережвар"},
                       {QAccessible::Graphic, "Глобус, оточений мережею зв'язків і пристроїв"},
                       {QAccessible::Button, "Розпочати тест"}};
    const QList<Node> passTree = {
        {QAccessible::StaticText, testing::passVerdictText},
        {QAccessible::Graphic, "Веселий жовтий смайлик підстрибує від радості"},
        {QAccessible::Button, "Розпочати знову"},
        {QAccessible::Button, "Закрити"}};
    const QList<Node> failTree = {{QAccessible::StaticText, testing::failVerdictText},
                                  {QAccessible::Graphic, "Зелений мультяшний вірус-монстр"},
                                  {QAccessible::Button, "Розпочати знову"},
                                  {QAccessible::Button, "Закрити"}};
    const QString passHeard = testing::passVerdictText.trimmed();
    const QString failHeard = testing::failVerdictText.trimmed();
    // Heard on arrival, without hunting: the result window's description is this pass's verdict.
    QTest::newRow("result form, pass verdict as its description")
        << afterPasses({24}) << QString() << passHeard << passTree;
    QTest::newRow("result form, fail verdict as its description")
        << afterPasses({0}) << QString() << failHeard << failTree;
    QTest::newRow("result form after a pass and a fail, the fail verdict")
        << afterPasses({24, 0}) << QString() << failHeard << failTree;
    QTest::newRow("about form, its own caption as its name")
        << about << QString("Про автора") << QString()
        << QList<Node>{{QAccessible::Graphic, "Портрет авторки тесту, учениці"},
                       {QAccessible::StaticText, " Тест створила учениця 11 класу ЗШ №1 Тевдрина"},
                       {QAccessible::Button, "Закрити"}};
}

void AccessTest::formTrees() {
    QFETCH(Reach, reach);
    QFETCH(QString, windowName);
    QFETCH(QString, windowDescription);
    QFETCH(QList<Node>, expected);
    testing::TestProgram program;
    program.start();
    FormInstance& form = reach(program);
    if (QTest::currentTestFailed()) return;
    QVERIFY(form.isShown());
    QCOMPARE(form.window().windowTitle(), form.design().caption);
    QCOMPARE(describe(readingOrder(form)), describe(expected));
    if (!windowName.isEmpty()) QCOMPARE(windowOf(form)->text(QAccessible::Name), windowName);
    if (!windowDescription.isEmpty())
        QCOMPARE(windowOf(form)->text(QAccessible::Description), windowDescription);
}

void AccessTest::questionForms() {
    testing::TestProgram program;
    program.start();
    program.click("Form1", "Command1");
    for (const auto& q : content::answerKey) {
        FormInstance& form = program->form(q.form);
        // Top to bottom as on screen: on Form5 and Form13 the names do not follow the places.
        const QStringList boxes = q.form == "Form5" || q.form == "Form13"
                                      ? QStringList{"Check1", "Check3", "Check2", "Check4"}
                                      : content::optionBoxes;
        QList<Node> expected = {{QAccessible::StaticText, caption(form, "Label1")}};
        for (const auto& name : boxes)
            expected.push_back({QAccessible::CheckBox, caption(form, name)});
        expected.push_back({QAccessible::Button, "Далі"});

        program.click(q.form, q.scoredCheckBox);
        QCOMPARE(describe(readingOrder(form)), describe(expected));
        // Spoken when the window opens: where the student is, then the question.
        QCOMPARE(windowOf(form)->text(QAccessible::Description),
                 QString("Питання %1 з 24. ").arg(q.number) + caption(form, "Label1").simplified());
        QAccessibleInterface* box =
            QAccessible::queryAccessibleInterface(form.widget(q.scoredCheckBox));
        QVERIFY(box->state().checkable);
        QVERIFY(box->state().checked);
        QVERIFY(!QAccessible::queryAccessibleInterface(
                     form.widget("Check1") == form.widget(q.scoredCheckBox) ? form.widget("Check2")
                                                                            : form.widget("Check1"))
                     ->state()
                     .checked);
        program.click(q.form, "Command1");
    }
}

// F10 or Alt alone takes the keyboard to «Про автора», highlighted; every way out of the menu gives
// it back to the control that had it, which then acts on Space as before.
void AccessTest::menuByKeyboard_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control");  // the one with the keyboard, before and after
    QTest::addColumn<Qt::Key>("enter");    // F10 or Alt
    QTest::addColumn<QString>("leave");
    for (Qt::Key enter : {Qt::Key_F10, Qt::Key_Alt}) {
        const char* name = enter == Qt::Key_F10 ? "F10" : "Alt";
        for (const char* leave : {"Escape", "F10", "Alt", "click beside", "Return, «Закрити»",
                                  "Return, start form clicked"})
            QTest::addRow("%s, %s", name, leave) << "Form1"
                                                 << "Command1" << enter << leave;
        // Back where the student was, not on the next control nor the first.
        QTest::addRow("question 1 with a menu: Check2, %s, Escape", name)
            << "Form2"
            << "Check2" << enter << "Escape";
    }
}

void AccessTest::menuByKeyboard() {
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(Qt::Key, enter);
    QFETCH(QString, leave);
    // A pause since the last row's keys: a burst of presses never spans two programs.
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    testing::TestProgram program(menuOnQuestionOne());
    program.start(form);
    FormInstance& f = program->form(form);
    QVERIFY(QTest::qWaitForWindowActive(&f.window()));
    f.widget(control)->setFocus(Qt::TabFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), f.widget(control));
    QMenuBar* menu = f.window().menuBar();
    const QImage plain = menu->grab().toImage();

    platformKey(enter);
    QCOMPARE(QApplication::focusWidget(), menu);
    QCOMPARE(menu->activeAction(), menu->actions().first());
    QVERIFY(entryHighlighted(menu));

    if (leave == "click beside") {
        QTest::mouseClick(f.window().surface(), Qt::LeftButton, {}, QPoint(5, 5));
    } else if (leave.startsWith("Return")) {
        platformKey(Qt::Key_Return);
        FormInstance& about = program->form(content::aboutForm);
        QVERIFY(about.isShown());
        QVERIFY(QTest::qWaitForWindowActive(&about.window()));
        if (leave.endsWith("«Закрити»")) {
            QTRY_COMPARE(QApplication::focusWidget(), about.widget("Command1"));
            testing::keyClick(Qt::Key_Space);
            QCOMPARE(program.outcome().exits, std::vector<int>{0});
            return;
        }
        f.window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f.window()));
    } else {
        platformKey(leave == "Escape" ? Qt::Key_Escape
                    : leave == "F10"  ? Qt::Key_F10
                                      : Qt::Key_Alt);
    }
    QTRY_COMPARE(QApplication::focusWidget(), f.widget(control));
    QVERIFY(!menu->activeAction());
    QCOMPARE(menu->grab().toImage(), plain);
    testing::keyClick(Qt::Key_Space);
    if (form == content::startForm)
        QVERIFY(program->form(content::answerKey.front().form).isShown());
    else
        QCOMPARE(f.value(control), engine::Checked);
}

void AccessTest::focusMarkerContrast() {
    testing::TestProgram program;
    program.start();
    program.click("Form1", "Command1");
    FormInstance& form = program->form("Form2");
    QVERIFY(QTest::qWaitForWindowActive(&form.window()));
    QWidget* box = form.widget("Check1");
    QTRY_COMPARE(QApplication::focusWidget(), box);
    const QImage focused = box->grab().toImage();
    box->clearFocus();
    const QImage plain = box->grab().toImage();
    // The marker's pixels against the box's own colour: at least 3 to 1.
    const QColor background = plain.pixelColor(plain.width() - 2, plain.height() / 2);
    const auto marker = [&](QPoint p) { return focused.pixel(p) != plain.pixel(p); };
    QVERIFY(testing::countPixels(focused.rect(), marker) > 20);
    const auto faint = [&](QPoint p) {
        return marker(p) && contrast(focused.pixelColor(p), background) < 3.0;
    };
    QCOMPARE(testing::countPixels(focused.rect(), faint), 0);
}

// Run by CTest at several scale factors: every form keeps its layout, sharp and unclipped.
void AccessTest::formsAtThisScale() {
    testing::TestProgram program;
    for (const auto& design : content::designs()) {
        program.start(design.name);
        FormInstance& form = program->form(design.name);
        QWidget* surface = form.window().surface();
        const qreal scale = surface->devicePixelRatioF();
        const QImage image = surface->grab().toImage();
        const QSize logical(design.clientWidth / 15, design.clientHeight / 15);
        QCOMPARE(surface->size(), logical);
        QCOMPARE(image.size(), (QSizeF(logical) * scale).toSize());
        // Centred where it fits the screen; where it does not (a large scale on a small screen),
        // its top left is at the screen's, so the title bar stays in reach. A window manager's
        // title bar, some 40 pixels, decides the cases between.
        const QRect screen = form.window().screen()->availableGeometry();
        const QRect window = form.window().frameGeometry();
        const QPoint offCentre = window.center() - screen.center();
        if (window.width() <= screen.width())
            QVERIFY(qAbs(offCentre.x()) <= 2);
        else
            QCOMPARE(window.left(), screen.left());
        if (window.height() + 40 <= screen.height())
            QVERIFY(qAbs(offCentre.y()) <= 2);
        else if (window.height() > screen.height())
            QCOMPARE(window.top(), screen.top());
        form.hide();
    }
}

// Lines break once, by the logical widths, so they break alike at every scale. Drawn through a
// scaled painter, as a high-density display draws them, no line may run past its caption area.
void AccessTest::captionLinesFitAtEveryScale() {
    testing::TestProgram program;  // registers the fonts
    int checked = 0;
    for (const auto& design : content::designs()) {
        for (const auto& control : design.controls) {
            if (!control.caption || (control.kind != engine::ControlKind::Label &&
                                     control.kind != engine::ControlKind::CheckBox))
                continue;
            const auto props = engine::resolve(control, design);
            const auto lines = engine::captionLines(control.kind, props);
            const double width = engine::captionWidth(control.kind, props);
            const double height = engine::lineHeight(engine::toQFont(props.font)) * lines.size();
            for (const double scale : {1.0, 1.25, 1.5, 2.0, 3.0}) {
                const int margin = 40;  // room to see ink that would be clipped
                QImage image(QSize(int((width + 2 * margin) * scale), int(height * scale) + 1),
                             QImage::Format_RGB32);
                image.setDevicePixelRatio(scale);
                image.fill(Qt::white);
                QPainter painter(&image);
                painter.setPen(Qt::black);
                engine::drawLines(painter, QRectF(margin, 0, width, height), lines,
                                  engine::toQFont(props.font), props.alignment);
                painter.end();
                int left = image.width(), right = -1;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        if (qGray(image.pixel(x, y)) < 160) {
                            left = std::min(left, x);
                            right = std::max(right, x);
                        }
                const QString where =
                    QString("%1.%2 at %3").arg(design.name, control.name).arg(scale);
                QVERIFY2(left >= margin * scale - 1, qPrintable(where));
                QVERIFY2(right <= (margin + width) * scale + 1, qPrintable(where));
                ++checked;
            }
        }
    }
    QVERIFY(checked > 600);
}

// A keyboard pass leaves every question form's focus on «Далі»; the next pass starts each one on
// its first option again, so the first Space ticks it instead of answering unseen.
void AccessTest::newPassStartsOnTheFirstOption() {
    testing::TestProgram program;
    program.start();
    const auto firstOption = [&](const content::Question& q) {
        FormInstance& f = program->form(q.form);
        QWidget* first = nullptr;
        int lowest = INT_MAX;
        for (const auto& c : f.design().controls)
            if (c.kind == engine::ControlKind::CheckBox && c.tabIndex.value_or(INT_MAX) < lowest) {
                lowest = *c.tabIndex;
                first = f.widget(c.name);
            }
        return first;
    };
    for (int pass = 0; pass < 2; ++pass) {
        program.click(content::startForm, "Command1");
        for (const auto& q : content::answerKey) {
            FormInstance& f = program->form(q.form);
            QVERIFY(QTest::qWaitForWindowActive(&f.window()));
            QTRY_COMPARE(QApplication::focusWidget(), firstOption(q));
            f.widget("Command1")->setFocus();
            testing::keyClick(Qt::Key_Space);
            QCOMPARE(f.caption(q.scoreLabel), QString("0"));
        }
        QVERIFY(program->form(content::resultForm).isShown());
        program.click(content::resultForm, "Command1");  // «Розпочати знову»
    }
}

namespace {

// What a screen reader is told, as the platform's bridge would pass it on: each event's kind,
// the client area or window it concerns, and the name and description it then reads.
struct Heard {
    QAccessible::Event type;
    QObject* where;
    QString name, description;
};
std::vector<Heard>* heard = nullptr;

void listen(QAccessibleEvent* event) {
    QAccessibleInterface* iface = event->accessibleInterface();
    if (!heard || !iface) return;
    QObject* where = iface->object();
    if (!where && iface->parent()) where = iface->parent()->object();  // a painted control
    heard->push_back({event->type(), where, iface->text(QAccessible::Name),
                      iface->text(QAccessible::Description)});
}

bool wasHeard(const std::vector<Heard>& events, QAccessible::Event type, QObject* where,
              const QString& name, const QString& description = {}) {
    return std::ranges::any_of(events, [&](const Heard& h) {
        return h.type == type && h.where == where && (name.isNull() || h.name == name) &&
               (description.isNull() || h.description == description);
    });
}

}  // namespace

// A screen reader keeps what it has read of a form: a label, a score or a verdict that changes
// must tell it so, or it speaks the old text. The result form, shown again after a second pass,
// must tell it its new description, the verdict it speaks on arrival.
void AccessTest::changesAreAnnounced() {
    std::vector<Heard> events;
    heard = &events;
    QAccessible::installUpdateHandler(listen);
    QAccessible::setActive(true);
    const auto restore = qScopeGuard([] {
        QAccessible::installUpdateHandler(nullptr);
        QAccessible::setActive(false);
        heard = nullptr;
    });
    // Only the platform's bridge to assistive technology turns events on: tests/access_events.sh
    // runs this on an X display with an AT-SPI bus.
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        QSKIP("needs the AT-SPI bridge; run by test_access_events");
    QTRY_VERIFY2_WITH_TIMEOUT(QAccessible::isActive(), "the AT-SPI bridge did not start", 10000);

    testing::TestProgram program;
    program.start();
    const auto surface = [&](const QString& form) {
        return program->form(form).window().surface();
    };
    program->form("Form1").setCaption("Label1", "Мережвар!");
    QVERIFY(wasHeard(events, QAccessible::NameChanged, surface("Form1"), "Мережвар!"));

    program.click("Form1", "Command1");
    QVERIFY(program.answerAll(testing::rightAnswers(24)));
    const auto& first = content::answerKey.front();
    QVERIFY(wasHeard(events, QAccessible::NameChanged, surface(first.form), "1"));
    QVERIFY(wasHeard(events, QAccessible::NameChanged, surface(content::resultForm),
                     testing::passVerdictText));

    events.clear();
    program.click(content::resultForm, "Command1");  // «Розпочати знову»
    program.click("Form1", "Command1");
    QVERIFY(program.answerAll(testing::rightAnswers(0)));
    QVERIFY(wasHeard(events, QAccessible::NameChanged, surface(first.form), "0"));
    QVERIFY(wasHeard(events, QAccessible::NameChanged, surface(content::resultForm),
                     testing::failVerdictText));
    QVERIFY(wasHeard(events, QAccessible::DescriptionChanged,
                     &program->form(content::resultForm).window(), QString(),
                     testing::failVerdictText.trimmed()));
}

// Spoken when the about form opens: the author's words, without the caption's leading blank.
void AccessTest::aboutFormDescription() {
    testing::TestProgram program;
    program.start();
    program->form("Form1").window().menuBar()->actions().first()->trigger();
    FormInstance& about = program->form(content::aboutForm);
    QVERIFY(about.isShown());
    QCOMPARE(windowOf(about)->text(QAccessible::Description),
             QString("Тест створила учениця 11 класу ЗШ №1 Тевдрина"));
}

QTEST_MAIN(AccessTest)
#include "test_access.moc"
