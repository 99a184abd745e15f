#include "gui/x11/x11_visual.h"

#include <X11/Xutil.h>

namespace VSTGUI {

VisualChoice chooseVisual(Display* display, Window parent) {
    VisualChoice choice;
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, parent, &attributes) || attributes.depth == 24 ||
        attributes.depth == 32)
        return choice;
    XVisualInfo info;
    if (!XMatchVisualInfo(display, DefaultScreen(display), 24, TrueColor, &info)) return choice;
    choice.visual = info.visual;
    choice.depth = info.depth;
    choice.colormap = XCreateColormap(display, parent, info.visual, AllocNone);
    return choice;
}

Window createWindow(Display* display, Window parent, const CRect& r, XSetWindowAttributes& attributes,
                    unsigned long mask, const VisualChoice& choice) {
    if (choice.visual) {
        attributes.colormap = choice.colormap;
        attributes.border_pixel = 0;
        mask |= CWColormap | CWBorderPixel;
    }
    return XCreateWindow(display, parent, r.left, r.top, r.width(), r.height(), 0, choice.depth,
                         InputOutput, choice.visual ? choice.visual : CopyFromParent, mask,
                         &attributes);
}

namespace {

struct ChannelLayout {
    int shift = 0;
    int bits = 0;
};

ChannelLayout layoutOf(unsigned long mask) {
    ChannelLayout c;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++c.shift;
    }
    while (mask & 1) {
        mask >>= 1;
        ++c.bits;
    }
    return c;
}

// An 8-bit channel value scaled to `c.bits` bits and moved into place.
inline uint32_t place(uint32_t value8, const ChannelLayout& c) {
    const uint32_t scaled = c.bits >= 8 ? (value8 << (c.bits - 8)) | (value8 >> (16 - c.bits))
                                        : value8 >> (8 - c.bits);
    return scaled << c.shift;
}

}  // namespace

bool isStandardVisual(const Visual& visual, int depth) {
    return depth >= 24 && depth <= 32 && visual.red_mask == 0xFF0000 &&
           visual.green_mask == 0xFF00 && visual.blue_mask == 0xFF;
}

void convertForVisual(const CPixelBuffer& pixels, const CRect& r, const Visual& v, bool sixteenBit,
                      std::vector<uint32_t>& out) {
    const ChannelLayout red = layoutOf(v.red_mask), green = layoutOf(v.green_mask),
                        blue = layoutOf(v.blue_mask);
    const size_t count = static_cast<size_t>(r.width()) * r.height();
    out.assign(sixteenBit ? (count + 1) / 2 : count, 0);
    uint16_t* out16 = reinterpret_cast<uint16_t*>(out.data());
    size_t i = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x, ++i) {
            const uint32_t p = pixels.row(y)[x];
            const uint32_t value =
                place((p >> 16) & 0xff, red) | place((p >> 8) & 0xff, green) | place(p & 0xff, blue);
            if (sixteenBit)
                out16[i] = static_cast<uint16_t>(value);
            else
                out[i] = value;
        }
}

}  // namespace VSTGUI
