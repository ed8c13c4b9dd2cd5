#pragma once
// What the floor and the probe share: a clock, a watch for the paint of one widget or of any, and
// the peak resident memory.

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <functional>
#include <set>

namespace bench {

inline std::int64_t nowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * 1'000'000'000 + ts.tv_nsec;
}

// Calls `then` on the event-loop turn after the first paint event of `target` was delivered, so
// that the paint itself and the flush that follows it have finished.
class FirstPaint : public QObject {
public:
    FirstPaint(QObject* target, std::function<void()> then) : then_(std::move(then)) {
        target->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(this, then_, Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> then_;
    bool seen_ = false;
};

// Every paint delivered in the application, whichever window: a form created inside a click is
// painted before anyone could watch it alone.
class PaintLog : public QObject {
public:
    PaintLog() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted_.insert(watched);
        return false;
    }
    void clear() { painted_.clear(); }
    bool painted(const QObject* o) const { return painted_.contains(o); }

    // Handles events until `target` has painted; false if it has not within ten seconds.
    bool waitFor(const QObject* target, std::int64_t since) const {
        while (!painted(target)) {
            if (nowNs() - since > 10'000'000'000) return false;
            QCoreApplication::processEvents();
        }
        return true;
    }

private:
    std::set<const QObject*> painted_;
};

// Handles what earlier steps left queued (repaints, the hidden window's events), so that a timed
// step starts from an idle program.
inline void settle() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

// VmHWM of this process in KiB, or -1 where /proc is missing.
inline long peakResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// One figure on stdout, one line each, for the benchmark to read.
inline void report(const char* key, long long value) {
    std::printf("%s %lld\n", key, value);
}

}  // namespace bench
