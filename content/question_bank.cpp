// The 24 question forms: one row of data per question, in the order of the answer key,
// and one function that builds a form from its row. The form, its score label and the order of
// the test come from content::answerKey.
#include <algorithm>

#include "content/answer_key.h"
#include "content/designs.h"
#include "content/pictures.h"
#include "palette.h"

namespace content {
namespace {

using namespace engine;

// A row of the fonts table: the font that the form and each of its controls store;
// none where it stores none.
struct Fonts {
    std::optional<Font> form, question, options, button, score;
};
const Fonts formFontOnly{.form = bold(9.75)};  // Form6 to Form26
const Fonts controlFonts{.question = bold(9.75), .options = bold(9.75), .button = bold(12)};
const Fonts form3Fonts{.form = bold(9.75), .question = bold(12), .score = regular(8.25)};

// The controls that stand behind the options, front to back, each with its id.
enum class Part { Panel, ScoreLabel, Question, SpareLabel };
struct Placed {
    Part part;
    int id;
};
const std::vector<Placed> panelInFront = {
    {Part::Panel, 8}, {Part::ScoreLabel, 6}, {Part::Question, 7}};

struct Option {
    QString name;
    QString caption;
    Twips top;
    Twips width;
    Twips height;
};

// What a form does differently from the common design; a row states only its own departures.
struct Departures {
    Fonts fonts = formFontOnly;
    std::optional<bool> minButton = false;  // Form3 stores none and keeps the default, True
    Twips optionLeft = 360;
    Rect button = {4080, 3960, 2025, 735};
    int buttonTab = 5;
    QString panel = "Shape2";
    Rect panelRect = {120, 1320, 6015, 2535};
    std::vector<Placed> behindOptions = panelInFront;
    // Form13: the options stand in the list and take the tab order by their places on screen,
    // not by their names.
    bool byPlace = false;
    int scoreTab = 6;
    std::optional<bool> scoreVisible;  // False on Form2 and Form3
    std::optional<Colour> questionBack;
    std::optional<Rect> spareLabel;  // Form3's Label5, which nothing reads or writes
};

struct QuestionDesign {
    Rect question;
    QString text;
    std::array<Option, 4> options;  // by their places on screen, top to bottom
    Rect score;
    Departures also = {};
};

const QString crlf2 = QStringLiteral("\r\n\r\n");

// Row n is question n + 1; its form is answerKey[n].form.
const std::array<QuestionDesign, 24>& questions() {
    static const std::array<QuestionDesign, 24> rows = {{
        // 1, Form2
        {.question = {360, 120, 5295, 1215},
         .text = "Ваша колега розповсюджує неправдиву інформацію про вас в онлайновому публічному "
                 "форумі. Порушення якого типу вчинив колега?",
         .options = {{{"Check1", "Плагіат", 1560, 1455, 375},
                      {"Check2", "Азартні ігри", 2160, 2055, 375},
                      {"Check3", "Наклеп", 2760, 1455, 255},
                      {"Check4", "Фішинг", 3360, 2175, 255}}},
         .score = {3840, 2040, 855, 975},
         .also = {.fonts = controlFonts,
                  .behindOptions = {{Part::ScoreLabel, 6}, {Part::Question, 11}, {Part::Panel, 12}},
                  .scoreVisible = false}},
        // 2, Form3
        {.question = {240, 120, 5895, 975},
         .text = "Як можна забезпечити захист миттєвих повідомлень?",
         .options = {{{"Check1", "Спілкуватися в чаті лише з відомими користувачами", 1440, 5415,
                       495},
                      {"Check2", "Відкривати вкладення, отримані через чат", 2160, 5535, 255},
                      {"Check3", "Використовувати різні програми для чату з різними користувачами.",
                       2520, 5295, 495},
                      {"Check4", "Спілкуватися в чаті лише з одним користувачем одночасно.", 3120,
                       4815, 615}}},
         .score = {5400, 960, 615, 855},
         .also = {.fonts = form3Fonts,
                  .minButton = std::nullopt,
                  .behindOptions = {{Part::SpareLabel, 6},
                                    {Part::ScoreLabel, 7},
                                    {Part::Question, 10},
                                    {Part::Panel, 11}},
                  .scoreVisible = false,
                  .spareLabel = Rect{480, 4080, 1695, 615}}},
        // 3, Form5
        {.question = {240, 240, 5895, 1455},
         .text = "Який із наведених нижче варіантів становить загрозу для конфіденційності "
                 "комп'ютера?",
         .options = {{{"Check1", "Випадкове знищення даних", 1560, 3495, 375},
                      {"Check3", "Пошкодження комп'ютера через землетрус", 2040, 5295, 495},
                      {"Check2", "Неполадка в роботі пристрою", 2640, 3855, 375},
                      {"Check4", "Крадіжка конфіденційних даних", 3240, 3975, 375}}},
         .score = {600, 4080, 1815, 615},
         .also = {.fonts = controlFonts}},
        // 4, Form6
        {.question = {360, 120, 5415, 1575},
         .text = "Керівники вашої організації помітили, що деякі співробітники використовують "
                 "зв'язки компанії з неетичними намірами." +
                 crlf2 + "Який засіб дає змогу керівникам виявити неетичні дії?",
         .options = {{{"Check1", "Шпигунське програмне забезпечення", 1920, 4695, 375},
                      {"Check2", "Файли cookie", 2400, 1935, 375},
                      {"Check3", "Антивірусна програма", 2880, 3015, 375},
                      {"Check4", "Брандмауер", 3360, 1815, 375}}},
         .score = {600, 4440, 1455, 375},
         .also = {.panelRect = {120, 1680, 6015, 2175}}},
        // 5, Form7
        {.question = {120, 120, 6135, 1095},
         .text = "Як можна забезпечити конфіденційність повідомлення електронної пошти?",
         .options = {{{"Check1", "Використовувати антишпигунське ПЗ", 1560, 4695, 375},
                      {"Check2", "Зашифрувати повідомлення електронної пошти", 2160, 5655, 375},
                      {"Check3", "Використовувати фільтри електронної пошти", 2640, 5535, 495},
                      {"Check4", "Підтримувати резервні копії електронної пошти", 3240, 5775,
                       375}}},
         .score = {600, 4080, 1455, 615}},
        // 6, Form8: the question reaches 225 twips past the right edge of the client area.
        {.question = {360, 240, 6135, 975},
         .text = "Яку програму можна використовувати для шифрування повідомлення електронної "
                 "пошти?",
         .options = {{{"Check1", "Microsoft Windows Update", 1440, 3135, 375},
                      {"Check2", "Брандмауер", 1920, 1815, 495},
                      {"Check3", "Microsoft Office Outlook 2003", 2520, 3375, 495},
                      {"Check4", "Шпигунське програмне забезпечення", 3120, 4695, 495}}},
         .score = {480, 4080, 1455, 615}},
        // 7, Form9
        {.question = {240, 120, 5415, 975},
         .text = "Для чого потрібен брандмауер Microsoft Windows?",
         .options = {{{"Check1", "Обмежувати несанкціонований доступ", 1440, 4815, 375},
                      {"Check2", "Блокувати спливаючі повідомлення", 2040, 4455, 375},
                      {"Check3", "Інсталювати оновлення безпеки", 2640, 4095, 375},
                      {"Check4", "Блокувати веб-сайти", 3240, 2895, 375}}},
         .score = {840, 4080, 1935, 615},
         .also = {.optionLeft = 480}},
        // 8, Form10
        {.question = {240, 240, 5895, 1095},
         .text = "Потрібно блокувати всі спливаючі повідомлення, які з'являються під час "
                 "відвідування веб-сайту." +
                 crlf2 + "Які параметри безпеки потрібно ввімкнути?",
         .options = {{{"Check1", "Автоматичні оновлення", 1440, 3135, 495},
                      {"Check2", "Брандмауер Microsoft Windows", 1920, 3855, 495},
                      {"Check3", "Параметри антивірусу", 2520, 3135, 495},
                      {"Check4", "Властивості Інтернету", 3120, 3375, 495}}},
         .score = {1320, 3960, 1815, 735},
         .also = {.optionLeft = 480, .button = {4080, 3960, 2055, 735}, .panel = "Shape1"}},
        // 9, Form11
        {.question = {120, 240, 5775, 855},
         .text = "Яка вкладка в діалоговому вікні \"Властивості Інтернету\" дає змогу блокувати "
                 "веб-сайт?",
         .options = {{{"Check1", "Безпека", 1680, 1455, 375},
                      {"Check2", "Конфіденційність", 2160, 2535, 495},
                      {"Check3", "Вміст", 2760, 1095, 495},
                      {"Check4", "Підключення", 3240, 1935, 615}}},
         .score = {1680, 4200, 1455, 495},
         .also = {.button = {4080, 4080, 2025, 735},
                  .panel = "Shape1",
                  .panelRect = {120, 1440, 6015, 2535}}},
        // 10, Form12
        {.question = {240, 120, 5775, 1095},
         .text = "Ви встановили пароль для комп'ютера." + crlf2 +
                 "Як можна запобігти використанню комп'ютера іншими користувачами без вашого "
                 "дозволу?",
         .options = {{{"Check1", "Використовувати антишпигунське ПЗ", 1440, 4815, 375},
                      {"Check2", "Оновлювати операційну систему", 1920, 4215, 495},
                      {"Check3", "Розгорнути брандмауер", 2520, 3255, 495},
                      {"Check4", "Часто змінювати свій пароль", 3120, 3735, 495}}},
         .score = {720, 4320, 1335, 495},
         .also = {.panel = "Shape1"}},
        // 11, Form13
        {.question = {240, 120, 5775, 855},
         .text = "Який спосіб дає змогу надати доступ до мережі лише певним користувачам?",
         .options = {{{"Check1", "Ідентифікація користувачів", 1560, 3495, 375},
                      {"Check3", "Резервне копіювання даних", 2160, 3615, 375},
                      {"Check2", "Комбінація для блокування", 2760, 3375, 375},
                      {"Check4", "Шифрування даних", 3360, 2655, 375}}},
         .score = {840, 3960, 2175, 735},
         .also = {.panel = "Shape1", .byPlace = true}},
        // 12, Form14
        {.question = {240, 120, 5775, 1095},
         .text = "Читаючи оповідання, ви зрозуміли, що автор скопіював матеріал іншого автора." +
                 crlf2 + "Який тип порушення вчинено?",
         .options = {{{"Check1", "Обмова", 1560, 1335, 495},
                      {"Check2", "Плагіат", 2160, 1455, 375},
                      {"Check3", "Інсинуація", 2640, 1695, 375},
                      {"Check4", "Фішинг", 3240, 1335, 375}}},
         .score = {1680, 4080, 1335, 615},
         .also = {.behindOptions = {{Part::Panel, 9}, {Part::ScoreLabel, 7}, {Part::Question, 8}},
                  .questionBack = paleYellow}},
        // 13, Form15
        {.question = {240, 240, 5775, 1095},
         .text = "Ви вирішили використати вміст веб-сайту для проекту. Проте ви забули вказати "
                 "джерело." +
                 crlf2 + "Порушення якого типу ви вчинили?",
         .options = {{{"Check1", "Азартні ігри", 1560, 1815, 375},
                      {"Check2", "Інсинуація", 2040, 1815, 495},
                      {"Check3", "Наклеп", 2640, 1335, 495},
                      {"Check4", "Плагіат", 3240, 1335, 375}}},
         .score = {840, 4200, 1335, 495}},
        // 14, Form16
        {.question = {360, 120, 5295, 855},
         .text = "Який із наведених нижче варіантів становить загрозу для конфіденційності "
                 "комп'ютера?",
         .options = {{{"Check1", "Пошкодження комп'ютера через землетрус", 1440, 5295, 375},
                      {"Check2", "Крадіжка конфіденційних даних", 2040, 3975, 375},
                      {"Check3", "Випадкове знищення даних", 2640, 3495, 375},
                      {"Check4", "Неполадка в роботі пристрою", 3240, 3735, 375}}},
         .score = {720, 3840, 1695, 855}},
        // 15, Form17
        {.question = {240, 240, 5775, 735},
         .text = "Якої з наведених нижче рекомендацій потрібно дотримуватися, щоб забезпечити "
                 "захист у чаті?",
         .options = {{{"Check1", "Відповідати користувачам, яким потрібні ваші особисті відомості",
                       1440, 5655, 495},
                      {"Check2", "Використовувати приватні області чату", 2040, 4935, 375},
                      {"Check3", "Закрити програму чату", 2640, 3015, 375},
                      {"Check4", "Надавати особисті відомості лише користувачам, яким ви довіряєте",
                       3120, 4335, 615}}},
         .score = {720, 4080, 1335, 615},
         .also = {.buttonTab = 6, .scoreTab = 5}},
        // 16, Form18
        {.question = {360, 240, 5535, 855},
         .text = "Якої рекомендації потрібно дотримуватися, щоб захистити дітей від злодіїв у "
                 "мережі?",
         .options = {{{"Check1", "Блокувати веб-сайти, які пропонують безкоштовні програми чату",
                       1560, 5655, 615},
                      {"Check2", "Розгорнути брандмауер", 2280, 3135, 375},
                      {"Check3", "Інсталювати програму, яка відстежує онлайновий чат", 2760, 5415,
                       615},
                      {"Check4", "Оновлювати операційну систему", 3480, 4095, 375}}},
         .score = {1080, 3960, 1455, 855},
         .also = {.button = {4080, 4080, 2025, 735}, .panelRect = {120, 1440, 6015, 2535}}},
        // 17, Form19
        {.question = {240, 240, 5775, 975},
         .text = "Який із наведених нижче заходів безпеки потрібно виконати, коли діти отримують "
                 "доступ до Інтернету?",
         .options = {{{"Check1", "Блокувати всі засоби пошуку", 1440, 3735, 375},
                      {"Check2",
                       "Блокувати веб-сайти, які пропонують безкоштовні облікові записи "
                       "електронної пошти",
                       1800, 5175, 855},
                      {"Check3", "Рекомендувати використання чату замість електронної пошти", 2640,
                       5295, 615},
                      {"Check4", "Регулярно перевіряти, які веб-сайти вони відвідують", 3240, 5175,
                       615}}},
         .score = {2280, 4320, 855, 495}},
        // 18, Form20
        {.question = {240, 120, 5535, 855},
         .text = "Яка з наведених нижче рекомендацій дає змогу захистити операції, які "
                 "виконуються за допомогою електронної пошти?",
         .options = {{{"Check1",
                       "Видаляти повідомлення електронної пошти від невідомих користувачів, які "
                       "містять вкладення",
                       1440, 5655, 615},
                      {"Check2", "Відповідати на небажані повідомлення електронної пошти", 2040,
                       4815, 495},
                      {"Check3", "Архівувати повідомлення електронної пошти, які містять вкладення",
                       2640, 5415, 495},
                      {"Check4",
                       "Зберігати небажані повідомлення електронної пошти в окремій папці", 3240,
                       5655, 495}}},
         .score = {840, 3960, 1215, 615}},
        // 19, Form21: one piece with a run of 79 blanks between the sentences.
        {.question = {120, 120, 6135, 1215},
         .text = "Ви отримали повідомлення електронної пошти від невідомого користувача. У це "
                 "повідомлення вкладено exe-файл." +
                 QString(79, u' ') + "Що потрібно зробити з цим повідомленням?",
         .options = {{{"Check1", "Видалити повідомлення", 1560, 3135, 495},
                      {"Check2", "Інсталювати exe-файл", 2160, 3015, 495},
                      {"Check3", "Зберегти вкладення на комп'ютері", 2760, 4335, 495},
                      {"Check4", "Перемістити повідомлення в іншу папку", 3360, 4935, 375}}},
         .score = {1200, 3840, 1815, 735}},
        // 20, Form22
        {.question = {240, 240, 5655, 615},
         .text = "Який варіант указує на те, що веб-сайт безпечний для онлайнових операцій?",
         .options = {{{"Check1", "Піктограма автоматичних оновлень", 1560, 4455, 375},
                      {"Check2", "Засіб шифрування", 2040, 2415, 495},
                      {"Check3", "Піктограма замкнутого висячого замка", 2640, 4935, 495},
                      {"Check4", "Емблема інтернет-провайдера", 3240, 3855, 495}}},
         .score = {720, 3960, 1215, 735}},
        // 21, Form23: one piece, a leading blank and a run of 77 blanks between the sentences.
        {.question = {360, 120, 5535, 1455},
         .text = " Ви інсталювали антивірусну програму. Через кілька днів ви отримали "
                 "попередження про вірус." +
                 QString(77, u' ') +
                 "Як можна запобігти зараженню комп'ютера цим вірусом у майбутньому?",
         .options = {{{"Check1", "Перевіряти оновлення Microsoft Windows Update", 1560, 5415, 495},
                      {"Check2", "Використовувати надійний пароль", 2160, 4335, 495},
                      {"Check3", "Оновлювати браузер Інтернету", 2640, 3975, 495},
                      {"Check4", "Щодня оновлювати антивірусне ПЗ та виконувати пошук вірусів",
                       3120, 4815, 615}}},
         .score = {480, 3960, 1095, 735}},
        // 22, Form24
        {.question = {360, 120, 5415, 855},
         .text = "Які дії можуть виконувати злодії в мережі?",
         .options =
             {{{"Check1", "Надсилати віруси", 1440, 2415, 375},
               {"Check2", "Красти паролі", 1920, 2055, 495},
               {"Check3", "Надсилати небажані повідомлення електронної пошти", 2520, 4335, 495},
               {"Check4", "Намагатися встановити стосунки з користувачами", 3120, 4455, 615}}},
         .score = {720, 3720, 2055, 735}},
        // 23, Form25: "Майкрософт.Якій" stands without a blank after the full stop.
        {.question = {120, 240, 6135, 1575},
         .text = "Потрібно, щоб операційна система Microsoft Windows автоматично перевіряла "
                 "останні оновлення безпеки, випущені корпорацією Майкрософт.Якій засіб "
                 "перевірятиме останні оновлення безпеки через постійні інтервали часу?",
         .options = {{{"Check1", "Оновлення антивірусу", 1680, 3015, 495},
                      {"Check2", "Автоматичні оновлення", 2280, 3135, 375},
                      {"Check3", "Брандмауер Microsoft Windows", 2880, 3855, 375},
                      {"Check4", "Властивості Інтернету", 3360, 3015, 375}}},
         .score = {720, 4080, 1575, 495},
         .also = {.button = {4080, 3960, 2055, 735}, .panelRect = {120, 1560, 6015, 2295}}},
        // 24, Form26
        {.question = {360, 240, 5535, 735},
         .text = "Яка дія порушує авторське право?",
         .options = {{{"Check1", "Читання матеріалу з публічного веб-сайту", 1440, 5295, 375},
                      {"Check2", "Надання спільного доступу до адреси веб-сайту", 1920, 4695, 615},
                      {"Check3",
                       "Копіювання програмного забезпечення та поширення його серед друзів", 2520,
                       5175, 735},
                      {"Check4", "Цитування абзацу та вказування джерела", 3240, 5175, 495}}},
         .score = {1080, 3960, 2055, 735}},
    }};
    return rows;
}

int digitOf(const QString& name) {
    return name.back().digitValue();
}

FormDesign questionForm(const Question& key, const QuestionDesign& q) {
    const Departures& d = q.also;
    FormDesign form{
        .name = key.form,
        .caption = programCaption,
        .backColor = peach,
        .maxButton = false,
        .minButton = d.minButton,
        .clientLeft = 60,
        .clientTop = 450,
        .clientWidth = 6270,
        .clientHeight = 4860,
        .startUpPosition = 1,
        .icon = FormIcon,
        .linkTopic = key.form,
        .font = d.fonts.form,
    };
    auto& controls = form.controls;

    controls.push_back({.name = "Command1",
                        .kind = ControlKind::CommandButton,
                        .id = 1,
                        .caption = "Далі",
                        .rect = d.button,
                        .tabIndex = d.buttonTab,
                        .backColor = orange,
                        .style = Graphical,
                        .font = d.fonts.button});

    // The options stand in the list from Check4 to Check1, on Form13 from the bottom place to the
    // top one; ids count on from the button.
    std::array<int, 4> places = {0, 1, 2, 3};
    const auto rank = [&](int place) {
        return d.byPlace ? place + 1 : digitOf(q.options[place].name);
    };
    std::ranges::sort(places, [&](int a, int b) { return rank(a) > rank(b); });
    int id = 2;
    for (const int place : places) {
        const Option& o = q.options[place];
        controls.push_back({.name = o.name,
                            .kind = ControlKind::CheckBox,
                            .id = id++,
                            .caption = o.caption,
                            .rect = {d.optionLeft, o.top, o.width, o.height},
                            .tabIndex = rank(place),
                            .backColor = orange,
                            .font = d.fonts.options});
    }

    for (const Placed& p : d.behindOptions) {
        switch (p.part) {
            case Part::Panel:
                controls.push_back({.name = d.panel,
                                    .kind = ControlKind::Shape,
                                    .id = p.id,
                                    .rect = d.panelRect,
                                    .backColor = orange,
                                    .shape = RoundedRectangle,
                                    .fillStyle = Solid,
                                    .fillColor = orange});
                break;
            case Part::ScoreLabel:
                controls.push_back({.name = key.scoreLabel,
                                    .kind = ControlKind::Label,
                                    .id = p.id,
                                    .rect = q.score,
                                    .tabIndex = d.scoreTab,
                                    .backStyle = Transparent,
                                    .font = d.fonts.score,
                                    .visible = d.scoreVisible});
                break;
            case Part::Question:
                controls.push_back({.name = questionLabel,
                                    .kind = ControlKind::Label,
                                    .id = p.id,
                                    .caption = q.text,
                                    .rect = q.question,
                                    .tabIndex = 0,
                                    .backColor = d.questionBack,
                                    .backStyle = Transparent,
                                    .font = d.fonts.question});
                break;
            case Part::SpareLabel:
                controls.push_back({.name = "Label5",
                                    .kind = ControlKind::Label,
                                    .id = p.id,
                                    .rect = *d.spareLabel,
                                    .tabIndex = 7,
                                    .backStyle = Transparent});
                break;
        }
    }
    return form;
}

}  // namespace

std::vector<FormDesign> questionFormDesigns() {
    static_assert(std::tuple_size_v<decltype(answerKey)> == 24);
    std::vector<FormDesign> forms;
    for (std::size_t i = 0; i < answerKey.size(); ++i)
        forms.push_back(questionForm(answerKey[i], questions()[i]));
    return forms;
}

}  // namespace content
