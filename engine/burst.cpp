#include "burst.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QSet>
#include <QStyleHints>
#include <QWindow>
#include <optional>

namespace engine {

namespace {

// What made a press, to match it with its release: a mouse button, or a key. A key is known by
// its scan code where the platform gives one, as Shift+Tab comes back up as Tab once Shift is.
qint64 sourceOf(const QInputEvent* e) {
    if (e->isPointerEvent()) return static_cast<const QMouseEvent*>(e)->button();
    const auto* key = static_cast<const QKeyEvent*>(e);
    const quint32 code = key->nativeScanCode() ? key->nativeScanCode() : quint32(key->key());
    return qint64(1) << 32 | code;
}

class BurstGuard final : public QObject {
public:
    using QObject::QObject;

protected:
    // Input reaches the platform window before any widget: the window passes it on to the control
    // under the pointer or with the keyboard, giving the focus on the way.
    bool eventFilter(QObject* watched, QEvent* e) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (!window) return false;
        switch (e->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::KeyPress:
                return !pressActs(window, static_cast<QInputEvent*>(e));
            case QEvent::MouseButtonDblClick:  // follows its press, which decided
                return dropped_.contains(sourceOf(static_cast<QInputEvent*>(e)));
            // A control acts on a release where a press began on it, by the mouse or the keyboard
            // (a button held down by Space is clicked by a mouse release on it): a release whose
            // press was dropped would act half a gesture.
            case QEvent::MouseButtonRelease:
            case QEvent::KeyRelease:
                return dropped_.remove(sourceOf(static_cast<QInputEvent*>(e)));
            default:
                return false;
        }
    }

private:
    // Notes the press; true if it begins a burst or lands where its burst began.
    bool pressActs(QWindow* window, const QInputEvent* press) {
        const PressTime now{press->timestamp(), clock_.elapsed()};
        const qint64 gap = last_ ? now.since(*last_) : -1;
        const bool continues =
            gap >= 0 && gap < QGuiApplication::styleHints()->mouseDoubleClickInterval();
        last_ = now;
        if (!continues) origin_ = window;
        const qint64 source = sourceOf(press);
        dropped_.remove(source);
        if (origin_ == window) return true;
        dropped_.insert(source);
        return false;
    }

    // When a press happened: by the window system's clock where it says (0 where it does not: a
    // screen reader's bridge passes keys on as new events without one), and when it arrived here.
    struct PressTime {
        quint64 stamp;
        qint64 arrival;
        // The gap after an earlier press: by the window system's clock where both carry its time,
        // by their arrival otherwise.
        qint64 since(const PressTime& earlier) const {
            return stamp && earlier.stamp ? qint64(stamp - earlier.stamp) : arrival - earlier.arrival;
        }
    };

    QElapsedTimer clock_ = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    std::optional<PressTime> last_;  // none before the first press
    QPointer<QWindow> origin_;  // null once the burst's window is gone: every later press drops
    QSet<qint64> dropped_;      // sources whose press was dropped and whose release is still due
};

}  // namespace

void guardBursts() {
    static QPointer<BurstGuard> guard;
    if (guard || !qApp) return;
    guard = new BurstGuard(qApp);
    qApp->installEventFilter(guard);
}

}  // namespace engine
