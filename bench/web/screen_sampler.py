#!/usr/bin/env python3
"""Watches the middle of an X screen from outside the browser, with XGetImage.

    screen_sampler.py X Y W H PX PY PW

samples the rectangle X,Y,W,H of the root window about once a millisecond and
prints a line "MS KIND" (CLOCK_MONOTONIC milliseconds) whenever what it shows
changes, KIND being "empty" (one colour), "picture" (the strip PX,PY,PW,1
inside it is not the background: only the picture reaches there) or
"syllable" (anything else), and a line "MS steal HOST_MS" whenever the host
took the machine's processors from it (steal in /proc/stat, read every 10 ms)
since the last such reading. The first line is "ready MS_PER_SAMPLE". It stops
when its standard input closes. Only libX11 (through ctypes), which every
browser on X links anyway.
"""

import ctypes
import ctypes.util
import os
import select
import sys
import time

ALL_PLANES = ctypes.c_ulong(0xFFFFFFFF)
Z_PIXMAP = 2


class XImage(ctypes.Structure):
    _fields_ = [
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int),
        ("data", ctypes.c_void_p),
        ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
    ]


def main():
    x, y, w, h, px, py, pw = (int(a) for a in sys.argv[1:8])
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XGetImage.restype = ctypes.POINTER(XImage)
    xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                               ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    xlib.XGetSubImage.restype = ctypes.POINTER(XImage)
    xlib.XGetSubImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int,
                                  ctypes.POINTER(XImage), ctypes.c_int, ctypes.c_int]

    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("screen_sampler: no X display")
    root = xlib.XDefaultRootWindow(display)
    # One image, filled again on every sample (XGetSubImage): nothing allocated in the loop.
    image = xlib.XGetImage(display, root, x, y, w, h, ALL_PLANES, Z_PIXMAP)
    if not image:
        sys.exit("screen_sampler: XGetImage failed")
    img = image.contents
    stride, pixel = img.bytes_per_line, img.bits_per_pixel // 8
    size = stride * h
    strip_at = (py - y) * stride + (px - x) * pixel

    def kind(data):
        background = data[:pixel]
        row = background * w
        if all(data[r * stride:r * stride + w * pixel] == row for r in range(h)):
            return "empty"
        if data[strip_at:strip_at + pw * pixel] != background * pw:
            return "picture"
        return "syllable"

    def sample():
        xlib.XGetSubImage(display, root, x, y, w, h, ALL_PLANES, Z_PIXMAP, image, 0, 0)
        return ctypes.string_at(img.data, size)

    # What one sample costs, for the report.
    t = time.monotonic_ns()
    for _ in range(50):
        sample()
    print(f"ready {(time.monotonic_ns() - t) / 50e6:.3f}", flush=True)

    tick_ms = 1000 / os.sysconf("SC_CLK_TCK")

    def steal_ticks():
        with open("/proc/stat", "rb") as stat:
            fields = stat.readline().split()
        return int(fields[8]) if len(fields) > 8 else 0

    stolen, stolen_read = steal_ticks(), 0
    last_data, last_kind = None, None
    period_ns = 1_000_000
    next_at = time.monotonic_ns()
    stdin = sys.stdin.fileno()
    checked = 0
    while True:
        asked = time.monotonic_ns()
        data = sample()
        now = time.monotonic_ns()
        if data != last_data:
            last_data = data
            k = kind(data)
            if k != last_kind:
                last_kind = k
                # The server read the screen somewhere between the request and its answer.
                print(f"{(asked + now) / 2e6:.3f} {k}", flush=True)
        if now - stolen_read > 10_000_000:
            stolen_read = now
            ticks = steal_ticks()
            if ticks > stolen:
                print(f"{now / 1e6:.3f} steal {(ticks - stolen) * tick_ms:.0f}", flush=True)
                stolen = ticks
        if now - checked > 50_000_000:  # stdin closed: the bench is done
            checked = now
            if select.select([stdin], [], [], 0)[0] and not os.read(stdin, 4096):
                return
        next_at += period_ns
        if next_at > now:
            time.sleep((next_at - now) / 1e9)
        else:
            next_at = now


if __name__ == "__main__":
    main()
