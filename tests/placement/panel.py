"""A desktop panel: a dock window along one edge of the screen that reserves its strip, as a
task bar does, so that the window manager shrinks the work area. Usage: panel.py EDGE=PIXELS...
with EDGE one of top, bottom, left, right. Stays until it is killed."""
import sys

from Xlib import X, Xatom, display

EDGES = ("left", "right", "top", "bottom")

d = display.Display()
screen = d.screen()
width, height = screen.width_in_pixels, screen.height_in_pixels
atom = d.intern_atom
for arg in sys.argv[1:]:
    edge, size = arg.split("=")
    size = int(size)
    x, y, w, h = {
        "left": (0, 0, size, height),
        "right": (width - size, 0, size, height),
        "top": (0, 0, width, size),
        "bottom": (0, height - size, width, size),
    }[edge]
    window = screen.root.create_window(x, y, w, h, 0, screen.root_depth,
                                       background_pixel=screen.black_pixel)
    window.change_property(atom("_NET_WM_WINDOW_TYPE"), Xatom.ATOM, 32,
                           [atom("_NET_WM_WINDOW_TYPE_DOCK")])
    strut = [0] * 12
    strut[EDGES.index(edge)] = size
    # The reserved strip runs the whole length of the edge.
    along = height if edge in ("left", "right") else width
    strut[4 + 2 * EDGES.index(edge) + 1] = along - 1
    window.change_property(atom("_NET_WM_STRUT_PARTIAL"), Xatom.CARDINAL, 32, strut)
    window.change_property(atom("_NET_WM_STRUT"), Xatom.CARDINAL, 32, strut[:4])
    window.map()
d.flush()
print("ready", flush=True)
while True:
    d.next_event()
