// The committed picture and icon files, byte by byte, and the pictures as the real forms draw them.
#include <QFile>
#include <QTest>
#include <QtEndian>

#include "content/pictures.h"
#include "support/test_support.h"

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

quint16 be16(const QByteArray& b, qsizetype at) {
    return qFromBigEndian<quint16>(reinterpret_cast<const uchar*>(b.constData()) + at);
}

// What a JPEG's headers say, as far as the program's pictures are bound by it.
struct JpegHeaders {
    QByteArray app0;       // the APP0 segment's contents, length field excluded
    QList<quint8> frames;  // the SOFn marker codes met before the first scan
    QByteArray frame;      // the first frame header's contents
};

JpegHeaders readJpegHeaders(const QByteArray& b) {
    JpegHeaders h;
    qsizetype at = 2;
    bool first = true;
    while (at + 4 <= b.size() && quint8(b[at]) == 0xFF) {
        const quint8 marker = quint8(b[at + 1]);
        const quint16 length = be16(b, at + 2);
        const QByteArray contents = b.mid(at + 4, length - 2);
        if (first && marker == 0xE0) h.app0 = contents;
        const bool sof =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (sof) {
            if (h.frames.isEmpty()) h.frame = contents;
            h.frames << marker;
        }
        if (marker == 0xDA) break;  // start of scan: the headers are over
        first = false;
        at += 2 + length;
    }
    return h;
}

QImage decoded(const QString& path) {
    return QImage::fromData(readAll(path)).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

class AssetsTest : public QObject {
    Q_OBJECT
private slots:
    void jpegIsBaselineJfif420_data();
    void jpegIsBaselineJfif420();
    void iconFileLayout();
    void iconDecodesOpaqueBottomRowFirst();
    void everyFormCarriesTheIcon();
    void picturesDrawnAtNaturalSize_data();
    void picturesDrawnAtNaturalSize();
    void failPictureCoversPassPicture();
};

void AssetsTest::jpegIsBaselineJfif420_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("dpi");
    QTest::newRow("StartPicture") << content::StartPicture << 300 << 239 << 96;
    QTest::newRow("PassPicture") << content::PassPicture << 200 << 126 << 96;
    QTest::newRow("FailPicture") << content::FailPicture << 200 << 202 << 300;
    QTest::newRow("AuthorPortrait") << content::AuthorPortrait << 200 << 255 << 72;
}

void AssetsTest::jpegIsBaselineJfif420() {
    QFETCH(QString, path);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, dpi);
    const QByteArray bytes = readAll(path);
    QVERIFY2(bytes.startsWith("\xFF\xD8"), "starts with SOI");

    const JpegHeaders h = readJpegHeaders(bytes);
    // APP0 first: "JFIF\0", version 1.01, densities in dots per inch.
    QCOMPARE(h.app0.size(), 14);
    QCOMPARE(h.app0.left(5), QByteArray("JFIF\0", 5));
    QCOMPARE(quint8(h.app0[5]), quint8(1));
    QCOMPARE(quint8(h.app0[6]), quint8(1));
    QCOMPARE(quint8(h.app0[7]), quint8(1));
    QCOMPARE(int(be16(h.app0, 8)), dpi);
    QCOMPARE(int(be16(h.app0, 10)), dpi);

    // One baseline frame: 8-bit, three components, luminance 2x2 and both chroma 1x1.
    QCOMPARE(h.frames, QList<quint8>{0xC0});
    QCOMPARE(h.frame.size(), 6 + 3 * 3);
    QCOMPARE(quint8(h.frame[0]), quint8(8));
    QCOMPARE(int(be16(h.frame, 1)), height);
    QCOMPARE(int(be16(h.frame, 3)), width);
    QCOMPARE(quint8(h.frame[5]), quint8(3));
    QCOMPARE(quint8(h.frame[6 + 1]), quint8(0x22));
    QCOMPARE(quint8(h.frame[9 + 1]), quint8(0x11));
    QCOMPARE(quint8(h.frame[12 + 1]), quint8(0x11));

    const QImage image = QImage::fromData(bytes);
    QCOMPARE(image.size(), QSize(width, height));
    QVERIFY(!image.hasAlphaChannel());
}

void AssetsTest::iconFileLayout() {
    const QByteArray ico = readAll(content::FormIcon);
    QCOMPARE(ico.size(), 36086);

    QByteArray expected;
    const auto put = [&expected]<typename T>(T value) {
        value = qToLittleEndian(value);
        expected.append(reinterpret_cast<const char*>(&value), sizeof value);
    };
    // Header: reserved, type icon, one image.
    put(quint16(0)), put(quint16(1)), put(quint16(1));
    // Directory entry: 100 x 114, no palette, 1 plane, 24 bits, 36064 bytes at offset 22.
    put(quint8(100)), put(quint8(114)), put(quint8(0)), put(quint8(0));
    put(quint16(1)), put(quint16(24)), put(quint32(36064)), put(quint32(22));
    // Bitmap header: colour and mask rows counted together in height and size.
    put(quint32(40)), put(qint32(100)), put(qint32(228)), put(quint16(1)), put(quint16(24));
    put(quint32(0)), put(quint32(36024));
    for (int i = 0; i < 4; ++i) put(quint32(0));
    QCOMPARE(ico.left(62).toHex(' '), expected.toHex(' '));

    const QByteArray mask = ico.mid(62 + 114 * 300);
    QCOMPARE(mask.size(), 114 * 16);
    QCOMPARE(mask.count('\0'), mask.size());
}

void AssetsTest::iconDecodesOpaqueBottomRowFirst() {
    const QByteArray ico = readAll(content::FormIcon);
    const QImage icon = QImage::fromData(ico, "ICO");
    QCOMPARE(icon.size(), QSize(100, 114));
    // The file's first colour row is the image's bottom row, stored blue, green, red.
    const auto stored = [&](int x, int y) {
        const qsizetype at = 62 + qsizetype(113 - y) * 300 + x * 3;
        return qRgb(quint8(ico[at + 2]), quint8(ico[at + 1]), quint8(ico[at]));
    };
    for (int y = 0; y < icon.height(); ++y)
        for (int x = 0; x < icon.width(); ++x) {
            const QRgb pixel = icon.pixel(x, y);
            if (qAlpha(pixel) != 255 || (pixel & 0xFFFFFF) != (stored(x, y) & 0xFFFFFF))
                QFAIL(qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
        }
    // The white ground is part of the image, and the globe is not at its edge.
    QCOMPARE(icon.pixel(0, 0), qRgb(255, 255, 255));
    QCOMPARE(icon.pixel(99, 113), qRgb(255, 255, 255));
    QVERIFY(icon.pixel(50, 70) != qRgb(255, 255, 255));
}

void AssetsTest::everyFormCarriesTheIcon() {
    for (const auto& design : content::designs()) QCOMPARE(design.icon, content::FormIcon);
    testing::TestProgram program;
    program.start();
    const QIcon icon = program->form(content::startForm).window().windowIcon();
    QCOMPARE(icon.pixmap(QSize(100, 114)).toImage().convertToFormat(QImage::Format_RGB32),
             decoded(content::FormIcon));
}

void AssetsTest::picturesDrawnAtNaturalSize_data() {
    // Each row is named Form.Control. The files record 96, 96, 300 and 72 dots per inch; each is
    // drawn one pixel per pixel all the same.
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("Form1.Image1") << content::StartPicture << QPoint(64, 48);
    QTest::newRow("Form4.Image1") << content::PassPicture << QPoint(104, 136);
    QTest::newRow("Form4.Image2") << content::FailPicture << QPoint(104, 112);
    QTest::newRow("Form27.Image1") << content::AuthorPortrait << QPoint(16, 48);
}

void AssetsTest::picturesDrawnAtNaturalSize() {
    QFETCH(QString, picture);
    QFETCH(QPoint, topLeft);
    const QStringList where = QString::fromLatin1(QTest::currentDataTag()).split('.');
    const QString form = where[0], control = where[1];
    testing::TestProgram program;
    engine::FormInstance& live = program->form(form);
    live.setVisible(control, true);
    const QImage expected = decoded(picture);
    const QImage client = testing::grabClient(live);

    // Pixel for pixel: a stretched, shrunk or shifted picture would not match.
    QCOMPARE(client.copy(QRect(topLeft, expected.size())), expected);
}

void AssetsTest::failPictureCoversPassPicture() {
    testing::TestProgram program;
    engine::FormInstance& result = program->form("Form4");
    result.setVisible("Image1", true);
    result.setVisible("Image2", true);
    const QImage fail = decoded(content::FailPicture);
    QCOMPARE(testing::grabClient(result).copy(QRect(QPoint(104, 112), fail.size())), fail);
}

QTEST_MAIN(AssetsTest)
#include "test_assets.moc"
