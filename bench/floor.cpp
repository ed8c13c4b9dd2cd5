// The toolkit's floor: one empty 425 × 339 window, the size of the start form, that quits on the
// event-loop turn after its first paint. The benchmark compares the quiz's start-up with it.
#include <QApplication>
#include <QWidget>

#include "probe_support.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(425, 339);
    std::int64_t painted = 0;
    bench::FirstPaint watch(&window, [&] {
        painted = bench::nowNs();
        QCoreApplication::exit(0);
    });
    window.show();
    if (QApplication::exec() != 0) return 1;
    bench::report("startup", painted);
    bench::report("hwm", bench::peakResidentKiB());
    std::printf("qt %s\n", qVersion());
    return 0;
}
