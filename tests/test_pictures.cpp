// What the student sees, pixel for pixel: every form as first shown and the result form after a
// pass and a fail, drawn by tools/form-gallery, against the reference pictures in tests/pictures.
// A changed text, caption, font, colour, layout or focus marker shows at once. The pictures belong
// to the Qt and FreeType that drew them (tests/pictures/toolkit.txt); with another installed, the
// test skips. After a change meant to alter the forms, tools/refresh-pictures redraws them.
//
// Usage: test_pictures GALLERY REFERENCES installed|hidden [Qt Test options]
//        test_pictures --toolkit   (prints the toolkit lines the pictures are recorded with)
// "installed": the system's fonts in view, among them an installed Liberation Sans of another
// version than the embedded one; "hidden": run under a fontconfig file that hides every installed
// font. Both give the same pixels.
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

QString gallery, references;
bool systemFontsInView = true;

// The same text as tests/pictures/toolkit.txt when the pictures were drawn by this toolkit.
QString toolkit() {
    FT_Library library = nullptr;
    FT_Int major = 0, minor = 0, patch = 0;
    if (FT_Init_FreeType(&library) == 0) {
        FT_Library_Version(library, &major, &minor, &patch);
        FT_Done_FreeType(library);
    }
    return QStringLiteral("Qt %1\nFreeType %2.%3.%4\n").arg(qVersion()).arg(major).arg(minor).arg(
        patch);
}

QString readText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// Where a run keeps the pictures that differ, one folder for each of the two runs.
QString kept() {
    return QDir::current().filePath(systemFontsInView ? "pictures-drawn" : "pictures-drawn-hidden");
}

QStringList pngsIn(const QString& folder) {
    return QDir(folder).entryList({"*.png"}, QDir::Files, QDir::Name);
}

// The differing pixels in red over a pale copy of the reference.
QImage differences(const QImage& reference, const QImage& drawn) {
    QImage out = reference.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const int g = 192 + qGray(out.pixel(x, y)) / 4;
            out.setPixel(x, y, reference.pixel(x, y) == drawn.pixel(x, y) ? qRgb(g, g, g)
                                                                         : qRgb(255, 0, 0));
        }
    return out;
}

}  // namespace

class PicturesTest : public QObject {
    Q_OBJECT
    QTemporaryDir drawn_;

private slots:
    void initTestCase();
    void fontsInView();
    void everyPictureHasItsReference();
    void picture_data();
    void picture();
};

void PicturesTest::initTestCase() {
    QVERIFY(drawn_.isValid());
    QDir(kept()).removeRecursively();
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(gallery, {drawn_.path()});
    QVERIFY(process.waitForFinished(120'000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

// The run with the system's fonts meets the conflicting face (main() skips it where there is
// none); the other sees none of them.
void PicturesTest::fontsInView() {
    if (!systemFontsInView)
        QVERIFY2(!QFontDatabase::families().contains("Liberation Sans"),
                 "the fontconfig file hides no installed font");
}

void PicturesTest::everyPictureHasItsReference() {
    QCOMPARE(pngsIn(drawn_.path()).join(" "), pngsIn(references).join(" "));
}

void PicturesTest::picture_data() {
    QTest::addColumn<QString>("name");
    for (const auto& name : pngsIn(references)) QTest::newRow(qPrintable(name)) << name;
}

void PicturesTest::picture() {
    QFETCH(QString, name);
    const QImage reference = QImage(QDir(references).filePath(name)).convertToFormat(
        QImage::Format_RGB32);
    const QImage drawn =
        QImage(QDir(drawn_.path()).filePath(name)).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!reference.isNull() && !drawn.isNull(), "a picture cannot be read");
    QCOMPARE(drawn.size(), reference.size());
    QRect changed;
    int count = 0;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            if (drawn.pixel(x, y) != reference.pixel(x, y)) {
                changed |= QRect(x, y, 1, 1);
                ++count;
            }
    if (count == 0) return;
    // Kept beside the test for a look: the picture drawn now and where it differs.
    const QDir keep(kept());
    QDir().mkpath(keep.path());
    drawn.save(keep.filePath(name));
    differences(reference, drawn).save(keep.filePath(QString(name).replace(".png", "-diff.png")));
    QFAIL(qPrintable(QStringLiteral("%1 pixels differ within (%2, %3, %4 × %5); drawn now: %6; "
                                    "if the change is meant, run tools/refresh-pictures")
                         .arg(count)
                         .arg(changed.x())
                         .arg(changed.y())
                         .arg(changed.width())
                         .arg(changed.height())
                         .arg(keep.filePath(name))));
}

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QStringList args = application.arguments();
    if (args.size() == 2 && args[1] == "--toolkit") {
        QTextStream(stdout) << toolkit();
        return 0;
    }
    if (args.size() < 4 || (args[3] != "installed" && args[3] != "hidden")) {
        QTextStream(stderr) << "usage: test_pictures GALLERY REFERENCES installed|hidden [Qt Test "
                               "options] | --toolkit\n";
        return 2;
    }
    gallery = args[1];
    references = args[2];
    systemFontsInView = args[3] == "installed";
    const QString recorded = readText(QDir(references).filePath("toolkit.txt"));
    if (recorded != toolkit()) {
        QTextStream(stdout) << "SKIP: the reference pictures were drawn with\n"
                            << recorded << "and this is\n"
                            << toolkit()
                            << "where glyphs may be drawn otherwise; tools/refresh-pictures "
                               "redraws them for this toolkit.\n";
        return 77;
    }
    if (systemFontsInView && !QFontDatabase::families().contains("Liberation Sans")) {
        QTextStream(stdout) << "SKIP: no Liberation Sans is installed here (Debian: "
                               "fonts-liberation), so this run cannot show that an installed face "
                               "of the family changes nothing.\n";
        return 77;
    }
    args.remove(1, 3);
    PicturesTest test;
    return QTest::qExec(&test, args);
}

#include "test_pictures.moc"
