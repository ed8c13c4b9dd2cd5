// The text layout rules, on a measure where every character is one unit wide.
#include <QTest>

#include "engine/text_layout.h"

using Lines = QStringList;

class TextLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void rules_data();
    void rules();
};

void TextLayoutTest::rules_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");
    QTest::addColumn<Lines>("lines");

    const QString tenBlanks(10, u' ');
    QTest::newRow("words fill a line") << "aa bb cc" << 5.0 << Lines{"aa bb", "cc"};
    QTest::newRow("exact fit") << "aa bb" << 5.0 << Lines{"aa bb"};
    QTest::newRow("CR LF ends a line") << "aa\r\nbb" << 10.0 << Lines{"aa", "bb"};
    QTest::newRow("CR LF CR LF leaves an empty line")
        << "aa.\r\n\r\nbb" << 10.0 << Lines{"aa.", "", "bb"};
    QTest::newRow("trailing CR LF") << "aa\r\n" << 10.0 << Lines{"aa", ""};
    QTest::newRow("lone LF is an ordinary character") << "a\nb" << 10.0 << Lines{"a\nb"};
    QTest::newRow("blank run longer than the rest ends the line")
        << "aa" + tenBlanks + "bb" << 8.0 << Lines{"aa", "bb"};
    QTest::newRow("blank run that fits is drawn whole") << "aa   bb" << 10.0 << Lines{"aa   bb"};
    QTest::newRow("blanks at a break are dropped") << "aa  bbb" << 5.0 << Lines{"aa", "bbb"};
    QTest::newRow("leading blank is kept") << " aa bb" << 10.0 << Lines{" aa bb"};
    QTest::newRow("leading blank stays on the first line only")
        << " aaa bbb" << 5.0 << Lines{" aaa", "bbb"};
    QTest::newRow("leading blanks after CR LF are kept") << "a\r\n  b" << 10.0 << Lines{"a", "  b"};
    QTest::newRow("a word wider than the line stands alone")
        << "aaaaaaa bb" << 4.0 << Lines{"aaaaaaa", "bb"};
    QTest::newRow("a long word after others starts a new line")
        << "a bbbbbbb c" << 4.0 << Lines{"a", "bbbbbbb", "c"};
    QTest::newRow("trailing blanks count where they fit") << "aa " << 5.0 << Lines{"aa "};
    QTest::newRow("blank run at an exact fit is drawn") << "aa   " << 5.0 << Lines{"aa   "};
    QTest::newRow("trailing blanks past the edge are dropped") << "aaaa  " << 5.0 << Lines{"aaaa"};
    QTest::newRow("empty text is one empty line") << "" << 5.0 << Lines{""};
    QTest::newRow("blanks only") << "   " << 5.0 << Lines{"   "};
    // Question 21's shape: a leading blank, a sentence, a long run, a second sentence.
    QTest::newRow("run then next sentence at the left edge")
        << " one two." + QString(77, u' ') + "three four" << 12.0
        << Lines{" one two.", "three four"};
}

void TextLayoutTest::rules() {
    QFETCH(QString, text);
    QFETCH(double, width);
    QFETCH(Lines, lines);
    const auto got =
        engine::layoutText(text, width, [](QStringView s) { return double(s.size()); });
    QCOMPARE(Lines(got.begin(), got.end()), lines);
}

QTEST_APPLESS_MAIN(TextLayoutTest)
#include "test_text_layout.moc"
