#include "skin_table.h"

#include "painters.h"
#include "palette.h"

namespace skingen {
namespace {

using K = BitmapKind;
using namespace palette;

// Knob widths centre each knob on its band column (the on switch above it):
// width = 2 * (column centre - knob x), kept within the allowed range.
constexpr const char* kKnobNote =
    "width centres the knob on its band column (2 x (column centre - knob x)), clamped to the range";
constexpr const char* kGiven = "layout";
constexpr const char* kTopBarNote =
    "21-px frames fit the 3..24 top-bar row; width fills the gap to the next top-bar control";
constexpr const char* kMenuNote =
    "fills the gap before the name field (bank, preset) or the help switch (options); 21 px high";
constexpr const char* kSideNote =
    "from the L/R-M/S panel positions: columns centred on the 92-px panel, rows end before the next control";
constexpr const char* kDialogKickNote =
    "73 px wide: the two choice buttons of each dialog are symmetric about its centre; 24-px frames fit "
    "below the lowest button";
constexpr const char* kCloseNote = "24 x 24 frames fit inside the 320-px panels at (283, 8) and (287, 4)";

std::vector<BitmapEntry> buildTable() {
    std::vector<BitmapEntry> t;
    auto knob = [&](int id, int width, bool q, const char* use) {
        t.push_back({id, width, q ? 1428 : 2080, q ? 51 : 65, K::Knob, use, kKnobNote, paintKnob,
                     kPanel});
    };
    knob(1, 36, false, "HP frequency knob");
    knob(2, 36, false, "band 1 frequency knob");
    knob(3, 34, false, "band 2 frequency knob");
    knob(4, 32, false, "band 3 frequency knob");
    knob(5, 32, false, "band 4 frequency knob");
    knob(6, 34, false, "band 5 frequency knob");
    knob(7, 32, false, "LP frequency knob");
    knob(8, 31, true, "HP Q knob");
    knob(9, 31, true, "band 1 Q knob");
    knob(10, 30, true, "band 2 Q knob");
    knob(11, 30, true, "band 3 Q knob");
    knob(12, 28, true, "band 4 Q knob");
    knob(13, 30, true, "band 5 Q knob");
    knob(14, 30, true, "LP Q knob");
    knob(15, 36, false, "band 1 gain knob");
    knob(16, 34, false, "band 2 gain knob");
    knob(17, 34, false, "band 3 gain knob");
    knob(18, 32, false, "band 4 gain knob");
    knob(19, 33, false, "band 5 gain knob");  // 34 would touch the shelf switch at x 450
    knob(20, 32, false, "Air gain knob");
    knob(21, 32, false, "output gain knob");
    t.push_back({22, 25, 46, 2, K::Led, "clip LED (off, lit)", kGiven, paintLed, kPanel});

    auto add = [&](int id, int w, int h, int frames, K kind, const char* use, const char* note,
                   Painter p, Rgba matte) { t.push_back({id, w, h, frames, kind, use, note, p, matte}); };
    add(1005, 52, 11, 1, K::TextBack, "band-name cell", kGiven, paintTextBack, kPanel);
    add(1007, 30, 63, 3, K::Switch, "help switch '?'", kTopBarNote, paintTopBarButton, kTopBar);
    add(1008, 31, 11, 1, K::TextBack, "value cell", kGiven, paintTextBack, kPanel);
    add(1009, 46, 21, 1, K::MenuButton, "bank menu button, pressed", kMenuNote, paintMenuButton, kTopBar);
    add(1010, 46, 21, 1, K::MenuButton, "bank menu button", kMenuNote, paintMenuButton, kTopBar);
    add(1011, 46, 21, 1, K::MenuButton, "preset menu button, pressed", kMenuNote, paintMenuButton, kTopBar);
    add(1012, 46, 21, 1, K::MenuButton, "preset menu button", kMenuNote, paintMenuButton, kTopBar);
    add(1013, 40, 63, 3, K::Switch, "A switch", kTopBarNote, paintTopBarButton, kTopBar);
    add(1014, 60, 63, 3, K::Kick, "copy A to B", kTopBarNote, paintTopBarButton, kTopBar);
    add(1015, 60, 63, 3, K::Kick, "copy B to A", kTopBarNote, paintTopBarButton, kTopBar);
    add(1016, 58, 63, 3, K::Kick, "save preset", kTopBarNote, paintTopBarButton, kTopBar);
    add(1017, 58, 63, 3, K::Kick, "save as new (factory preset)", kTopBarNote, paintTopBarButton, kTopBar);
    add(1018, 90, 21, 1, K::MenuButton, "options menu button", kMenuNote, paintMenuButton, kTopBar);
    add(1019, 90, 21, 1, K::MenuButton, "options menu button, pressed", kMenuNote, paintMenuButton, kTopBar);
    add(1020, 240, 30, 1, K::TextBack, "about version text", kGiven, paintTextBack, kOverlay);
    add(1021, 90, 21, 1, K::MenuButton, "options menu button, disabled", kMenuNote, paintMenuButton, kTopBar);
    add(1022, 46, 21, 1, K::MenuButton, "preset menu button, disabled", kMenuNote, paintMenuButton, kTopBar);
    add(1023, 40, 63, 3, K::Switch, "B switch", kTopBarNote, paintTopBarButton, kTopBar);
    add(1024, 46, 21, 1, K::MenuButton, "bank menu button, disabled", kMenuNote, paintMenuButton, kTopBar);
    add(1025, 94, 15, 1, K::TextBack, "bank / preset name field", kGiven, paintTextBack, kTopBar);
    add(1026, 156, 14, 1, K::TextBack, "information panel field", kGiven, paintTextBack, kOverlay);
    add(1028, 30, 66, 3, K::Switch, "side switch L (left shown)", kSideNote, paintSidePanelControl, kOverlay);
    add(1029, 30, 66, 3, K::Switch, "side switch R (left shown)", kSideNote, paintSidePanelControl, kOverlay);
    add(1030, 71, 66, 3, K::Kick, "copy L to R", kSideNote, paintSidePanelControl, kOverlay);
    add(1031, 71, 66, 3, K::Kick, "copy R to L", kSideNote, paintSidePanelControl, kOverlay);
    add(1032, 39, 66, 3, K::Switch, "link switch (left shown)", kSideNote, paintSidePanelControl, kOverlay);
    add(1033, 39, 66, 3, K::Switch, "gain mirror (auto-gain) switch", kSideNote, paintSidePanelControl, kOverlay);
    add(1034, 71, 44, 2, K::SlideSwitch, "absolute / relative link slide", kSideNote, paintSidePanelControl, kOverlay);
    add(1035, 71, 44, 2, K::SlideSwitch, "absolute / relative link slide, alternative", kSideNote,
        paintSidePanelControl, kOverlay);
    add(1036, 71, 44, 2, K::SlideSwitch, "step / hold link slide", kSideNote, paintSidePanelControl, kOverlay);
    add(1037, 71, 44, 2, K::SlideSwitch, "step / hold link slide, alternative", kSideNote,
        paintSidePanelControl, kOverlay);
    add(1038, 39, 72, 3, K::SlideSwitch, "volume compensation slide, alternative", kSideNote,
        paintSidePanelControl, kOverlay);
    add(1039, 39, 72, 3, K::SlideSwitch, "volume compensation slide", kSideNote, paintSidePanelControl, kOverlay);
    add(1040, 30, 66, 3, K::Switch, "side switch L (right shown)", kSideNote, paintSidePanelControl, kOverlay);
    add(1041, 30, 66, 3, K::Switch, "side switch R (right shown)", kSideNote, paintSidePanelControl, kOverlay);
    add(1042, 39, 66, 3, K::Switch, "link switch (right shown)", kSideNote, paintSidePanelControl, kOverlay);
    add(1043, 30, 66, 3, K::Switch, "side switch M (mid shown)", kSideNote, paintSidePanelControl, kOverlay);
    add(1044, 30, 66, 3, K::Switch, "side switch S (mid shown)", kSideNote, paintSidePanelControl, kOverlay);
    add(1045, 71, 66, 3, K::Kick, "copy M to S", kSideNote, paintSidePanelControl, kOverlay);
    add(1046, 71, 66, 3, K::Kick, "copy S to M", kSideNote, paintSidePanelControl, kOverlay);
    add(1047, 39, 66, 3, K::Switch, "link switch (mid shown)", kSideNote, paintSidePanelControl, kOverlay);
    add(1048, 39, 66, 3, K::Switch, "gain mirror switch, alternative", kSideNote, paintSidePanelControl, kOverlay);
    add(1049, 30, 66, 3, K::Switch, "side switch M (side shown)", kSideNote, paintSidePanelControl, kOverlay);
    add(1050, 30, 66, 3, K::Switch, "side switch S (side shown)", kSideNote, paintSidePanelControl, kOverlay);
    add(1051, 39, 66, 3, K::Switch, "link switch (side shown)", kSideNote, paintSidePanelControl, kOverlay);

    add(2000, 320, 240, 1, K::Panel, "preset information panel", kGiven, paintInfoPanel, kOverlay);
    add(2001, 274, 136, 1, K::Panel, "create-new dialog", kGiven, paintDialog, kOverlay);
    add(2002, 320, 140, 1, K::Panel, "bank dialog", kGiven, paintDialog, kOverlay);
    add(2003, 274, 136, 1, K::Panel, "bank-name-exists dialog", kGiven, paintDialog, kOverlay);
    add(2004, 274, 136, 1, K::Panel, "preset dialog", kGiven, paintDialog, kOverlay);
    add(2005, 267, 91, 1, K::Panel, "delete confirmation", kGiven, paintDialog, kOverlay);
    add(2006, 320, 240, 1, K::Panel, "about panel", kGiven, paintAboutPanel, kOverlay);
    add(2007, 24, 72, 3, K::Kick, "close cross", kCloseNote, paintDialogButton, kOverlay);
    add(2008, 590, 240, 1, K::Panel, "keyboard-shortcut help panel", kGiven, paintHelpPanel, kOverlay);
    add(2009, 92, 235, 1, K::Panel, "L/R-M/S panel", kGiven, paintSidePanel, kOverlay);
    add(2010, 73, 72, 3, K::Kick, "dialog cancel button", kDialogKickNote, paintDialogButton, kOverlay);
    add(2011, 73, 72, 3, K::Kick, "dialog confirm button (frame only: the dialog shows its caption)",
        kDialogKickNote, paintDialogButton, kOverlay);
    add(2012, 320, 140, 1, K::Panel, "discard L/R dialog", kGiven, paintDialog, kOverlay);
    add(2013, 320, 140, 1, K::Panel, "discard M/S dialog", kGiven, paintDialog, kOverlay);

    const char* onNote = "layout";
    const char* names[8] = {"HP on switch", "band 1 on switch", "band 2 on switch", "band 3 on switch",
                            "band 4 on switch", "band 5 on switch", "LP on switch", "Air on switch"};
    for (int i = 0; i < 8; ++i) {
        add(3000 + i, 44, 75, 3, K::Switch, names[i], onNote, paintBandSwitch, kPanel);
    }
    add(3008, 25, 72, 3, K::Switch, "HP slope switch (6 / 12 dB)", kGiven, paintBandSwitch, kPanel);
    add(3009, 25, 72, 3, K::Switch, "LP slope switch (6 / 12 dB)", kGiven, paintBandSwitch, kPanel);
    add(3010, 25, 72, 3, K::Switch, "band 1 bell / low shelf switch", kGiven, paintBandSwitch, kPanel);
    add(3011, 25, 72, 3, K::Switch, "band 5 bell / high shelf switch", kGiven, paintBandSwitch, kPanel);
    add(3012, 43, 120, 3, K::Switch, "general on switch", kGiven, paintBandSwitch, kPanel);

    add(4000, 412, 13, 1, K::Strip, "gain value strip (dB)", kGiven, paintStrip, kPanel);
    add(4001, 469, 13, 1, K::Strip, "frequency value strip (Hz)", kGiven, paintStrip, kPanel);
    add(4002, 469, 13, 1, K::Strip, "frequency value strip (notes)", kGiven, paintStrip, kPanel);
    add(4003, 475, 13, 1, K::Strip, "band-name strip", kGiven, paintStrip, kPanel);
    add(4004, 385, 13, 1, K::Strip, "Q value strip (Q)", kGiven, paintStrip, kPanel);
    add(4005, 385, 13, 1, K::Strip, "Q value strip (octaves)", kGiven, paintStrip, kPanel);
    add(4006, 39, 42, 1, K::Strip, "clip indicator panel", kGiven, paintStrip, kPanel);
    add(10000, 640, 267, 1, K::Background, "main window background", kGiven, paintBackground, kBase);
    return t;
}

}  // namespace

const std::vector<BitmapEntry>& skinTable() {
    static const std::vector<BitmapEntry> table = buildTable();
    return table;
}

const BitmapEntry* findEntry(int id) {
    for (const BitmapEntry& e : skinTable()) {
        if (e.id == id) return &e;
    }
    return nullptr;
}

}  // namespace skingen
