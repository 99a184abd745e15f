// "editor": opens a plug-in's editor in a real X11 window, drives it with
// real pointer and keyboard events (XTest), lets it idle and writes a PNG of
// the window. The plug-in is reached only through the VST ABI.
//
// Order of actions: --set assignments, then the clicks, drags and wheel
// turns each in the order given, then --print of the values the host reads.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli_args.h"
#include "command.h"
#include "host_error.h"
#include "plugin_instance.h"

#ifdef SOLVA_HOST_HAVE_EDITOR
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <thread>

#include "gui/png/png_io.h"
#endif

namespace solvahost {

namespace {

constexpr const char* kUsage =
    "editor PLUGIN --png OUT.png [--click X,Y] [--drag X,Y:DX,DY[:shift]] [--wheel X,Y:N]\n"
    "       [--set INDEX=VALUE ...] [--print INDEX ...]\n"
    "  Opens the plug-in's editor in an X11 window (needs DISPLAY), performs the\n"
    "  clicks, drags (with Shift held when ':shift' is given) and wheel turns (N\n"
    "  notches, positive away from the user) at window coordinates, lets the editor\n"
    "  idle and writes the window to OUT.png. --print writes INDEX=VALUE as the host\n"
    "  reads it afterwards.";

struct Drag {
    int x, y, dx, dy;
    bool shift;
};

struct Wheel {
    int x, y, notches;
};

void parsePair(const std::string& text, int& a, int& b, const std::string& what) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) throw UsageError(what + ": expected X,Y, got \"" + text + "\"");
    a = int(parseInteger(text.substr(0, comma), what, -10000, 10000));
    b = int(parseInteger(text.substr(comma + 1), what, -10000, 10000));
}

Drag parseDrag(const std::string& text) {
    Drag d{};
    const size_t colon = text.find(':');
    if (colon == std::string::npos) throw UsageError("--drag: expected X,Y:DX,DY[:shift]");
    parsePair(text.substr(0, colon), d.x, d.y, "--drag");
    std::string rest = text.substr(colon + 1);
    const size_t second = rest.find(':');
    if (second != std::string::npos) {
        if (rest.substr(second + 1) != "shift") throw UsageError("--drag: the only modifier is ':shift'");
        d.shift = true;
        rest = rest.substr(0, second);
    }
    parsePair(rest, d.dx, d.dy, "--drag");
    return d;
}

Wheel parseWheel(const std::string& text) {
    Wheel w{};
    const size_t colon = text.find(':');
    if (colon == std::string::npos) throw UsageError("--wheel: expected X,Y:N");
    parsePair(text.substr(0, colon), w.x, w.y, "--wheel");
    w.notches = int(parseInteger(text.substr(colon + 1), "--wheel", -100, 100));
    return w;
}

#ifdef SOLVA_HOST_HAVE_EDITOR

// The host's side of the window: a top-level parent window on its own
// display connection, with the editor opened inside it.
class EditorWindow {
public:
    EditorWindow(PluginInstance& plugin, int width, int height) : plugin_(plugin) {
        display_ = XOpenDisplay(nullptr);
        if (!display_) throw HostError("cannot open the X display \"" + std::string(std::getenv("DISPLAY")) + "\"");
        int eventBase = 0, errorBase = 0, major = 0, minor = 0;
        if (!XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor)) {
            XCloseDisplay(display_);
            throw HostError("the X server has no XTest extension");
        }
        const int screen = DefaultScreen(display_);
        window_ = XCreateSimpleWindow(display_, RootWindow(display_, screen), 0, 0, unsigned(width),
                                      unsigned(height), 0, BlackPixel(display_, screen), BlackPixel(display_, screen));
        XStoreName(display_, window_, "solva-host editor");
        XSelectInput(display_, window_, StructureNotifyMask | ExposureMask);
        XMapRaised(display_, window_);
        waitForMap();
        width_ = width;
        height_ = height;
    }
    ~EditorWindow() {
        if (opened_) plugin_.dispatch(vst::effEditClose);
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }

    // Some plug-ins know their size only once open: the window follows the
    // rectangle they report then.
    void openEditor() {
        plugin_.dispatch(vst::effEditOpen, 0, 0, reinterpret_cast<void*>(window_));
        opened_ = true;
        vst::ERect* rect = nullptr;
        plugin_.dispatch(vst::effEditGetRect, 0, 0, &rect);
        if (rect && rect->right > rect->left && rect->bottom > rect->top &&
            (rect->right - rect->left != width_ || rect->bottom - rect->top != height_)) {
            width_ = rect->right - rect->left;
            height_ = rect->bottom - rect->top;
            XResizeWindow(display_, window_, unsigned(width_), unsigned(height_));
        }
        idleFor(300);
    }

    // Lets the editor process events and redraw, as a host's idle timer does.
    void idleFor(int milliseconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        do {
            XSync(display_, False);
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
            }
            plugin_.dispatch(vst::effEditIdle);
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        } while (std::chrono::steady_clock::now() < end);
    }

    void moveTo(int x, int y) {
        int rootX = 0, rootY = 0;
        Window child = 0;
        XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), x, y, &rootX, &rootY, &child);
        XTestFakeMotionEvent(display_, DefaultScreen(display_), rootX, rootY, CurrentTime);
        idleFor(30);
    }
    void button(unsigned int number, bool down) {
        XTestFakeButtonEvent(display_, number, down ? True : False, CurrentTime);
        idleFor(30);
    }
    void shift(bool down) {
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_Shift_L), down ? True : False, CurrentTime);
        idleFor(30);
    }

    void click(int x, int y) {
        moveTo(x, y);
        button(1, true);
        button(1, false);
    }
    void drag(const Drag& d) {
        moveTo(d.x, d.y);
        if (d.shift) shift(true);
        button(1, true);
        constexpr int kSteps = 10;
        for (int i = 1; i <= kSteps; ++i) moveTo(d.x + d.dx * i / kSteps, d.y + d.dy * i / kSteps);
        button(1, false);
        if (d.shift) shift(false);
    }
    void wheel(const Wheel& w) {
        moveTo(w.x, w.y);
        const unsigned int number = w.notches > 0 ? 4 : 5;
        for (int i = 0; i < std::abs(w.notches); ++i) {
            button(number, true);
            button(number, false);
        }
    }

    VSTGUI::CPixelBuffer capture() {
        XSync(display_, False);
        XImage* image = XGetImage(display_, window_, 0, 0, unsigned(width_), unsigned(height_), AllPlanes, ZPixmap);
        if (!image) throw HostError("cannot read the window's pixels");
        VSTGUI::CPixelBuffer pixels(width_, height_);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                const uint32_t rgb = uint32_t(((p & image->red_mask) >> 16) << 16 | ((p & image->green_mask) >> 8) << 8 |
                                              (p & image->blue_mask));
                pixels.setPixel(x, y, 0xFF000000u | rgb);
            }
        XDestroyImage(image);
        return pixels;
    }

private:
    void waitForMap() {
        for (;;) {
            XEvent event;
            XNextEvent(display_, &event);
            if (event.type == MapNotify && event.xmap.window == window_) return;
        }
    }

    PluginInstance& plugin_;
    Display* display_ = nullptr;
    Window window_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool opened_ = false;
};

#endif  // SOLVA_HOST_HAVE_EDITOR

int runEditor(const ArgList& arguments) {
    const ParsedArgs args = parseArgs(arguments, {{"png", true},
                                                  {"click", true},
                                                  {"drag", true},
                                                  {"wheel", true},
                                                  {"set", true},
                                                  {"print", true}});
    if (args.has("help")) {
        std::printf("%s\n", kUsage);
        return kExitOk;
    }
    requirePositional(args, 1, "editor PLUGIN --png OUT.png");
    if (!args.has("png")) throw UsageError("editor: --png OUT.png is required");
    const std::string pngPath = args.value("png");
    std::vector<std::pair<int, int>> clicks;
    for (const std::string& c : args.values("click")) {
        int x = 0, y = 0;
        parsePair(c, x, y, "--click");
        clicks.emplace_back(x, y);
    }
    std::vector<Drag> drags;
    for (const std::string& d : args.values("drag")) drags.push_back(parseDrag(d));
    std::vector<Wheel> wheels;
    for (const std::string& w : args.values("wheel")) wheels.push_back(parseWheel(w));
    const std::vector<ParamAssignment> sets = parseAssignments(args.values("set"));
    std::vector<int> prints;
    for (const std::string& p : args.values("print")) prints.push_back(int(parseInteger(p, "--print", 0, 100000)));

#ifndef SOLVA_HOST_HAVE_EDITOR
    throw HostError("this build of solva-host has no X11 editor support");
#else
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display) throw HostError("no X display: DISPLAY is not set");

    PluginInstance plugin(args.positional[0], 44100.0f, 512);
    if (!(plugin.effect().flags & vst::effFlagsHasEditor)) throw HostError("the plug-in has no editor");
    // Before opening, a plug-in may not know its size yet.
    constexpr int kFallbackWidth = 800;
    constexpr int kFallbackHeight = 600;
    vst::ERect* rect = nullptr;
    plugin.dispatch(vst::effEditGetRect, 0, 0, &rect);
    const bool sized = rect && rect->right > rect->left && rect->bottom > rect->top;
    const int width = sized ? rect->right - rect->left : kFallbackWidth;
    const int height = sized ? rect->bottom - rect->top : kFallbackHeight;
    plugin.applyParameters(sets);
    plugin.resume();

    VSTGUI::CPixelBuffer pixels;
    {
        EditorWindow window(plugin, width, height);
        window.openEditor();
        for (const auto& c : clicks) window.click(c.first, c.second);
        for (const Drag& d : drags) window.drag(d);
        for (const Wheel& w : wheels) window.wheel(w);
        window.idleFor(400);  // past the editor's 150 ms service interval
        pixels = window.capture();
    }
    for (int index : prints) std::printf("%d=%.6f\n", index, double(plugin.getParameter(index)));
    if (!VSTGUI::writePng(pixels, pngPath)) throw HostError("cannot write " + pngPath);
    return kExitOk;
#endif
}

}  // namespace

SOLVA_HOST_COMMAND(editor, "open the plug-in editor in an X11 window, drive it and write a PNG", kUsage, runEditor);

}  // namespace solvahost
