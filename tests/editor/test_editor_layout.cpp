// The window's layout: every control of the main window, the top bar and
// each overlay sits at its position with its tag, its kind and its style's
// bitmap, and its rectangle is the bitmap's width by one frame's height.
// The expected rows are the layout tables of the editor's design, written
// out here with the bitmap each style stands for.
#include "editor/cbouton_rotatif.h"
#include "editor/cchoix.h"
#include "editor/ckick.h"
#include "editor/cswitch.h"
#include "editor/cswitch_xpos.h"
#include "editor/ctexte.h"
#include "editor_test_support.h"
#include "resources/skin/skin_ids.h"

namespace editortest {
namespace {

enum Kind { Knob, Switch, Slide, Led, Kick, Display, Field, Menu };

struct Row {
    long tag;
    Kind kind;
    int bitmap;  // the style's bitmap
    int x, y;    // window coordinates (overlay rows are offset by the test)
};

const Row kMainWindow[] = {
    {21, Switch, 3000, 130, 37}, {0, Knob, 1, 132, 89},      {1, Knob, 8, 134, 148},     {22, Switch, 3008, 109, 151},
    {23, Switch, 3001, 186, 37}, {2, Knob, 2, 190, 89},      {3, Knob, 9, 191, 148},     {4, Knob, 15, 189, 203},
    {24, Switch, 3010, 164, 206}, {25, Switch, 3002, 242, 37}, {5, Knob, 3, 247, 89},    {6, Knob, 10, 249, 148},
    {7, Knob, 16, 247, 203},     {26, Switch, 3003, 299, 37}, {8, Knob, 4, 305, 89},     {9, Knob, 11, 306, 148},
    {10, Knob, 17, 304, 203},    {27, Switch, 3004, 355, 37}, {11, Knob, 5, 361, 89},    {12, Knob, 12, 363, 148},
    {13, Knob, 18, 361, 203},    {28, Switch, 3005, 412, 37}, {14, Knob, 6, 417, 89},    {15, Knob, 13, 419, 148},
    {16, Knob, 19, 417, 203},    {29, Switch, 3011, 450, 206}, {30, Switch, 3006, 468, 37}, {17, Knob, 7, 474, 89},
    {18, Knob, 14, 475, 148},    {31, Switch, 3009, 506, 150}, {32, Switch, 3007, 551, 37}, {19, Knob, 20, 558, 89},
    {33, Switch, 3012, 552, 142}, {20, Knob, 21, 558, 203},
};

const Row kTopBar[] = {
    {82, Menu, 1018, 513, 3},  {106, Switch, 1013, 363, 3}, {107, Switch, 1023, 406, 3}, {71, Kick, 1014, 449, 3},
    {110, Switch, 1007, 607, 3}, {69, Menu, 1010, 5, 3},     {74, Field, 1025, 53, 7},    {70, Menu, 1012, 152, 3},
    {75, Field, 1025, 201, 7}, {73, Kick, 1016, 300, 3},
};

struct OverlayRows {
    solva::OverlayId id;
    int bitmap, x, y;
    std::vector<Row> rows;  // positions inside the overlay
};

const std::vector<OverlayRows>& overlays() {
    static const std::vector<OverlayRows> all = {
        {solva::kInfoPanel, 2000, 160, 27,
         {{92, Kick, 2007, 283, 8}, {75, Field, 1026, 135, 53}, {76, Field, 1026, 135, 84},
          {77, Field, 1026, 135, 114}, {79, Field, 1026, 135, 145}, {80, Display, 1026, 135, 175},
          {81, Display, 1026, 135, 206}}},
        {solva::kHelpPanel, 2008, 25, 27, {}},
        {solva::kAboutPanel, 2006, 160, 27, {{92, Kick, 2007, 287, 4}, {105, Display, 1020, 80, 210}}},
        {solva::kChannelPanel, 2009, 19, 27,
         {{108, Switch, 1028, 11, 12}, {109, Switch, 1029, 52, 12}, {72, Kick, 1030, 11, 38},
          {44, Switch, 1032, 27, 83}, {45, Switch, 1033, 27, 109}, {48, Slide, 1039, 27, 146},
          {46, Slide, 1034, 11, 176}, {47, Slide, 1036, 11, 202}}},
        {solva::kClipIndicator, 4006, 501, 195, {{115, Led, 22, 5, 4}}},
        {solva::kFrequencyStrip, 4001, 135, 127,
         {{0, Field, 1008, 2, 1}, {2, Field, 1008, 58, 1}, {5, Field, 1008, 114, 1}, {8, Field, 1008, 170, 1},
          {11, Field, 1008, 226, 1}, {14, Field, 1008, 282, 1}, {17, Field, 1008, 338, 1},
          {19, Field, 1008, 425, 1}}},
        {solva::kGainStrip, 4000, 191, 239,
         {{4, Field, 1008, 2, 1}, {7, Field, 1008, 58, 1}, {10, Field, 1008, 114, 1}, {13, Field, 1008, 170, 1},
          {16, Field, 1008, 226, 1}, {20, Field, 1008, 369, 1}}},
        {solva::kQStrip, 4004, 135, 180,
         {{1, Field, 1008, 2, 1}, {3, Field, 1008, 58, 1}, {6, Field, 1008, 114, 1}, {9, Field, 1008, 170, 1},
          {12, Field, 1008, 226, 1}, {15, Field, 1008, 282, 1}, {18, Field, 1008, 338, 1}}},
        {solva::kNameStrip, 4003, 125, 70,
         {{35, Field, 1005, 1, 1}, {36, Field, 1005, 57, 1}, {37, Field, 1005, 113, 1}, {38, Field, 1005, 169, 1},
          {39, Field, 1005, 226, 1}, {40, Field, 1005, 282, 1}, {41, Field, 1005, 338, 1},
          {42, Field, 1005, 423, 1}}},
        {solva::kDiscardLRDialog, 2012, 160, 65,
         {{96, Kick, 2011, 25, 94}, {97, Kick, 2011, 124, 94}, {95, Kick, 2010, 222, 94}}},
        {solva::kDiscardMSDialog, 2013, 160, 65,
         {{96, Kick, 2011, 25, 94}, {97, Kick, 2011, 124, 94}, {95, Kick, 2010, 222, 94}}},
        {solva::kCreateNewDialog, 2001, 183, 62,
         {{94, Kick, 2011, 39, 62}, {93, Kick, 2011, 162, 63}, {95, Kick, 2010, 101, 100}}},
        {solva::kBankNameExistsDialog, 2003, 183, 65,
         {{99, Kick, 2011, 41, 65}, {98, Kick, 2011, 165, 65}, {95, Kick, 2010, 103, 99}}},
        {solva::kBankDialog, 2002, 160, 59,
         {{99, Kick, 2011, 25, 68}, {98, Kick, 2011, 124, 68}, {100, Kick, 2011, 222, 68},
          {95, Kick, 2010, 124, 103}}},
        {solva::kPresetDialog, 2004, 183, 65,
         {{101, Kick, 2011, 39, 62}, {102, Kick, 2011, 162, 62}, {95, Kick, 2010, 101, 100}}},
        {solva::kDeleteBankDialog, 2005, 186, 88, {{103, Kick, 2011, 38, 49}, {95, Kick, 2010, 161, 49}}},
        {solva::kDeletePresetDialog, 2005, 186, 88, {{103, Kick, 2011, 38, 49}, {95, Kick, 2010, 161, 49}}},
    };
    return all;
}

const solva::skin::BitmapInfo* skinInfo(int id) {
    for (const auto& info : solva::skin::kBitmaps)
        if (info.id == id) return &info;
    return nullptr;
}

bool kindMatches(Kind kind, CView* view) {
    switch (kind) {
    case Knob: return dynamic_cast<solva::CBoutonRotatif*>(view) != nullptr;
    case Switch:
        return dynamic_cast<solva::CSwitch*>(view) && !dynamic_cast<solva::CSwitchXPos*>(view) &&
               !dynamic_cast<solva::CLed*>(view);
    case Slide: return dynamic_cast<solva::CSwitchXPos*>(view) != nullptr;
    case Led: return dynamic_cast<solva::CLed*>(view) != nullptr;
    case Kick: return dynamic_cast<solva::CKick*>(view) != nullptr;
    case Display: return dynamic_cast<solva::CAfficheTexte*>(view) != nullptr;
    case Field: return dynamic_cast<solva::CEditTexte*>(view) != nullptr;
    case Menu: return dynamic_cast<solva::CChoix*>(view) != nullptr;
    }
    return false;
}

class Layout : public EditorFixture {
protected:
    // The control of `container` at `row`'s position, checked against it.
    void expectRow(CViewContainer* container, const Row& row, const std::string& where) {
        SCOPED_TRACE(where + " tag " + std::to_string(row.tag));
        CView* found = nullptr;
        for (long i = 0; i < container->getNbViews(); ++i) {
            CView* v = container->getView(i);
            auto* c = dynamic_cast<CControl*>(v);
            if (c && c->getTag() == row.tag && v->getViewSize().left == row.x && v->getViewSize().top == row.y)
                found = v;
        }
        ASSERT_NE(found, nullptr) << "no control at (" << row.x << ", " << row.y << ")";
        EXPECT_TRUE(kindMatches(row.kind, found));
        // Strip controls may show an image variant; their style's main
        // bitmap is image 0.
        CBitmap* bitmap = found->getBackground();
        if (auto* strip = dynamic_cast<solva::StripImages*>(found)) bitmap = strip->image(0);
        ASSERT_NE(bitmap, nullptr);
        EXPECT_EQ(bitmap->getResourceID(), row.bitmap);
        EXPECT_TRUE(found->getTransparency());
        const auto* info = skinInfo(row.bitmap);
        ASSERT_NE(info, nullptr);
        // Kicks, switches and knobs show one frame; the LED one of two.
        EXPECT_EQ(found->getViewSize().width(), info->width);
        EXPECT_EQ(found->getViewSize().height(), info->height / info->frames);
    }
};

TEST_F(Layout, MainWindowControlsSitAtTheirPositionsWithTheirStyles) {
    openHeadless();
    for (const Row& row : kMainWindow) expectRow(frame(), row, "main window");
}

TEST_F(Layout, TopBarControlsSitAtTheirPositionsWithTheirStyles) {
    openHeadless();
    for (const Row& row : kTopBar) expectRow(frame(), row, "top bar");
}

TEST_F(Layout, EveryOverlayHasItsBitmapPositionAndContents) {
    openHeadless();
    for (const OverlayRows& o : overlays()) {
        CViewContainer* view = editor->getOverlay(o.id);
        ASSERT_NE(view, nullptr) << "overlay " << o.id;
        const auto* info = skinInfo(o.bitmap);
        ASSERT_NE(info, nullptr);
        const CRect r = view->getViewSize();
        EXPECT_EQ(r, CRect(o.x, o.y, o.x + info->width, o.y + info->height)) << "overlay " << o.id;
        if (o.id != solva::kFrequencyStrip && o.id != solva::kQStrip) {
            ASSERT_NE(view->getBackground(), nullptr);
            EXPECT_EQ(view->getBackground()->getResourceID(), o.bitmap);
        }
        EXPECT_EQ(view->getNbViews(), static_cast<long>(o.rows.size())) << "overlay " << o.id;
        for (const Row& row : o.rows) expectRow(view, row, "overlay " + std::to_string(o.id));
    }
}

TEST_F(Layout, MainWindowHoldsOnlyTheLayoutControlsAndTheShownOverlays) {
    openHeadless();
    long shown = 0;
    for (int id = 0; id < solva::kOverlayCount; ++id) shown += editor->isOverlayShown(solva::OverlayId(id)) ? 1 : 0;
    EXPECT_EQ(frame()->getNbViews(), 34 + 10 + shown);
}

TEST_F(Layout, PresetNameInTopBarAndInformationPanelShareOneTag) {
    openHeadless();
    auto fields = controls<solva::CEditTexte>(75);
    ASSERT_EQ(fields.size(), 2u);
    editor->showOverlay(solva::kInfoPanel, true);
    frame()->renderAll();
    EXPECT_EQ(std::string(fields[0]->getText()), std::string(fields[1]->getText()));
    EXPECT_FALSE(std::string(fields[0]->getText()).empty());
}

TEST_F(Layout, WindowRectangleIsTheBackgroundSize) {
    vst::ERect* rect = nullptr;
    ASSERT_EQ(effect->dispatcher(vst::effEditGetRect, 0, 0, &rect, 0.0f), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->right, 640);
    EXPECT_EQ(rect->bottom, 267);
}

TEST_F(Layout, ClickOnATransparentPixelOfAKnobStillHitsTheKnob) {
    openHeadless();
    auto* knob = control<solva::CBoutonRotatif>(20);
    ASSERT_NE(knob, nullptr);
    // The strip's corners are key green; a press there still starts a drag.
    const CRect r = knob->getFrameRect();
    const CPoint corner(r.left, r.top);
    effect->setParameter(57, 0.0f);
    effect->setParameter(59, 0.0f);
    effect->setParameter(20, 0.2f);
    press(corner, kLButton);
    move(CPoint(corner.h + 40, corner.v), kLButton);
    release(CPoint(corner.h + 40, corner.v));
    EXPECT_NEAR(hostValue(20), 0.4f, 1e-4f);
}

}  // namespace
}  // namespace editortest
