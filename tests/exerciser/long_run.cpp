// A long run: 1,000 passes in one program, alternating verdicts, the about form opened and closed
// on the way. Resident memory after pass 10 and after the last pass agree to within 1 MiB, since
// forms live for the whole run and a pass only rewrites their properties.
#include <QFile>
#include <QMenuBar>
#include <QTest>

#include "content/answer_key.h"
#include "quiet_platform.h"
#include "support/test_support.h"

namespace {

const qint64 marginKiB = 1024;

// -1 where the system does not say (only Linux does, in /proc).
qint64 residentKiB() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

}  // namespace

class LongRunTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testing::quietPlatform(); }
    void thousandPasses();
};

void LongRunTest::thousandPasses() {
    const int passes = qEnvironmentVariableIntValue("MEREZHVAR_PASSES") > 0
                           ? qEnvironmentVariableIntValue("MEREZHVAR_PASSES")
                           : 1000;
    testing::TestProgram program;
    program.start();
    auto& start = program->form(content::startForm);
    qint64 afterTen = 0;
    for (int pass = 1; pass <= passes; ++pass) {
        start.window().menuBar()->actions().first()->trigger();  // «Про автора»
        testing::settle();
        program->form(content::aboutForm).window().close();  // hides it
        program.click(content::startForm, "Command1");
        testing::settle();
        const bool right = pass % 2;
        for (const auto& q : content::answerKey) {
            if (right) program.click(q.form, q.scoredCheckBox);
            program.click(q.form, "Command1");
            testing::settle();
        }
        auto& result = program->form(content::resultForm);
        QVERIFY(result.isShown());
        QCOMPARE(result.caption(content::resultLabel),
                 right ? testing::passVerdictText : testing::failVerdictText);
        program.click(content::resultForm, "Command1");  // «Розпочати знову»
        testing::settle();
        QVERIFY(start.isShown());
        if (pass == 10) afterTen = residentKiB();
    }
    QVERIFY(program.outcome().exits.empty());
    QCOMPARE(program->forms().size(), size_t(27));
    const qint64 atEnd = residentKiB();
    qInfo("resident memory after pass 10: %lld KiB; after pass %d: %lld KiB; growth %lld KiB",
          afterTen, passes, atEnd, atEnd - afterTen);
#ifndef __SANITIZE_ADDRESS__  // the sanitizer's own bookkeeping grows with every allocation
    if (afterTen > 0 && atEnd > 0) QVERIFY(std::abs(atEnd - afterTen) <= marginKiB);
#endif
}

QTEST_MAIN(LongRunTest)
#include "long_run.moc"
