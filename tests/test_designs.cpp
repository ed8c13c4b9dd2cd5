// The 27 designs: captions fit their controls, every design is well formed, the answer key agrees
// with the question forms, the departures of each question form hold, and a few forms on rendered
// pixels.
#include <QFontMetricsF>
#include <QTest>
#include <algorithm>
#include <set>

#include "content/answer_key.h"
#include "content/pictures.h"
#include "engine/drawing.h"
#include "support/test_support.h"

using namespace engine;

namespace {

// The two colours of the forms, written out apart from the content's own, so that a slip in
// either shows.
const Colour peach{0x00C0E0FF};
const Colour orange{0x0080C0FF};

const FormDesign& design(const QString& name) {
    const FormDesign* d = findDesign(content::designs(), name);
    if (!d) qFatal("no design %s", qPrintable(name));
    return *d;
}

const ControlDesign* control(const QString& form, const QString& name) {
    return findControl(design(form), name);
}

QString where(const FormDesign& f, const ControlDesign& c) {
    return f.name + "." + c.name;
}

bool isWindowedKind(ControlKind k) {
    return k == ControlKind::CommandButton || k == ControlKind::CheckBox;
}
bool takesTabIndex(ControlKind k) {
    return k != ControlKind::Image && k != ControlKind::Shape;
}

QString describe(const std::optional<Font>& f) {
    if (!f) return "none";
    return QString::number(f->points) + (f->weight == 700 ? " bold" : " regular");
}

QString describe(const Rect& r) {
    return QStringLiteral("(%1, %2, %3, %4)").arg(r.left).arg(r.top).arg(r.width).arg(r.height);
}

// The client area of a form as drawn when first shown, in a program of its own.
QImage render(const std::vector<FormDesign>& designs, const QString& form) {
    testing::TestProgram program(designs);
    program.start(form);
    return testing::grabClient(program->form(form));
}

QRgb rgb(Colour c) {
    return toQColor(c).rgb();
}

bool isQuestionForm(const QString& name) {
    return std::ranges::any_of(content::answerKey, [&](auto& q) { return q.form == name; });
}

void addQuestionFormRows() {
    QTest::addColumn<QString>("form");
    for (const auto& q : content::answerKey) QTest::newRow(qPrintable(q.form)) << q.form;
}

}  // namespace

class DesignsTest : public QObject {
    Q_OBJECT
private slots:
    void allFormsByNumber();
    void captionsFitTheirControls();
    void designsAreWellFormed();

    void answerKeyAgreesWithDesigns_data();
    void answerKeyAgreesWithDesigns();
    void questionOrder();
    void questionTexts();

    void controlOrder_data();
    void controlOrder();
    void tabOrderDepartures();
    void fonts_data();
    void fonts();
    void geometryDepartures_data();
    void geometryDepartures();
    void otherDepartures();

    void freshResultFormShowsOnlyItsButtons();
    void panelShowsBetweenOptions_data() { addQuestionFormRows(); }
    void panelShowsBetweenOptions();
    void emptyLabelsDrawNothing_data() { addQuestionFormRows(); }
    void emptyLabelsDrawNothing();
    void aboutFormShowsFrameAndText();
};

// content::designs() lists the forms in this order by hand; the names say whether it holds.
void DesignsTest::allFormsByNumber() {
    const auto& all = content::designs();
    QCOMPARE(all.size(), size_t(27));
    for (size_t i = 0; i < all.size(); ++i) QCOMPARE(all[i].name, "Form" + QString::number(i + 1));
}

// No line of a caption falls below its control's bottom edge, or past the visible part of it where
// the control runs out of the client area; no line is wider than the room it has.
void DesignsTest::captionsFitTheirControls() {
    testing::TestProgram registersTheFonts;
    QStringList faults;
    for (const auto& form : content::designs()) {
        for (const auto& c : form.controls) {
            const ControlProperties p = resolve(c, form);
            if (p.caption.isEmpty()) continue;
            const QFont font = toQFont(p.font);
            const QFontMetricsF metrics(font);
            const double height = lineHeight(font);
            const QRect r = pixels(p.rect);
            if (c.kind == ControlKind::CommandButton) {
                if (metrics.horizontalAdvance(p.caption) > r.width() - 4 || height > r.height())
                    faults << where(form, c) + ": the caption does not fit the button";
                continue;
            }
            const auto lines = captionLines(c.kind, p);
            const int room = std::min(r.bottom() + 1, pixels(form.clientHeight)) - r.top();
            if (double(lines.size()) * height > room)
                faults << QStringLiteral("%1: %2 lines of %3 px in %4 px")
                              .arg(where(form, c))
                              .arg(lines.size())
                              .arg(height)
                              .arg(room);
            for (const auto& line : lines)
                if (metrics.horizontalAdvance(line) > captionWidth(c.kind, p))
                    faults << where(form, c) + ": line too wide: " + line;
        }
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
}

// What a design's author could get wrong and no picture shows: titles, lengths off the pixel grid,
// repeated names and ids, the stacking and tab order, colours, fonts and values stated where the
// form keeps none.
void DesignsTest::designsAreWellFormed() {
    QStringList faults;
    auto check = [&](bool ok, const QString& what) {
        if (!ok) faults << what;
    };
    auto length = [&](Twips t, const QString& what) {
        check(t % twipsPerPixel == 0, what + QStringLiteral(": %1 is not a multiple of 15").arg(t));
    };
    auto colour = [&](std::optional<Colour> c, const QString& what) {
        check(!c || (c->bgr >> 24) == 0, what + ": colour with a high byte");
    };
    for (const auto& form : content::designs()) {
        const QString& f = form.name;
        check(form.maxButton == false, f + ": MaxButton");
        // The title bar lies outside the reference pictures.
        check(form.caption == (f == content::aboutForm ? "Про автора" : "Тест \"Мережвар\"."),
              f + ": Caption " + form.caption.value_or("(none)"));
        for (Twips t : {form.clientLeft, form.clientTop, form.clientWidth, form.clientHeight})
            length(t, f);

        std::set<QString> names;
        std::set<int> ids;
        std::vector<int> tabs;
        bool graphicalSeen = false;
        for (const auto& c : form.controls) {
            const QString w = where(form, c);
            check(names.insert(c.name).second, w + ": name repeated");
            check(c.id >= 1 && ids.insert(c.id).second, w + QStringLiteral(": id %1").arg(c.id));
            for (Twips t : {c.rect.left, c.rect.top, c.rect.width, c.rect.height}) length(t, w);
            check(!(graphicalSeen && isWindowedKind(c.kind)), w + ": windowed after graphical");
            graphicalSeen = graphicalSeen || !isWindowedKind(c.kind);
            check(c.tabIndex.has_value() == takesTabIndex(c.kind), w + ": TabIndex stated or not");
            if (c.tabIndex) tabs.push_back(*c.tabIndex);
            for (auto col : {c.foreColor, c.backColor, c.fillColor}) colour(col, w);
            if (c.font)
                check(c.font->face == "MS Sans Serif" && c.font->charset == 204, w + ": font");
            // Every label is transparent, every button graphical, every shape solid
            // with its BackColor equal to its FillColor.
            if (c.kind == ControlKind::Label) check(c.backStyle == Transparent, w + ": BackStyle");
            if (c.kind == ControlKind::CommandButton) check(c.style == Graphical, w + ": Style");
            if (c.kind == ControlKind::Shape)
                check(c.fillStyle == Solid && c.backColor == c.fillColor, w + ": fill");
            check(!c.value, w + ": Value stated");
        }
        std::ranges::sort(tabs);
        for (int i = 0; i < int(tabs.size()); ++i)
            check(tabs[i] == i,
                  f + QStringLiteral(": TabIndex %1 where %2 belongs").arg(tabs[i]).arg(i));
        colour(form.backColor, f);
    }
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
}

// The captions of the answer key's scored boxes, written here as the independent check.
void DesignsTest::answerKeyAgreesWithDesigns_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("caption");
    const char* captions[] = {
        "Наклеп",
        "Спілкуватися в чаті лише з відомими користувачами",
        "Крадіжка конфіденційних даних",
        "Шпигунське програмне забезпечення",
        "Використовувати фільтри електронної пошти",
        "Брандмауер",
        "Обмежувати несанкціонований доступ",
        "Параметри антивірусу",
        "Безпека",
        "Часто змінювати свій пароль",
        "Ідентифікація користувачів",
        "Плагіат",
        "Плагіат",
        "Крадіжка конфіденційних даних",
        "Надавати особисті відомості лише користувачам, яким ви довіряєте",
        "Інсталювати програму, яка відстежує онлайновий чат",
        "Регулярно перевіряти, які веб-сайти вони відвідують",
        ("Видаляти повідомлення електронної пошти від невідомих користувачів, які містять "
         "вкладення"),
        "Видалити повідомлення",
        "Піктограма замкнутого висячого замка",
        "Щодня оновлювати антивірусне ПЗ та виконувати пошук вірусів",
        "Красти паролі",
        "Брандмауер Microsoft Windows",
        "Копіювання програмного забезпечення та поширення його серед друзів",
    };
    for (int n = 1; n <= 24; ++n)
        QTest::newRow(qPrintable(QStringLiteral("question %1").arg(n)))
            << n << QString::fromUtf8(captions[n - 1]);
}

void DesignsTest::answerKeyAgreesWithDesigns() {
    QFETCH(int, number);
    QFETCH(QString, caption);
    const content::Question& q = content::answerKey[number - 1];
    QCOMPARE(q.number, number);
    const ControlDesign* scored = control(q.form, q.scoredCheckBox);
    QVERIFY(scored);
    QCOMPARE(scored->kind, ControlKind::CheckBox);
    QCOMPARE(scored->caption.value_or(""), caption);
    const ControlDesign* score = control(q.form, q.scoreLabel);
    QVERIFY(score);
    QCOMPARE(score->kind, ControlKind::Label);
    QVERIFY(score->caption.value_or("").isEmpty());
}

void DesignsTest::questionOrder() {
    QStringList expected{"Form2", "Form3"};
    for (int n = 5; n <= 26; ++n) expected << "Form" + QString::number(n);
    QStringList forms;
    for (const auto& q : content::answerKey) forms << q.form;
    QCOMPARE(forms, expected);
    for (size_t i = 0; i + 1 < content::answerKey.size(); ++i)
        QCOMPARE(content::answerKey[i].next, content::answerKey[i + 1].form);
    QCOMPARE(content::answerKey.back().next, content::resultForm);
    for (const auto& d : content::designs())
        QCOMPARE(isQuestionForm(d.name), d.name != content::startForm &&
                                             d.name != content::resultForm &&
                                             d.name != content::aboutForm);
}

// The texts whose blanks, quotes and line breaks a retyping would lose.
void DesignsTest::questionTexts() {
    auto question = [](const QString& form) {
        return *control(form, content::questionLabel)->caption;
    };
    QCOMPARE(question("Form11").size(), 85);
    QVERIFY(question("Form11").contains("вікні \"Властивості Інтернету\" дає"));
    QCOMPARE(question("Form21").size(), 226);
    QVERIFY(question("Form21").contains("exe-файл." + QString(79, u' ') + "Що"));
    QCOMPARE(question("Form23").size(), 234);
    QVERIFY(question("Form23").startsWith(" Ви інсталювали"));
    QVERIFY(question("Form23").contains("вірус." + QString(77, u' ') + "Як"));
    QVERIFY(question("Form25").contains("корпорацією Майкрософт.Якій засіб"));

    // CR LF CR LF in questions 4, 8, 10, 12 and 13 only, and no other line break anywhere.
    const QStringList withBreak{"Form6", "Form10", "Form12", "Form14", "Form15"};
    for (const auto& form : content::designs())
        for (const auto& c : form.controls) {
            const QString text = c.caption.value_or("");
            const bool expected = c.name == content::questionLabel && withBreak.contains(form.name);
            QCOMPARE(text.count("\r\n\r\n"), expected ? 1 : 0);
            QCOMPARE(text.count(u'\r') + text.count(u'\n'), expected ? 4 : 0);
        }
    QVERIFY(
        question("Form6").endsWith("намірами.\r\n\r\nЯкий засіб дає змогу керівникам виявити "
                                   "неетичні дії?"));
}

// Front to back, each name with its id.
void DesignsTest::controlOrder_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("order");
    const QString checks = "Command1 1, Check4 2, Check3 3, Check2 4, Check1 5, ";
    QTest::newRow("Form2") << "Form2" << checks + "Label6 6, Label1 11, Shape2 12";
    QTest::newRow("Form3") << "Form3" << checks + "Label5 6, Label4 7, Label1 10, Shape2 11";
    QTest::newRow("Form13") << "Form13"
                            << "Command1 1, Check4 2, Check2 3, Check3 4, Check1 5, Shape1 8, "
                               "Label2 6, Label1 7";
    QTest::newRow("Form14") << "Form14" << checks + "Shape2 9, Label2 7, Label1 8";
    for (int n = 5; n <= 26; ++n) {
        if (n == 13 || n == 14) continue;
        const QString form = "Form" + QString::number(n);
        const QString panel = n >= 10 && n <= 13 ? "Shape1" : "Shape2";
        QTest::newRow(qPrintable(form)) << form << checks + panel + " 8, Label2 6, Label1 7";
    }
    QTest::newRow("Form4") << content::resultForm
                           << "Command2 1, Command1 2, Image2 3, Image1 4, Label2 5";
    QTest::newRow("Form27") << content::aboutForm << "Command1 1, Image1 2, Label1 3, Shape1 4";
}

void DesignsTest::controlOrder() {
    QFETCH(QString, form);
    QFETCH(QString, order);
    QStringList actual;
    for (const auto& c : design(form).controls) actual << c.name + " " + QString::number(c.id);
    QCOMPARE(actual.join(", "), order);
}

void DesignsTest::tabOrderDepartures() {
    auto tabs = [](const QString& form) {
        QStringList names;
        std::vector<const ControlDesign*> all;
        for (const auto& c : design(form).controls)
            if (c.tabIndex) all.push_back(&c);
        std::ranges::sort(all, {}, [](auto* c) { return *c->tabIndex; });
        for (auto* c : all) names << c->name;
        return names.join(" ");
    };
    QCOMPARE(tabs("Form3"), "Label1 Check1 Check2 Check3 Check4 Command1 Label4 Label5");
    // Form5 follows the names, so the places 1, 3, 2, 4; Form13 follows the screen.
    QCOMPARE(tabs("Form5"), "Label1 Check1 Check2 Check3 Check4 Command1 Label2");
    QVERIFY(control("Form5", "Check3")->rect.top < control("Form5", "Check2")->rect.top);
    QCOMPARE(tabs("Form13"), "Label1 Check1 Check3 Check2 Check4 Command1 Label2");
    QVERIFY(control("Form13", "Check3")->rect.top < control("Form13", "Check2")->rect.top);
    QCOMPARE(tabs("Form17"), "Label1 Check1 Check2 Check3 Check4 Label2 Command1");
    QCOMPARE(tabs("Form26"), "Label1 Check1 Check2 Check3 Check4 Command1 Label2");
}

// The fonts table: what the form and each control store, and what each control is drawn in,
// where a control that states no font takes its form's.
void DesignsTest::fonts_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("stored");  // form, Label1, Check1 to Check4, Command1, score label
    QTest::addColumn<QString>("drawn");   // Label1, Check1 to Check4, Command1, score label
    const QString controls = "none, 9.75 bold, 9.75 bold, 12 bold, none";
    const QString drawn = "9.75 bold, 9.75 bold, 12 bold, 8.25 regular";
    QTest::newRow("Form2") << "Form2" << controls << drawn;
    QTest::newRow("Form5") << "Form5" << controls << drawn;
    QTest::newRow("Form3") << "Form3"
                           << "9.75 bold, 12 bold, none, none, 8.25 regular"
                           << "12 bold, 9.75 bold, 9.75 bold, 8.25 regular";
    for (int n = 6; n <= 26; ++n)
        QTest::newRow(qPrintable("Form" + QString::number(n)))
            << "Form" + QString::number(n) << "9.75 bold, none, none, none, none"
            << "9.75 bold, 9.75 bold, 9.75 bold, 9.75 bold";
}

void DesignsTest::fonts() {
    QFETCH(QString, form);
    QFETCH(QString, stored);
    QFETCH(QString, drawn);
    const auto& key = *std::ranges::find(content::answerKey, form, &content::Question::form);
    // One entry for the four boxes, which must agree.
    auto fontsOf = [&](const std::function<QString(const ControlDesign&)>& describeFont) {
        QStringList boxes;
        for (const QString& name : content::optionBoxes)
            boxes << describeFont(*control(form, name));
        boxes.removeDuplicates();
        return QStringList{describeFont(*control(form, content::questionLabel))} + boxes +
               QStringList{describeFont(*control(form, "Command1")),
                           describeFont(*control(form, key.scoreLabel))};
    };
    const QStringList storedFonts =
        QStringList{describe(design(form).font)} +
        fontsOf([](const ControlDesign& c) { return describe(c.font); });
    const QStringList drawnFonts =
        fontsOf([&](const ControlDesign& c) { return describe(resolve(c, design(form)).font); });
    QCOMPARE(storedFonts.join(", "), stored);
    QCOMPARE(drawnFonts.join(", "), drawn);
}

void DesignsTest::geometryDepartures_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("rect");
    auto row = [](const char* form, const char* control, const char* rect) {
        QTest::newRow(qPrintable(QString(form) + "." + control)) << form << control << rect;
    };
    row("Form2", "Command1", "(4080, 3960, 2025, 735)");
    row("Form2", "Shape2", "(120, 1320, 6015, 2535)");
    row("Form3", "Label5", "(480, 4080, 1695, 615)");
    row("Form9", "Check1", "(480, 1440, 4815, 375)");
    row("Form9", "Check4", "(480, 3240, 2895, 375)");
    row("Form10", "Check3", "(480, 2520, 3135, 495)");
    row("Form10", "Command1", "(4080, 3960, 2055, 735)");
    row("Form25", "Command1", "(4080, 3960, 2055, 735)");
    row("Form11", "Command1", "(4080, 4080, 2025, 735)");
    row("Form11", "Shape1", "(120, 1440, 6015, 2535)");
    row("Form18", "Command1", "(4080, 4080, 2025, 735)");
    row("Form18", "Shape2", "(120, 1440, 6015, 2535)");
    row("Form6", "Shape2", "(120, 1680, 6015, 2175)");
    row("Form25", "Shape2", "(120, 1560, 6015, 2295)");
    row("Form8", "Label1", "(360, 240, 6135, 975)");
    row("Form11", "Check1", "(360, 1680, 1455, 375)");
    row("Form13", "Check3", "(360, 2160, 3615, 375)");
    row("Form5", "Check3", "(360, 2040, 5295, 495)");
    row("Form26", "Label2", "(1080, 3960, 2055, 735)");
}

void DesignsTest::geometryDepartures() {
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(QString, rect);
    const ControlDesign* c = ::control(form, control);
    QVERIFY(c);
    QCOMPARE(describe(c->rect), rect);
}

void DesignsTest::otherDepartures() {
    for (const auto& q : content::answerKey) {
        const FormDesign& f = design(q.form);
        QCOMPARE(f.minButton, q.form == "Form3" ? std::nullopt : std::optional<bool>(false));
        QCOMPARE(f.clientWidth, 6270);
        QCOMPARE(f.clientHeight, 4860);
        QCOMPARE(f.backColor, peach);
        const bool hidden = q.form == "Form2" || q.form == "Form3";
        QCOMPARE(control(q.form, q.scoreLabel)->visible,
                 hidden ? std::optional<bool>(false) : std::nullopt);
        QCOMPARE(control(q.form, content::questionLabel)->backColor,
                 q.form == "Form14" ? std::optional(Colour{0x0080FFFF}) : std::nullopt);
        QCOMPARE(control(q.form, "Command1")->caption, std::optional<QString>("Далі"));
    }
    QCOMPARE(design(content::resultForm).minButton, std::optional<bool>(false));
    QVERIFY(!design(content::aboutForm).minButton);
    QCOMPARE(control(content::resultForm, content::passPictureControl)->picture,
             std::optional(content::PassPicture));
    QCOMPARE(control(content::resultForm, content::failPictureControl)->picture,
             std::optional(content::FailPicture));
    QCOMPARE(control(content::aboutForm, "Image1")->picture,
             std::optional(content::AuthorPortrait));
    QCOMPARE(*control(content::aboutForm, content::aboutLabel)->caption,
             " Тест створила учениця 11 класу ЗШ №1 Тевдрина");
}

void DesignsTest::freshResultFormShowsOnlyItsButtons() {
    const QImage image = render(content::designs(), content::resultForm);
    const QRect close = pixels(control(content::resultForm, "Command2")->rect);
    const QRect again = pixels(control(content::resultForm, "Command1")->rect);
    const auto stray = [&](QPoint p) {
        return !close.contains(p) && !again.contains(p) && image.pixel(p) != rgb(peach);
    };
    QCOMPARE(testing::countPixels(image.rect(), stray), 0);
    QCOMPARE(image.pixel(close.center()), rgb(orange));
    QCOMPARE(image.pixel(again.left() + 4, again.center().y()), rgb(orange));
}

// Inside the panel's outline, wherever no option and no question text lies, the panel's orange
// shows; the options carry the same orange; the question is drawn.
void DesignsTest::panelShowsBetweenOptions() {
    QFETCH(QString, form);
    const FormDesign& f = design(form);
    const QImage image = render(content::designs(), form);
    const ControlDesign* panel =
        control(form, "Shape2") ? control(form, "Shape2") : control(form, "Shape1");
    QVERIFY(panel);
    const QRect inside = pixels(panel->rect).adjusted(1, 1, -1, -1);
    const int corner = std::min(inside.width(), inside.height()) / 5;
    std::vector<QRect> covered;
    for (const auto& c : f.controls)
        if (c.kind == ControlKind::CheckBox || (c.caption && !c.caption->isEmpty()))
            covered.push_back(pixels(c.rect));
    const auto open = [&](QPoint p) {
        const bool nearCorner =
            (p.x() - inside.left() < corner || inside.right() - p.x() < corner) &&
            (p.y() - inside.top() < corner || inside.bottom() - p.y() < corner);
        return !nearCorner && std::ranges::none_of(covered, [&](auto& r) { return r.contains(p); });
    };
    const qsizetype shown = testing::countPixels(inside, open);
    QVERIFY2(shown > 1000, qPrintable(QString::number(shown)));
    const auto wrong = [&](QPoint p) { return open(p) && image.pixel(p) != rgb(orange); };
    QCOMPARE(testing::countPixels(inside, wrong), 0);

    for (const QString& name : content::optionBoxes) {
        const QRect r = pixels(control(form, name)->rect);
        QVERIFY2(testing::countPixels(image, r, rgb(orange)) * 2 > r.width() * r.height(),
                 qPrintable(name));
    }

    const QRect question = pixels(control(form, content::questionLabel)->rect) & image.rect();
    const auto dark = [&](QPoint p) { return qGray(image.pixel(p)) < 64; };
    QVERIFY(testing::countPixels(question, dark) > 200);
}

// Taking every empty label (the score label, and Form3's Label5) out of the design changes no
// pixel of the form.
void DesignsTest::emptyLabelsDrawNothing() {
    QFETCH(QString, form);
    std::vector<FormDesign> without = content::designs();
    auto& controls = std::ranges::find(without, form, &FormDesign::name)->controls;
    const auto removed = std::erase_if(controls, [](const ControlDesign& c) {
        return c.kind == ControlKind::Label && c.caption.value_or("").isEmpty();
    });
    QCOMPARE(removed, size_t(form == "Form3" ? 2 : 1));
    const QImage withLabels = render(content::designs(), form);
    const QImage withoutLabels = render(without, form);
    QCOMPARE(withLabels.size(), withoutLabels.size());
    const auto changed = [&](QPoint p) { return withLabels.pixel(p) != withoutLabels.pixel(p); };
    QCOMPARE(testing::countPixels(withLabels.rect(), changed), 0);
}

// The frame shows orange around the portrait's place, the red about text stands beside it, wholly
// above the button that lies over the lower part of the label.
void DesignsTest::aboutFormShowsFrameAndText() {
    const QImage image = render(content::designs(), content::aboutForm);
    const QRect frame = pixels(control(content::aboutForm, "Shape1")->rect);
    const QRect portrait = pixels(control(content::aboutForm, "Image1")->rect);
    const QRect text = pixels(control(content::aboutForm, content::aboutLabel)->rect);
    const QRect button = pixels(control(content::aboutForm, "Command1")->rect);

    QCOMPARE(image.pixel(frame.topLeft()), qRgb(0, 0, 0));
    QCOMPARE(image.pixel(frame.bottomRight()), qRgb(0, 0, 0));
    const QRect insideFrame = frame.adjusted(1, 1, -1, -1);
    const auto margin = [&](QPoint p) { return !portrait.contains(p); };
    QVERIFY(testing::countPixels(insideFrame, margin) > 1000);
    const auto notOrange = [&](QPoint p) { return margin(p) && image.pixel(p) != rgb(orange); };
    QCOMPARE(testing::countPixels(insideFrame, notOrange), 0);

    const auto red = [&](QPoint p) {
        const QColor c = image.pixelColor(p);
        return c.red() > 200 && c.green() < 80 && c.blue() < 80;
    };
    const QRect visibleText = text & image.rect();
    QVERIFY(testing::countPixels(visibleText, red) > 200);
    QRect besideButton = visibleText;  // the text's rows from the button's top down
    besideButton.setTop(button.top());
    QCOMPARE(testing::countPixels(besideButton, red), 0);
}

QTEST_MAIN(DesignsTest)
#include "test_designs.moc"
