// The toolkit's floor: one empty 425 × 339 window, the size of the start form, that quits on the
// event-loop turn after its first paint. The benchmark compares the quiz's start-up with it.
// With --text the window shows one line in the system font: the floor of any window that draws
// text, which pays for the font configuration that an empty window never loads. With --switch it
// then shows 23 more empty windows one after another, each hiding the last, as «Далі» does.
#include <QApplication>
#include <QLabel>
#include <QWidget>
#include <memory>
#include <vector>

#include "probe_support.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(425, 339);
    if (QCoreApplication::arguments().contains(QStringLiteral("--text")))
        (new QLabel(QStringLiteral("Тест \"Мережвар\"."), &window))->move(20, 20);
    bench::FirstPaint watch(&window, [] { QCoreApplication::exit(0); });
    window.show();
    if (QApplication::exec() != 0) return 1;
    bench::report("hwm", bench::peakResidentKiB());
    std::printf("qt %s\n", qVersion());

    if (QCoreApplication::arguments().contains(QStringLiteral("--switch"))) {
        bench::PaintLog log;
        std::vector<std::unique_ptr<QWidget>> windows;
        QWidget* shown = &window;
        for (int i = 0; i < 23; ++i) {
            QWidget* next = windows.emplace_back(std::make_unique<QWidget>()).get();
            next->resize(425, 339);
            bench::settle();
            log.clear();
            const std::int64_t start = bench::nowNs();
            next->show();
            shown->hide();
            if (!log.waitFor(next, start)) return 1;
            bench::report("switch", bench::nowNs() - start);
            shown = next;
        }
    }
    return 0;
}
