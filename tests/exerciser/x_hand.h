#pragma once
// The student's hand on an X server, through its XTest extension: the pointer moved and a button
// pressed. The gaps of a double- or triple-click are the server's own delays, not a client's
// sleeps, which a busy machine stretches; and the times the server stamped on the presses, the
// times a program judges bursts by, are read back (XInput 2). Kept apart from Qt's headers, which
// Xlib's macros break.

#include <QPoint>
#include <memory>
#include <vector>

class XHand {
public:
    XHand();  // on the display DISPLAY names
    ~XHand();
    XHand(const XHand&) = delete;
    XHand& operator=(const XHand&) = delete;

    // Whether the server could be reached and offers both extensions.
    bool ready() const { return ready_; }

    // Clicks the left button `times` times at `at`, each press `gap` ms after the one before;
    // returns the gaps between the presses as the server stamped them, and -1 where it saw fewer
    // presses than were sent.
    std::vector<int> click(QPoint at, int times, int gap);

private:
    struct Connection;
    std::unique_ptr<Connection> x_;
    bool ready_ = false;
};
