// What the command line can do: only the toolkit options that choose where the program runs pass,
// and nothing makes a form draw right to left.
#include <QApplication>
#include <QTest>

#include "app/startup.h"
#include "support/test_support.h"

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void argumentsKept_data();
    void argumentsKept();
    void formsStayLeftToRight();
    void scaleBounds_data();
    void scaleBounds();
};

void StartupTest::argumentsKept_data() {
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("none") << QStringList{} << QStringList{};
    QTest::newRow("platform and display") << QStringList{"-platform", "xcb", "--display", ":1"}
                                          << QStringList{"-platform", "xcb", "--display", ":1"};
    QTest::newRow("drawing options dropped")
        << QStringList{"-reverse",      "-style",    "windows",          "-stylesheet=a.qss",
                       "-qwindowtitle", "x",         "-qwindowgeometry", "10x10",
                       "-platform",     "offscreen", "-widgetcount"}
        << QStringList{"-platform", "offscreen"};
    QTest::newRow("stray words dropped")
        << QStringList{"file.txt", "-session", "s1", "--"} << QStringList{"-session", "s1"};
    QTest::newRow("option without its value") << QStringList{"-platform"} << QStringList{};
}

void StartupTest::argumentsKept() {
    QFETCH(QStringList, given);
    QFETCH(QStringList, kept);
    std::vector<QByteArray> storage{"merezhvar"};
    for (const QString& a : given) storage.push_back(a.toLocal8Bit());
    std::vector<char*> argv;
    for (QByteArray& a : storage) argv.push_back(a.data());

    const std::vector<char*> out = app::toolkitArguments(int(argv.size()), argv.data()).argv;
    QCOMPARE(out.back(), nullptr);
    QStringList got;
    for (size_t i = 1; i + 1 < out.size(); ++i) got << QString::fromLocal8Bit(out[i]);
    QCOMPARE(QString(out.front()), QString("merezhvar"));
    QCOMPARE(got, kept);
}

// A right-to-left application (as -reverse or a translation would make it) draws the same forms.
void StartupTest::formsStayLeftToRight() {
    QImage leftToRight, mirrored;
    for (auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        QGuiApplication::setLayoutDirection(direction);
        testing::TestProgram program;
        program.start();
        program.click(content::startForm, "Command1");
        (direction == Qt::LeftToRight ? leftToRight : mirrored) =
            testing::grabClient(program->form(content::answerKey.front().form));
    }
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    QCOMPARE(mirrored, leftToRight);
}

// The edges of the scales at which the forms can be shown; tests/no_display.sh runs the real
// program on values inside and outside them.
void StartupTest::scaleBounds_data() {
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("why");  // empty: kept
    const QString small = "замалий, щоб показати вікно (найменший — 0.1)";
    const QString large = "завеликий, щоб показати вікно (найбільший — 76)";
    QTest::newRow("0.1") << QByteArray("QT_SCALE_FACTOR") << QByteArray("0.1") << QString();
    QTest::newRow("0.099") << QByteArray("QT_SCALE_FACTOR") << QByteArray("0.099") << small;
    QTest::newRow("76") << QByteArray("QT_SCALE_FACTOR") << QByteArray(" 76 ") << QString();
    QTest::newRow("76.01") << QByteArray("QT_SCALE_FACTOR") << QByteArray("76.01") << large;
    QTest::newRow("list with an empty entry")
        << QByteArray("QT_SCREEN_SCALE_FACTORS") << QByteArray("HDMI-1=2;;DP-1=1.5") << QString();
    QTest::newRow("list, the first fault names the reason")
        << QByteArray("QT_SCREEN_SCALE_FACTORS") << QByteArray("a=2;b=80;c=0") << large;
}

void StartupTest::scaleBounds() {
    QFETCH(QByteArray, variable);
    QFETCH(QByteArray, value);
    QFETCH(QString, why);
    const QString expected =
        why.isEmpty() ? QString()
                      : QString(
                            "Мережвар: масштаб %1=%2 %3, його пропущено; вікна відкриються в "
                            "масштабі 1.")
                            .arg(QString(variable), QString(value), why);
    QCOMPARE(
        app::scaleRefusal(variable.constData(), value, app::showableScales(content::designs())),
        expected);
}

QTEST_MAIN(StartupTest)
#include "test_startup.moc"
