// Visuals and pixel layouts of the back end's windows.
#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

#include "gui/cpixelbuffer.h"

namespace VSTGUI {

// The visual a window uses: the parent's when it is 24- or 32-bit (null
// visual = copy the parent's), else a 24-bit TrueColor visual with its own
// colormap, which the window frees.
struct VisualChoice {
    Visual* visual = nullptr;
    int depth = CopyFromParent;
    Colormap colormap = 0;
};

VisualChoice chooseVisual(Display* display, Window parent);

// XCreateWindow with the chosen visual (adds colormap and border pixel).
Window createWindow(Display* display, Window parent, const CRect& r,
                    XSetWindowAttributes& attributes, unsigned long mask,
                    const VisualChoice& choice);

// True when the visual takes the buffer's 0x00RRGGBB words as they are.
bool isStandardVisual(const Visual& visual, int depth);

// The rectangle's pixels in the layout of the visual, as 32-bit words or,
// for 15/16-bit visuals, packed 16-bit values.
void convertForVisual(const CPixelBuffer& pixels, const CRect& r, const Visual& visual,
                      bool sixteenBit, std::vector<uint32_t>& out);

}  // namespace VSTGUI
