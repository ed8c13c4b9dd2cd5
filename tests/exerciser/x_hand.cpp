#include "x_hand.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>

struct XHand::Connection {
    Display* display = XOpenDisplay(nullptr);
    int xi = 0;  // the input extension's major opcode, which marks its events
    ~Connection() {
        if (display) XCloseDisplay(display);
    }
};

XHand::XHand() : x_(std::make_unique<Connection>()) {
    Display* d = x_->display;
    int event = 0, error = 0, major = 2, minor = 0;
    if (!d || !XQueryExtension(d, "XInputExtension", &x_->xi, &event, &error) ||
        XIQueryVersion(d, &major, &minor) != Success ||
        !XTestQueryExtension(d, &event, &error, &major, &minor))
        return;
    unsigned char bits[XIMaskLen(XI_RawButtonPress)] = {};
    XISetMask(bits, XI_RawButtonPress);
    XIEventMask mask{XIAllMasterDevices, int(sizeof bits), bits};
    XISelectEvents(d, DefaultRootWindow(d), &mask, 1);
    XSync(d, False);
    ready_ = true;
}

XHand::~XHand() = default;

std::vector<int> XHand::click(QPoint at, int times, int gap) {
    Display* d = x_->display;
    XTestFakeMotionEvent(d, -1, at.x(), at.y(), CurrentTime);
    for (int i = 0; i < times; ++i) {
        // The delay is the server's: it holds the request back that long before it acts on it.
        XTestFakeButtonEvent(d, Button1, True, i ? gap : CurrentTime);
        XTestFakeButtonEvent(d, Button1, False, CurrentTime);
    }
    XSync(d, False);  // returns once the server has acted on the last release
    std::vector<Time> stamps;
    while (XPending(d)) {
        XEvent e;
        XNextEvent(d, &e);
        XGenericEventCookie& cookie = e.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != x_->xi ||
            !XGetEventData(d, &cookie))
            continue;
        if (cookie.evtype == XI_RawButtonPress)
            stamps.push_back(static_cast<XIRawEvent*>(cookie.data)->time);
        XFreeEventData(d, &cookie);
    }
    std::vector<int> gaps;
    for (size_t i = 1; i < stamps.size(); ++i) gaps.push_back(int(stamps[i] - stamps[i - 1]));
    if (stamps.size() != size_t(times)) gaps.push_back(-1);
    return gaps;
}
