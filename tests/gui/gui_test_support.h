// Shared helpers of the toolkit tests: in-memory BMP images, a recording
// listener and editor, and a view that counts its draws and destruction.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "gui/vstgui.h"

namespace guitest {

using namespace VSTGUI;

// A 24-bit BMP (with file header unless `withFileHeader` is false) whose
// pixel (x, y) is colorAt(x, y); rows stored bottom-up unless `topDown`.
template <typename Fn>
std::vector<unsigned char> makeBmp(int width, int height, Fn colorAt, bool topDown = false,
                                   bool withFileHeader = true) {
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(stride * height);
    const uint32_t header = withFileHeader ? 14 : 0;
    std::vector<unsigned char> out(header + 40 + pixelBytes, 0);
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) out[at + i] = static_cast<unsigned char>(v >> (8 * i));
    };
    if (withFileHeader) {
        out[0] = 'B';
        out[1] = 'M';
        put32(2, static_cast<uint32_t>(out.size()));
        put32(10, header + 40);
    }
    put32(header + 0, 40);
    put32(header + 4, static_cast<uint32_t>(width));
    put32(header + 8, static_cast<uint32_t>(topDown ? -height : height));
    out[header + 12] = 1;
    out[header + 14] = 24;
    for (int y = 0; y < height; ++y) {
        const int row = topDown ? y : height - 1 - y;
        for (int x = 0; x < width; ++x) {
            const CColor c = colorAt(x, y);
            const size_t at = header + 40 + static_cast<size_t>(row) * stride + x * 3;
            out[at] = c.blue;
            out[at + 1] = c.green;
            out[at + 2] = c.red;
        }
    }
    return out;
}

// A bitmap decoded from makeBmp; the caller owns one reference.
template <typename Fn>
CBitmap* makeBitmap(int width, int height, Fn colorAt) {
    const std::vector<unsigned char> bytes = makeBmp(width, height, colorAt);
    return new CBitmap(bytes.data(), bytes.size());
}

// A vertical strip of `frames` frames, frame i filled with colours[i].
inline CBitmap* makeStrip(int width, int frameHeight, const std::vector<CColor>& colours) {
    return makeBitmap(width, frameHeight * static_cast<int>(colours.size()),
                      [&](int, int y) { return colours[static_cast<size_t>(y / frameHeight)]; });
}

struct RecordingListener : CControlListener {
    struct Call {
        long tag;
        float value;
    };
    std::vector<Call> calls;
    std::vector<std::string> texts;  // text of CTextEdit senders

    void valueChanged(CDrawContext*, CControl* control) override {
        calls.push_back({control->getTag(), control->getValue()});
        if (auto* edit = dynamic_cast<CTextEdit*>(control)) texts.push_back(edit->getText());
    }
};

struct RecordingEditor : VSTGUIEditorInterface {
    std::vector<std::pair<char, long>> events;  // ('b' | 'e', tag)
    void beginEdit(long index) override { events.push_back({'b', index}); }
    void endEdit(long index) override { events.push_back({'e', index}); }
};

// A solid view that counts draws and reports its destruction.
class ProbeView : public CView {
public:
    ProbeView(const CRect& size, CColor colour, int* destroyed = nullptr)
        : CView(size), colour_(colour), destroyed_(destroyed) {}
    ~ProbeView() override {
        if (destroyed_) ++*destroyed_;
    }
    void draw(CDrawContext* context) override {
        ++drawCount;
        context->setFillColor(colour_);
        context->fillRect(size_);
        setDirty(false);
    }
    CMouseEventResult onMouseDown(CPoint& where, const long& buttons) override {
        ++presses;
        lastPoint = where;
        lastButtons = buttons;
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseMoved(CPoint& where, const long& buttons) override {
        ++moves;
        lastPoint = where;
        lastButtons = buttons;
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint& where, const long& buttons) override {
        ++releases;
        lastPoint = where;
        lastButtons = buttons;
        return kMouseEventHandled;
    }
    void setColour(CColor c) {
        colour_ = c;
        setDirty(true);
    }

    int drawCount = 0;
    int presses = 0, moves = 0, releases = 0;
    CPoint lastPoint;
    long lastButtons = 0;

private:
    CColor colour_;
    int* destroyed_;
};

inline CColor pixel(CFrame& frame, int x, int y) { return frame.getBackBuffer().getColor(x, y); }

}  // namespace guitest
