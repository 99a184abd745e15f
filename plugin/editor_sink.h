// What the effect object asks of its editor. The effect talks to the editor
// only through this interface (and the host-facing AEffEditor); the editor
// reaches the effect only through the effect's function table.
//
// Calls come from the thread that changes settings: the host's UI thread,
// or for setParameter and selectImage also its audio thread when it plays
// automation (the editor applies those at its next idle). Updates that
// arrive while the window is closed are dropped.
#pragma once

namespace solva {

class EditorSink {
public:
    virtual ~EditorSink() = default;

    // A parameter or GUI value changed: the control tagged `index` follows.
    virtual void setParameter(int index, float value) = 0;
    // Chooses image `variant` of the control tagged `index`.
    virtual void selectImage(int index, int variant) = 0;
    // Shows or hides a component (111..115 are the editor's overlays).
    virtual void showComponent(int index, bool shown) = 0;
    // Raises the editor's two redraw requests (browser and name displays).
    virtual void requestRedraw() = 0;
    // Redraws the whole frame now (periodic tick).
    virtual void redrawFrame() = 0;
    // Rebuilds the L/R and M/S menus after a change of output count.
    virtual void rebuildSideMenus() = 0;
    // Shows channel mode 0, 1 (L/R) or 2 (M/S) in the L/R-M/S panel.
    virtual void setChannelModeDisplay(int mode) = 0;
    // Private opcode -1: redraws a rectangle (top, left, bottom, right) of
    // the frame, or all of it when rect is null. Only with an open frame.
    virtual void redrawRect(const short* rect) = 0;
    // Private opcode -2: a mouse click at frame coordinates; returns 1.
    virtual int clickAt(int x, int y) = 0;
};

}  // namespace solva
