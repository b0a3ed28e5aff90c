"""x_screenshot.py OUT.png WINDOW_ID: saves what the X display shows over a window's area
(its open menus included), through libX11's XGetImage on the root window."""
import ctypes
import sys

from PIL import Image


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("rest", ctypes.c_byte * 256)]


def main(out, window):
    x = ctypes.cdll.LoadLibrary("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong,
                                       ctypes.POINTER(XWindowAttributes)]
    x.XGetImage.restype = ctypes.POINTER(XImage)
    x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                            ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    attributes = XWindowAttributes()
    x.XGetWindowAttributes(display, window, ctypes.byref(attributes))
    root = x.XDefaultRootWindow(display)
    w, h = attributes.width, attributes.height
    image = x.XGetImage(display, root, attributes.x, attributes.y, w, h, 0xFFFFFFFF, 2).contents
    pixels = ctypes.string_at(image.data, image.bytes_per_line * h)
    Image.frombuffer("RGBX", (w, h), pixels, "raw", "BGRX", image.bytes_per_line, 1) \
        .convert("RGB").save(out)


if __name__ == "__main__":
    main(sys.argv[1], int(sys.argv[2], 0))
