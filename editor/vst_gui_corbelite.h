// VstGuiCorbelite: lets a host-side wrapper draw and click the editor on
// the plug-in's behalf (the private dispatcher opcodes -1 and -2). Both go
// straight to the frame's drawing and mouse handling.
#pragma once

namespace VSTGUI {
class CFrame;
}

namespace solva {

class VstGuiCorbelite {
public:
    virtual ~VstGuiCorbelite() = default;
    // Redraws `rect` (top, left, bottom, right) of the frame now, or the
    // whole frame when rect is null. Nothing without a frame.
    void corbeliteDraw(VSTGUI::CFrame* frame, const short* rect);
    // A press and release of the left button at (x, y) in frame
    // coordinates; 1 when delivered, 0 without a frame.
    int corbeliteMouse(VSTGUI::CFrame* frame, int x, int y);
};

}  // namespace solva
