// The drawing rules on rendered pixels of small designs built here, and the real forms' coloured
// titles.
#include <QBuffer>
#include <QScreen>
#include <QTest>

#include "engine/controls.h"
#include "support/test_support.h"

using namespace engine;

namespace {

const Colour white{0x00FFFFFF};
const Colour red{0x000000FF};
const Colour blue{0x00FF0000};
const Colour green{0x0000FF00};

// A 100 x 60 pixel form holding the given controls.
std::vector<FormDesign> oneForm(std::vector<ControlDesign> controls) {
    return {FormDesign{.name = "Test",
                       .backColor = white,
                       .clientWidth = 1500,
                       .clientHeight = 900,
                       .linkTopic = "Test",
                       .controls = std::move(controls)}};
}

// Pictures by name: a solid 20 x 20 square of the named colour.
QByteArray squarePicture(const QString& name) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(name == "red" ? Qt::red : Qt::blue);
    image.setDotsPerMeterX(11811);  // 300 dpi, which must not change the drawn size
    image.setDotsPerMeterY(11811);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QImage render(testing::TestProgram& program) {
    program.start("Test");
    return testing::grabClient(program->form("Test"));
}

QRgb rgb(Colour c) {
    return toQColor(c).rgb();
}

// The client area as the window really shows it, read back from the platform's backing store:
// unlike grab(), which repaints everything, it holds only what was asked to be repainted.
QImage onScreen(FormInstance& form) {
    QWidget& window = form.window();
    const QImage shown = window.screen()->grabWindow(window.winId()).toImage();
    const QWidget* surface = form.window().surface();
    return shown.copy(QRect(surface->mapTo(&window, QPoint()), surface->size()))
        .convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class DrawingTest : public QObject {
    Q_OBJECT
private slots:
    void transparentLabelShowsShapeBetweenLetters();
    void shapeHasOnePixelOutlineAndFill();
    void earlierImageCoversLaterOne();
    void invisibleControlsDrawNothing();
    void centredLeadingBlankCountsInWidth();
    void labelWrapsAtOwnWidthPastClientEdge();
    void checkBoxClickAnywhereAndSpaceToggle();
    void invisibleCheckBoxTakesNoClickOrFocus();
    void overlapBelongsToTheBoxListedFirst();
    void buttonFaceInBackColor();
    void titleInk_data();
    void titleInk();
};

void DrawingTest::transparentLabelShowsShapeBetweenLetters() {
    testing::TestProgram program(oneForm({
        {.name = "Label1",
         .kind = ControlKind::Label,
         .id = 1,
         .caption = "W      W",
         .rect = {150, 150, 1200, 300},
         .tabIndex = 0,
         .backStyle = Transparent},
        {.name = "Shape1",
         .kind = ControlKind::Shape,
         .id = 2,
         .rect = {0, 0, 1500, 900},
         .fillStyle = Solid,
         .fillColor = green},
    }));
    const QImage image = render(program);
    QCOMPARE(image.pixel(50, 15), rgb(green));   // between the two letters
    QVERIFY(image.pixel(12, 15) != rgb(green));  // inside the first W
}

void DrawingTest::shapeHasOnePixelOutlineAndFill() {
    testing::TestProgram program(oneForm({
        {.name = "Shape1",
         .kind = ControlKind::Shape,
         .id = 1,
         .rect = {150, 150, 600, 450},
         .fillStyle = Solid,
         .fillColor = green},
    }));
    const QImage image = render(program);
    QCOMPARE(image.pixel(10, 20), qRgb(0, 0, 0));  // left edge
    QCOMPARE(image.pixel(49, 20), qRgb(0, 0, 0));  // right edge, the rectangle's last pixel
    QCOMPARE(image.pixel(11, 20), rgb(green));     // interior
    QCOMPARE(image.pixel(50, 20), rgb(white));     // outside
}

void DrawingTest::earlierImageCoversLaterOne() {
    testing::TestProgram program(oneForm({
                                     {.name = "Image1",
                                      .kind = ControlKind::Image,
                                      .id = 1,
                                      .rect = {0, 0, 300, 300},
                                      .picture = "red"},
                                     {.name = "Image2",
                                      .kind = ControlKind::Image,
                                      .id = 2,
                                      .rect = {150, 150, 300, 300},
                                      .picture = "blue"},
                                 }),
                                 {.readPicture = squarePicture});
    const QImage image = render(program);
    QCOMPARE(image.pixel(15, 15), qRgb(255, 0, 0));  // overlap: the earlier image
    QCOMPARE(image.pixel(25, 25), qRgb(0, 0, 255));  // the later image outside the overlap
    QCOMPARE(image.pixel(30, 30), rgb(white));       // natural size despite 300 dpi
}

void DrawingTest::invisibleControlsDrawNothing() {
    testing::TestProgram program(oneForm({
                                     {.name = "Label1",
                                      .kind = ControlKind::Label,
                                      .id = 1,
                                      .caption = "WWWW",
                                      .rect = {0, 0, 1500, 300},
                                      .tabIndex = 0,
                                      .backStyle = Opaque,
                                      .visible = false},
                                     {.name = "Image1",
                                      .kind = ControlKind::Image,
                                      .id = 2,
                                      .rect = {0, 450, 300, 300},
                                      .visible = false,
                                      .picture = "red"},
                                 }),
                                 {.readPicture = squarePicture});
    const QImage image = render(program);
    for (const QPoint p : {QPoint(5, 5), QPoint(40, 10), QPoint(5, 35), QPoint(15, 45)})
        QCOMPARE(image.pixel(p), rgb(white));

    // Made visible at run time, the picture appears on what the window shows.
    FormInstance& form = program->form("Test");
    QVERIFY(QTest::qWaitForWindowExposed(&form.window()));
    QTRY_COMPARE(onScreen(form).pixel(5, 35), rgb(white));
    form.setVisible("Image1", true);
    QTRY_COMPARE(onScreen(form).pixel(5, 35), rgb(red));
    QCOMPARE(onScreen(form), testing::grabClient(form));
}

void DrawingTest::centredLeadingBlankCountsInWidth() {
    auto leftmostInk = [](const QString& caption) {
        testing::TestProgram program(oneForm({
            {.name = "Label1",
             .kind = ControlKind::Label,
             .id = 1,
             .caption = caption,
             .rect = {0, 0, 1500, 450},
             .tabIndex = 0,
             .alignment = Center,
             .backStyle = Transparent,
             .font = bold(13.5)},
        }));
        const QImage image = render(program);
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < 30; ++y)
                if (qGray(image.pixel(x, y)) < 128) return x;
        return -1;
    };
    const int plain = leftmostInk("II");
    const int withBlank = leftmostInk(" II");
    QVERIFY(plain > 0);
    // Half a blank's width (about 2.5 pixels at 18 px) further right.
    QVERIFY2(withBlank >= plain + 2 && withBlank <= plain + 3,
             qPrintable(QString("%1 vs %2").arg(withBlank).arg(plain)));
}

void DrawingTest::labelWrapsAtOwnWidthPastClientEdge() {
    // The label is twice as wide as the client area: its text stays on one line, cut at the edge.
    testing::TestProgram program(oneForm({
        {.name = "Label1",
         .kind = ControlKind::Label,
         .id = 1,
         .caption = "WWWW WWWW WWWW WWWW",
         .rect = {0, 0, 3000, 900},
         .tabIndex = 0,
         .backStyle = Transparent},
    }));
    const QImage image = render(program);
    const auto ink = [&](QPoint p) { return qGray(image.pixel(p)) < 128; };
    QVERIFY(testing::countPixels(QRect(0, 0, image.width(), 13), ink) > 0);
    QCOMPARE(testing::countPixels(QRect(0, 14, image.width(), 46), ink), 0);
}

void DrawingTest::checkBoxClickAnywhereAndSpaceToggle() {
    testing::TestProgram program(oneForm({
        {.name = "Check1",
         .kind = ControlKind::CheckBox,
         .id = 1,
         .caption = "Так",
         .rect = {0, 0, 1500, 375},
         .tabIndex = 0,
         .backColor = green},
    }));
    program.start("Test");
    FormInstance& form = program->form("Test");
    QWidget* box = form.widget("Check1");
    const QImage before = testing::grabClient(form);
    QCOMPARE(before.pixel(90, 12), rgb(green));  // background right of the caption

    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(95, 20));  // far from tick box and caption
    QCOMPARE(form.value("Check1"), engine::Checked);
    QVERIFY(testing::grabClient(form) != before);  // the tick shows
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 12));
    QCOMPARE(form.value("Check1"), engine::Unchecked);
    QTest::keyClick(box, Qt::Key_Space);
    QCOMPARE(form.value("Check1"), engine::Checked);

    form.setValue("Check1", Grayed);
    QCOMPARE(form.value("Check1"), engine::Grayed);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(50, 12));
    QCOMPARE(form.value("Check1"), engine::Checked);  // the user only ever toggles between 0 and 1
}

void DrawingTest::invisibleCheckBoxTakesNoClickOrFocus() {
    testing::TestProgram program(oneForm({
        {.name = "Check1",
         .kind = ControlKind::CheckBox,
         .id = 1,
         .caption = "A",
         .rect = {0, 0, 1500, 375},
         .tabIndex = 0,
         .visible = false},
        {.name = "Check2",
         .kind = ControlKind::CheckBox,
         .id = 2,
         .caption = "B",
         .rect = {0, 450, 1500, 375},
         .tabIndex = 1},
    }));
    program.start("Test");
    FormInstance& form = program->form("Test");
    QTest::mouseClick(form.window().surface(), Qt::LeftButton, {}, QPoint(50, 12));
    QCOMPARE(form.value("Check1"), engine::Unchecked);
    QVERIFY(!form.widget("Check1")->hasFocus());
    QCOMPARE(form.window().focusWidget(), form.widget("Check2"));  // first focus skips it
    QCOMPARE(testing::grabClient(form).pixel(50, 12), rgb(white));
}

// Six question forms have options that overlap by a pixel: the press there goes, through the
// window as the platform delivers it, to the option in front.
void DrawingTest::overlapBelongsToTheBoxListedFirst() {
    testing::TestProgram program(oneForm({
        {.name = "Check2",
         .kind = ControlKind::CheckBox,
         .id = 1,
         .caption = "B",
         .rect = {0, 360, 1500, 375},
         .tabIndex = 1},
        {.name = "Check1",
         .kind = ControlKind::CheckBox,
         .id = 2,
         .caption = "A",
         .rect = {0, 0, 1500, 375},
         .tabIndex = 0},
    }));
    program.start("Test");
    FormInstance& form = program->form("Test");
    QVERIFY(QTest::qWaitForWindowExposed(&form.window()));
    const QWidget* surface = form.window().surface();
    const QPoint overlap = surface->mapTo(&form.window(), QPoint(50, 24));  // the one shared row
    QTest::mouseClick(form.window().windowHandle(), Qt::LeftButton, {}, overlap);
    QCOMPARE(form.value("Check2"), engine::Checked);
    QCOMPARE(form.value("Check1"), engine::Unchecked);
}

void DrawingTest::buttonFaceInBackColor() {
    testing::TestProgram program(oneForm({
        {.name = "Command1",
         .kind = ControlKind::CommandButton,
         .id = 1,
         .caption = "Далі",
         .rect = {150, 150, 1200, 600},
         .tabIndex = 0,
         .backColor = blue,
         .style = Graphical},
        {.name = "Command2",
         .kind = ControlKind::CommandButton,
         .id = 2,
         .caption = "",
         .rect = {0, 0, 150, 150},
         .tabIndex = 1,
         .backColor = blue},
    }));
    const QImage image = render(program);
    QCOMPARE(image.pixel(15, 35), rgb(blue));              // Style 1: BackColor shows
    QCOMPARE(image.pixel(5, 5), rgb(standardFaceColour));  // Style 0: the standard face
}

// The three red titles, read from what the forms draw: some glyph pixels in exactly that colour.
void DrawingTest::titleInk_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QColor>("ink");
    QTest::newRow("start form's title") << "Form1"
                                        << "Label1" << QColor(255, 0, 0);
    QTest::newRow("result form's verdict") << "Form4"
                                           << "Label2" << QColor(255, 0, 0);
    QTest::newRow("about form's text") << "Form27"
                                       << "Label1" << QColor(255, 0, 0);
}

void DrawingTest::titleInk() {
    QFETCH(QString, form);
    QFETCH(QString, label);
    QFETCH(QColor, ink);
    testing::TestProgram program;
    FormInstance& f = program->form(form);
    if (f.caption(label).isEmpty()) f.setCaption(label, testing::failVerdictText);
    f.show();
    const QImage image = testing::grabClient(f);
    const QRect area = pixels(findControl(f.design(), label)->rect) & image.rect();
    const qsizetype inked = testing::countPixels(image, area, ink.rgb());
    QVERIFY2(inked > 50, qPrintable(QString::number(inked)));
}

QTEST_MAIN(DrawingTest)
#include "test_drawing.moc"
