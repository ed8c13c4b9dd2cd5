// The quiz's whole start-up, as main() does it, to the first paint of Form1's client area, then
// the figures the benchmark asks for:
//   merezhvar-probe --pass     one pass through the dispatcher, each step to its frame
//   merezhvar-probe --create K the creation of the first K forms of a pass, none shown
// Every figure is one "key value" line on stdout; a fatal error or a frame that never comes
// ends the probe with status 1.
#include <QApplication>
#include <QWidget>

#include "app/quiz.h"
#include "engine/program.h"
#include "content/answer_key.h"
#include "content/designs.h"
#include "probe_support.h"

namespace {

// A message box would wait for a click that never comes; the probe reports and fails instead.
engine::Host failingHost() {
    return {
        .showFatal = [](const QString& m) { std::fprintf(stderr, "%s\n", qPrintable(m)); },
        .exit = [](int) {},
    };
}

// Clicks form.Command1 and returns the time until `next`'s client area has painted, or -1.
std::int64_t timedClick(engine::Program& program, bench::PaintLog& log, const QString& form,
                        const QString& next) {
    bench::settle();
    log.clear();
    const std::int64_t start = bench::nowNs();
    program.deliver(form, QStringLiteral("Command1"), engine::Event::Click);
    if (program.ended() || !log.waitFor(program.form(next).window().surface(), start)) return -1;
    return bench::nowNs() - start;
}

// One pass, twenty answers right: the result form shows the pass verdict and its picture.
bool playPass(engine::Program& program) {
    bench::PaintLog log;
    const std::int64_t start = bench::nowNs();
    const std::int64_t first =
        timedClick(program, log, content::startForm, content::answerKey.front().form);
    if (first < 0) return false;
    bench::report("start-test", first);
    for (const auto& q : content::answerKey) {
        if (q.number % 6 != 0) program.form(q.form).setValue(q.scoredCheckBox, engine::Checked);
        const std::int64_t t = timedClick(program, log, q.form, q.next);
        if (t < 0) return false;
        bench::report(q.next == content::resultForm ? "score" : "next", t);
    }
    bench::report("pass", bench::nowNs() - start);
    return true;
}

// The forms of a pass in the order the first «Розпочати тест» reaches them.
bool createForms(engine::Program& program, int count) {
    QStringList names;
    for (const auto& q : content::answerKey) names << q.form;
    names << content::resultForm;
    if (count < 1 || count > names.size()) return false;
    bench::settle();
    const std::int64_t start = bench::nowNs();
    for (int i = 0; i < count; ++i) program.form(names[i]);
    const std::int64_t elapsed = bench::nowNs() - start;
    if (program.ended()) return false;
    bench::report("create", elapsed);
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const bool pass = args.value(0) == QLatin1String("--pass");
    const int create = args.value(0) == QLatin1String("--create") ? args.value(1).toInt() : 0;
    if (!args.isEmpty() && !pass && create == 0) {
        std::fprintf(stderr, "usage: merezhvar-probe [--pass | --create COUNT]\n");
        return 2;
    }

    app::describeApplication();
    engine::Program program(app::quizSetup(failingHost()));
    program.start(content::startForm);
    if (program.ended()) return 1;
    bench::FirstPaint watch(program.form(content::startForm).window().surface(),
                            [] { QCoreApplication::exit(0); });
    if (QApplication::exec() != 0) return 1;

    if (pass && !playPass(program)) return 1;
    if (create > 0 && !createForms(program, create)) return 1;
    bench::report("hwm", bench::peakResidentKiB());
    return 0;
}
