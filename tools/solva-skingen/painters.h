// Painters: each renders one bitmap of the table at its full size
// (all frames stacked vertically, frame 0 on top).
#pragma once

#include "image.h"
#include "skin_table.h"

namespace skingen {

Image paintKnob(const BitmapEntry& e);          // ids 1..21
Image paintBandSwitch(const BitmapEntry& e);    // 3000..3012
Image paintLed(const BitmapEntry& e);           // 22
Image paintTopBarButton(const BitmapEntry& e);  // A, B, help, copy, save
Image paintMenuButton(const BitmapEntry& e);    // bank, preset, options buttons
Image paintTextBack(const BitmapEntry& e);      // 1005, 1008, 1020, 1025, 1026
Image paintSidePanelControl(const BitmapEntry& e);  // L/R-M/S panel switches, kick, slides
Image paintDialogButton(const BitmapEntry& e);  // 2007, 2010, 2011
Image paintDialog(const BitmapEntry& e);        // 2001..2005, 2012, 2013
Image paintInfoPanel(const BitmapEntry& e);     // 2000
Image paintAboutPanel(const BitmapEntry& e);    // 2006
Image paintHelpPanel(const BitmapEntry& e);     // 2008
Image paintSidePanel(const BitmapEntry& e);     // 2009
Image paintStrip(const BitmapEntry& e);         // 4000..4006
Image paintBackground(const BitmapEntry& e);    // 10000

}  // namespace skingen
