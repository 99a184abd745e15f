// The skin's colour palette: dark graphite panels, off-white legends and
// one accent colour per band family.
#pragma once

#include "image.h"

namespace skingen {
namespace palette {

inline const Rgba kBase = hex(0x202326);         // window base outside the sections
inline const Rgba kPanel = hex(0x2c3035);        // section panels; matte of controls on them
inline const Rgba kPanelEdge = hex(0x3b4047);    // section border and bevel highlight
inline const Rgba kPanelShade = hex(0x181a1d);   // bevel shadow
inline const Rgba kTopBar = hex(0x17191c);       // top bar behind menus and name fields
inline const Rgba kOverlay = hex(0x25282d);      // dialogs and panels
inline const Rgba kOverlayHead = hex(0x1b1d21);  // dialog title bars
inline const Rgba kWell = hex(0x111315);         // text field wells
inline const Rgba kWellEdge = hex(0x3e434a);
inline const Rgba kLegend = hex(0xe6e3da);       // off-white legends
inline const Rgba kLegendDim = hex(0x9a9c9c);
inline const Rgba kLegendFaint = hex(0x6a6e74);
inline const Rgba kTick = hex(0x5c626b);
inline const Rgba kPointer = hex(0xf4f2ea);      // knob pointers: the brightest pixels of a knob

// Accents per band family.
inline const Rgba kFilter = hex(0x3fb6cc);       // high-pass and low-pass
inline const Rgba kBell = hex(0xe9a23b);         // bands 1 to 5
inline const Rgba kAir = hex(0xae8fe8);          // Air
inline const Rgba kOut = hex(0xe3645a);          // output section and the power switch
inline const Rgba kUi = hex(0x5fa8e0);           // menus, A/B, help, dialogs
inline const Rgba kSide0 = hex(0x5fa8e0);        // left / mid shown
inline const Rgba kSide1 = hex(0xe9a23b);        // right / side shown
inline const Rgba kClip = hex(0xff3b2f);

// Recommended text colours for the editor's text controls (the bitmaps do
// not contain these texts).
inline const Rgba kFieldText = hex(0xe6e3da);
inline const Rgba kFieldBack = hex(0x111315);

}  // namespace palette
}  // namespace skingen
