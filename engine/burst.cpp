#include "burst.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QWindow>

namespace engine {

namespace {

class BurstGuard final : public QObject {
public:
    using QObject::QObject;

protected:
    // A mouse event reaches the platform window before any widget: the window passes it on to the
    // control under the pointer, giving the focus on the way.
    bool eventFilter(QObject* watched, QEvent* e) override {
        auto* window = qobject_cast<QWindow*>(watched);
        if (!window) return false;
        switch (e->type()) {
            case QEvent::MouseButtonPress:
                return !pressBelongs(window, static_cast<QMouseEvent*>(e));
            case QEvent::MouseButtonDblClick:  // follows its press, which decided
                return dropped_ & static_cast<QMouseEvent*>(e)->button();
            case QEvent::MouseButtonRelease:
                if (const auto button = static_cast<QMouseEvent*>(e)->button(); dropped_ & button) {
                    dropped_ &= ~button;
                    return true;
                }
                return false;
            default:
                return false;
        }
    }

private:
    // Notes the press; true if it begins a burst or lands where its burst began.
    bool pressBelongs(QWindow* window, const QMouseEvent* press) {
        const qint64 gap = qint64(press->timestamp() - lastPress_);
        const bool continues = havePressed_ && gap >= 0 &&
                               gap < QGuiApplication::styleHints()->mouseDoubleClickInterval();
        havePressed_ = true;
        lastPress_ = press->timestamp();
        if (!continues) origin_ = window;
        dropped_ &= ~press->button();
        if (origin_ == window) return true;
        dropped_ |= press->button();
        return false;
    }

    bool havePressed_ = false;
    quint64 lastPress_ = 0;
    QPointer<QWindow> origin_;  // null once the burst's window is gone: every later press drops
    Qt::MouseButtons dropped_;  // buttons whose press was dropped and whose release is still due
};

}  // namespace

void guardBursts() {
    static QPointer<BurstGuard> guard;
    if (guard || !qApp) return;
    guard = new BurstGuard(qApp);
    qApp->installEventFilter(guard);
}

}  // namespace engine
