#include "text_layout.h"

namespace engine {
namespace {

bool isBlank(QChar c) {
    return c == u' ';
}

// Lays out one paragraph (text without CR LF) and appends its lines.
void layoutParagraph(QStringView para, double width, const MeasureText& measure,
                     std::vector<QString>& lines) {
    qsizetype i = 0;
    auto run = [&](bool blanks) {
        const qsizetype start = i;
        while (i < para.size() && isBlank(para[i]) == blanks) ++i;
        return para.sliced(start, i - start);
    };

    // Blanks at the start of a paragraph are drawn, so they open its first line.
    QString line = run(true).toString();
    QString pending;  // blanks after the last word, drawn only if a word follows on this line
    bool lineHasWord = false;
    while (i < para.size()) {
        const QString word = run(false).toString();
        if (!lineHasWord) {
            // The first word of a line stands there even if it is wider than the line.
            line += word;
            lineHasWord = true;
        } else if (const QString candidate = line + pending + word; measure(candidate) <= width) {
            line = candidate;
        } else {
            lines.push_back(line);
            line = word;
        }
        pending = run(true).toString();
        if (!pending.isEmpty() && measure(line + pending) > width) {
            // A run of blanks longer than the rest of the line ends it.
            pending.clear();
            if (i < para.size()) {
                lines.push_back(line);
                line.clear();
                lineHasWord = false;
            }
        }
    }
    line += pending;  // trailing blanks, where they fit
    lines.push_back(line);
}

}  // namespace

std::vector<QString> layoutText(QStringView text, double width, const MeasureText& measure) {
    std::vector<QString> lines;
    qsizetype from = 0;
    while (true) {
        const qsizetype crlf = text.indexOf(u"\r\n", from);
        layoutParagraph(text.sliced(from, (crlf < 0 ? text.size() : crlf) - from), width, measure,
                        lines);
        if (crlf < 0) break;
        from = crlf + 2;
    }
    return lines;
}

}  // namespace engine
