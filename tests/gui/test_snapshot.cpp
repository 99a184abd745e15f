// Reference screenshots of the toolkit's own drawing: text in every atlas
// face and alignment, colour-keyed and blended bitmaps, an edit box and a
// pop-up menu with checks, a disabled entry, a separator and a sub-menu.
// A mismatch writes the actual and diff images under the build tree.
// Regenerate the references with SOLVA_UPDATE_SNAPSHOTS=1.
#ifdef SOLVA_HAVE_PNG

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "gui/png/image_compare.h"
#include "gui/png/png_io.h"
#include "gui_test_support.h"

namespace {

using namespace VSTGUI;
using namespace guitest;
namespace fs = std::filesystem;

void expectSnapshot(const CPixelBuffer& actual, const char* name) {
    const fs::path reference = fs::path(SOLVA_SOURCE_DIR) / "tests/gui/snapshots" / name;
    if (std::getenv("SOLVA_UPDATE_SNAPSHOTS")) {
        ASSERT_TRUE(writePng(actual, reference.string()));
        return;
    }
    const fs::path outDir = fs::path(SOLVA_BINARY_DIR) / "test-output" / "gui";
    fs::create_directories(outDir);
    const std::string stem = (outDir / reference.stem()).string();
    const SnapshotResult result = checkSnapshot(actual, reference.string(), 0.5, 64, stem);
    EXPECT_TRUE(result.matched) << result.message;
}

void fixedText(float, char* text, void* user) { std::snprintf(text, 256, "%s", static_cast<const char*>(user)); }

CParamDisplay* label(const CRect& r, int sizePx, long face, CHoriTxtAlign align, const char* text) {
    auto* d = new CParamDisplay(r);
    d->setFont(kNormalFont, sizePx, face);
    d->setHoriAlign(align);
    d->setFontColor(CColor(230, 230, 220));
    d->setBackColor(CColor(30, 34, 40));
    d->setFrameColor(CColor(70, 80, 90));
    d->setValueToStringProc(fixedText, const_cast<char*>(text));
    return d;
}

TEST(Snapshot, ToolkitGallery) {
    CFrame* frame = new CFrame(CRect(0, 0, 320, 200), nullptr, nullptr);
    frame->setBackgroundColor(CColor(50, 56, 64));
    int y = 4;
    for (int size : {9, 10, 11, 12, 14}) {
        frame->addView(label(CRect(4, y, 316, y + size + 6), size, kNormalFace, kLeftText,
                             "Freq 1.25 kHz  Q 0.71  Gain -6.0 dB  \xC2\xB0\xC2\xB5"));
        y += size + 8;
    }
    frame->addView(label(CRect(4, y, 104, y + 16), 10, kBoldFace, kLeftText, "Left"));
    frame->addView(label(CRect(110, y, 210, y + 16), 12, kBoldFace, kCenterText, "Centre"));
    frame->addView(label(CRect(216, y, 316, y + 16), 10, kNormalFace, kRightText, "Right"));
    y += 22;
    // A two-frame strip with green corners, showing frame 1, over a stripe.
    CBitmap* strip = makeBitmap(24, 48, [](int x, int yy) {
        const int fy = yy % 24;
        if ((x < 4 || x >= 20) && (fy < 4 || fy >= 20)) return kColorKeyGreen;
        return yy < 24 ? CColor(200, 60, 60) : CColor(60, 160, 220);
    });
    auto* stripe = new ProbeView(CRect(0, y + 8, 320, y + 16), CColor(240, 200, 40));
    frame->addView(stripe);
    auto* knob = new CAnimKnob(CRect(10, y, 34, y + 24), nullptr, 1, 2, 24, strip);
    knob->setTransparency(true);
    knob->setValue(1.0f);
    frame->addView(knob);
    // A translucent panel over the stripe.
    auto* panel = new CView(CRect(50, y, 110, y + 24));
    panel->setBackground(strip);
    strip->forget();
    frame->addView(panel);
    auto* edit = new CTextEdit(CRect(130, y + 2, 310, y + 20), nullptr, 75, "Edited name");
    frame->addView(edit);
    edit->takeFocus();
    frame->renderAll();
    // Blend the strip's second frame at half opacity next to the panel.
    CBitmap* blended = makeBitmap(24, 24, [](int, int) { return CColor(255, 255, 255); });
    CDrawContext* context = frame->getDrawContext();
    blended->drawAlphaBlend(context, CRect(116, y, 124, y + 24), CPoint(), 128);
    blended->forget();
    expectSnapshot(frame->getBackBuffer(), "gallery.png");
    frame->forget();
}

TEST(Snapshot, PopupMenu) {
    RecordingListener listener;
    CFrame* frame = new CFrame(CRect(0, 0, 200, 100), nullptr, nullptr);
    auto* menu = new COptionMenu(CRect(0, 0, 80, 16), &listener, 82);
    auto* sub = new COptionMenu(CRect(0, 0, 1, 1), &listener, 84);
    sub->addEntry("Inside");
    menu->addEntry(sub, "Misc");
    sub->forget();
    menu->addEntry("-");
    menu->addEntry("Options Saved in Host project");
    menu->addEntry("-GRead Options");
    menu->addEntry("Save Options");
    menu->checkEntry(2, true);
    frame->addView(menu);
    ASSERT_TRUE(frame->openMenu(menu, CPoint(0, 16)));
    CMenuSession* session = frame->getMenuSession();
    const CRect entry = session->getPopup(0)->entryScreenRect(4);
    session->platformMouseMoved(CPoint(entry.left + 4, entry.top + 4), 0);
    expectSnapshot(session->getPopup(0)->getPixels(), "popup-menu.png");
    session->cancel();
    frame->forget();
}

}  // namespace

#endif  // SOLVA_HAVE_PNG
