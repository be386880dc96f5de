"""Start to first painted window: starts the real program under the current X display and
waits until its window is mapped and its menu bar is drawn (a pixel of the bar differs from
what was there before). Prints each run and the median.
Usage: startup.py PROGRAM [RUNS]   (run under Xvfb: bench/startup.sh)"""

import ctypes
import os
import statistics
import subprocess
import sys
import tempfile
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                          ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XDestroyImage = None  # a macro in Xlib; the images are tiny and few
x11.XFree.argtypes = [ctypes.c_void_p]
ZPixmap, AllPlanes = 2, 0xFFFFFFFF


def pixels(display, root, points):
    out = []
    for x, y in points:
        image = x11.XGetImage(display, root, x, y, 1, 1, AllPlanes, ZPixmap)
        out.append(x11.XGetPixel(image, 0, 0) if image else None)
    return tuple(out)


def main():
    program = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    root = x11.XDefaultRootWindow(display)
    # Points in the menu bar, the toolbar and the search bar of a window placed at 0,0.
    points = [(12, 8), (40, 34), (300, 80), (600, 120)]
    times = []
    for i in range(runs):
        before = pixels(display, root, points)
        with tempfile.TemporaryDirectory() as home:
            env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config",
                       XDG_DATA_HOME=home + "/data", DBUS_SESSION_BUS_ADDRESS="disabled:")
            start = time.monotonic()
            proc = subprocess.Popen([program], env=env, stderr=subprocess.DEVNULL)
            while True:
                now = pixels(display, root, points)
                if all(a != b for a, b in zip(now, before)):
                    break
                if time.monotonic() - start > 20:
                    sys.exit("the window did not appear")
                time.sleep(0.002)
            elapsed = (time.monotonic() - start) * 1000
            proc.terminate()
            proc.wait()
        # Let the window go away before the next run.
        time.sleep(0.3)
        times.append(elapsed)
        print("run %d: %.0f ms" % (i + 1, elapsed))
    print("median start to first painted window: %.0f ms (min %.0f, max %.0f)"
          % (statistics.median(times), min(times), max(times)))


main()
