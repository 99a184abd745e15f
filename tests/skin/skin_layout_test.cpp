// The skin table against the window layout: every bitmap the control styles
// and overlays name exists with the size and frame count the layout needs,
// and the controls placed on the window and on each overlay fit inside it
// without overlapping.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "resources/skin/skin_ids.h"

namespace {

using solva::skin::BitmapInfo;
using solva::skin::findBitmap;

struct Placed {
    int id;
    int x;
    int y;
};

struct Box {
    int x0, y0, x1, y1;
};

Box boxOf(const Placed& p) {
    const BitmapInfo* b = findBitmap(p.id);
    return {p.x, p.y, p.x + b->width, p.y + b->height / b->frames};
}

bool overlaps(const Box& a, const Box& b) {
    return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1;
}

void expectFitsWithoutOverlap(const std::string& where, int width, int height,
                              const std::vector<Placed>& controls) {
    for (std::size_t i = 0; i < controls.size(); ++i) {
        ASSERT_NE(findBitmap(controls[i].id), nullptr) << where << ": bitmap " << controls[i].id;
        const Box a = boxOf(controls[i]);
        EXPECT_TRUE(a.x0 >= 0 && a.y0 >= 0 && a.x1 <= width && a.y1 <= height)
            << where << ": bitmap " << controls[i].id << " at (" << a.x0 << ", " << a.y0
            << ") leaves the " << width << " x " << height << " area";
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_FALSE(overlaps(a, boxOf(controls[j])))
                << where << ": bitmaps " << controls[i].id << " and " << controls[j].id << " overlap";
        }
    }
}

void expectSize(int id, int width, int height, int frames) {
    const BitmapInfo* b = findBitmap(id);
    ASSERT_NE(b, nullptr) << "bitmap " << id;
    EXPECT_EQ(b->width, width) << "bitmap " << id;
    EXPECT_EQ(b->height, height) << "bitmap " << id;
    EXPECT_EQ(b->frames, frames) << "bitmap " << id;
}

TEST(SkinTable, HoldsExactlyTheBitmapsTheStylesAndOverlaysName) {
    std::set<int> expected;
    for (int id = 1; id <= 22; ++id) expected.insert(id);
    for (int id = 3000; id <= 3012; ++id) expected.insert(id);
    for (int id : {1013, 1023, 1007, 1028, 1040, 1043, 1049, 1029, 1041, 1044, 1050, 1032, 1042,
                   1047, 1051, 1033, 1048, 1039, 1038, 1034, 1035, 1036, 1037, 1014, 1015, 1016,
                   1017, 2007, 2011, 2010, 1030, 1031, 1045, 1046, 1010, 1009, 1024, 1012, 1011,
                   1022, 1018, 1019, 1021, 1026, 1025, 1005, 1008, 1020, 2000, 2008, 2006, 2009,
                   4006, 4001, 4002, 4000, 4004, 4005, 4003, 2012, 2013, 2001, 2003, 2002, 2004,
                   2005, 10000}) {
        expected.insert(id);
    }
    std::set<int> table;
    for (const BitmapInfo& b : solva::skin::kBitmaps) {
        EXPECT_TRUE(table.insert(b.id).second) << "bitmap " << b.id << " listed twice";
    }
    EXPECT_EQ(table, expected);
    EXPECT_EQ(solva::skin::kBitmapCount, static_cast<int>(expected.size()));
}

TEST(SkinTable, KnobStripsHaveTheirFrameCountsAndWidthRanges) {
    for (int id = 1; id <= 21; ++id) {
        const BitmapInfo* b = findBitmap(id);
        ASSERT_NE(b, nullptr);
        const bool qKnob = id >= 8 && id <= 14;
        EXPECT_EQ(b->frames, qKnob ? 51 : 65) << "knob " << id;
        EXPECT_EQ(b->height, qKnob ? 1428 : 2080) << "knob " << id;
        EXPECT_GE(b->width, qKnob ? 28 : 32) << "knob " << id;
        EXPECT_LE(b->width, qKnob ? 31 : 36) << "knob " << id;
    }
}

TEST(SkinTable, FixedSizesMatchTheLayout) {
    expectSize(22, 25, 46, 2);
    for (int id = 3000; id <= 3007; ++id) expectSize(id, 44, 75, 3);
    for (int id = 3008; id <= 3011; ++id) expectSize(id, 25, 72, 3);
    expectSize(3012, 43, 120, 3);
    expectSize(1026, 156, 14, 1);
    expectSize(1025, 94, 15, 1);
    expectSize(1005, 52, 11, 1);
    expectSize(1008, 31, 11, 1);
    expectSize(1020, 240, 30, 1);
    expectSize(2000, 320, 240, 1);
    expectSize(2006, 320, 240, 1);
    expectSize(2008, 590, 240, 1);
    expectSize(2009, 92, 235, 1);
    expectSize(4006, 39, 42, 1);
    expectSize(4000, 412, 13, 1);
    expectSize(4001, 469, 13, 1);
    expectSize(4002, 469, 13, 1);
    expectSize(4003, 475, 13, 1);
    expectSize(4004, 385, 13, 1);
    expectSize(4005, 385, 13, 1);
    for (int id : {2012, 2013, 2002}) expectSize(id, 320, 140, 1);
    for (int id : {2001, 2003, 2004}) expectSize(id, 274, 136, 1);
    expectSize(2005, 267, 91, 1);
    expectSize(10000, 640, 267, 1);
}

TEST(SkinTable, StripFamiliesHaveTheirFrameCounts) {
    // Switch and kick strips hold 3 images, slide switches 3 or 2.
    for (int id : {1013, 1023, 1007, 1028, 1040, 1043, 1049, 1029, 1041, 1044, 1050, 1032, 1042,
                   1047, 1051, 1033, 1048, 1014, 1015, 1016, 1017, 2007, 2011, 2010, 1030, 1031,
                   1045, 1046, 1039, 1038}) {
        EXPECT_EQ(findBitmap(id)->frames, 3) << "bitmap " << id;
    }
    for (int id : {1034, 1035, 1036, 1037}) EXPECT_EQ(findBitmap(id)->frames, 2) << "bitmap " << id;
    for (const BitmapInfo& b : solva::skin::kBitmaps) {
        EXPECT_EQ(b.height % b.frames, 0) << "bitmap " << b.id << " does not divide into frames";
    }
    // Alternative images have the size of their main image.
    const std::vector<std::vector<int>> groups = {
        {1028, 1040, 1043, 1049}, {1029, 1041, 1044, 1050}, {1032, 1042, 1047, 1051},
        {1033, 1048}, {1039, 1038}, {1034, 1035}, {1036, 1037}, {1014, 1015}, {1016, 1017},
        {1030, 1031, 1045, 1046}, {1010, 1009, 1024}, {1012, 1011, 1022}, {1018, 1019, 1021},
        {4001, 4002}, {4004, 4005}};
    for (const std::vector<int>& g : groups) {
        for (int id : g) {
            EXPECT_EQ(findBitmap(id)->width, findBitmap(g[0])->width) << "bitmap " << id;
            EXPECT_EQ(findBitmap(id)->height, findBitmap(g[0])->height) << "bitmap " << id;
        }
    }
}

TEST(SkinLayout, MainWindowControlsFitWithoutOverlap) {
    expectFitsWithoutOverlap(
        "main window", 640, 267,
        {{3000, 130, 37}, {1, 132, 89},    {8, 134, 148},   {3008, 109, 151}, {3001, 186, 37},
         {2, 190, 89},    {9, 191, 148},   {15, 189, 203},  {3010, 164, 206}, {3002, 242, 37},
         {3, 247, 89},    {10, 249, 148},  {16, 247, 203},  {3003, 299, 37},  {4, 305, 89},
         {11, 306, 148},  {17, 304, 203},  {3004, 355, 37}, {5, 361, 89},     {12, 363, 148},
         {18, 361, 203},  {3005, 412, 37}, {6, 417, 89},    {13, 419, 148},   {19, 417, 203},
         {3011, 450, 206}, {3006, 468, 37}, {7, 474, 89},   {14, 475, 148},   {3009, 506, 150},
         {3007, 551, 37}, {20, 558, 89},   {3012, 552, 142}, {21, 558, 203},
         // top bar
         {1018, 513, 3},  {1013, 363, 3},  {1023, 406, 3},  {1014, 449, 3},   {1007, 607, 3},
         {1010, 5, 3},    {1025, 53, 7},   {1012, 152, 3},  {1025, 201, 7},   {1016, 300, 3}});
}

TEST(SkinLayout, OverlaysFitInTheWindow) {
    const std::vector<Placed> overlays = {
        {2000, 160, 27}, {2008, 25, 27},  {2006, 160, 27}, {2009, 19, 27},  {4006, 501, 195},
        {4001, 135, 127}, {4000, 191, 239}, {4004, 135, 180}, {4003, 125, 70}, {2012, 160, 65},
        {2013, 160, 65}, {2001, 183, 62}, {2003, 183, 65}, {2002, 160, 59}, {2004, 183, 65},
        {2005, 186, 88}};
    for (const Placed& p : overlays) expectFitsWithoutOverlap("window", 640, 267, {p});
}

TEST(SkinLayout, OverlayContentsFitTheirPanels) {
    expectFitsWithoutOverlap("information panel", 320, 240,
                             {{2007, 283, 8}, {1026, 135, 53}, {1026, 135, 84}, {1026, 135, 114},
                              {1026, 135, 145}, {1026, 135, 175}, {1026, 135, 206}});
    expectFitsWithoutOverlap("about panel", 320, 240, {{2007, 287, 4}, {1020, 80, 210}});
    expectFitsWithoutOverlap("L/R-M/S panel", 92, 235,
                             {{1028, 11, 12}, {1029, 52, 12}, {1030, 11, 38}, {1032, 27, 83},
                              {1033, 27, 109}, {1039, 27, 146}, {1034, 11, 176}, {1036, 11, 202}});
    expectFitsWithoutOverlap("clip indicator", 39, 42, {{22, 5, 4}});
    expectFitsWithoutOverlap("frequency strip", 469, 13,
                             {{1008, 2, 1}, {1008, 58, 1}, {1008, 114, 1}, {1008, 170, 1},
                              {1008, 226, 1}, {1008, 282, 1}, {1008, 338, 1}, {1008, 425, 1}});
    expectFitsWithoutOverlap("gain strip", 412, 13,
                             {{1008, 2, 1}, {1008, 58, 1}, {1008, 114, 1}, {1008, 170, 1},
                              {1008, 226, 1}, {1008, 369, 1}});
    expectFitsWithoutOverlap("Q strip", 385, 13,
                             {{1008, 2, 1}, {1008, 58, 1}, {1008, 114, 1}, {1008, 170, 1},
                              {1008, 226, 1}, {1008, 282, 1}, {1008, 338, 1}});
    expectFitsWithoutOverlap("band-name strip", 475, 13,
                             {{1005, 1, 1}, {1005, 57, 1}, {1005, 113, 1}, {1005, 169, 1},
                              {1005, 226, 1}, {1005, 282, 1}, {1005, 338, 1}, {1005, 423, 1}});
}

TEST(SkinLayout, DialogButtonsFitTheirDialogs) {
    for (int id : {2012, 2013}) {
        expectFitsWithoutOverlap("discard dialog " + std::to_string(id), 320, 140,
                                 {{2011, 25, 94}, {2011, 124, 94}, {2010, 222, 94}});
    }
    expectFitsWithoutOverlap("create-new dialog", 274, 136,
                             {{2011, 39, 62}, {2011, 162, 63}, {2010, 101, 100}});
    expectFitsWithoutOverlap("bank-name-exists dialog", 274, 136,
                             {{2011, 41, 65}, {2011, 165, 65}, {2010, 103, 99}});
    expectFitsWithoutOverlap("bank dialog", 320, 140,
                             {{2011, 25, 68}, {2011, 124, 68}, {2011, 222, 68}, {2010, 124, 103}});
    expectFitsWithoutOverlap("preset dialog", 274, 136,
                             {{2011, 39, 62}, {2011, 162, 62}, {2010, 101, 100}});
    expectFitsWithoutOverlap("delete confirmation", 267, 91, {{2011, 38, 49}, {2010, 161, 49}});
}

}  // namespace
