// The software renderer: fills, blending, clipping, bitmap blits with the
// green colour key, alpha blends, BMP decoding and text.
#include <gtest/gtest.h>

#include "gui_test_support.h"

namespace {

using namespace VSTGUI;
using namespace guitest;

const CColor kRed(255, 0, 0), kBlue(0, 0, 255), kGrey(100, 100, 100);

TEST(Renderer, FillRectIsClippedToTheClipRectangleAndTheBuffer) {
    CPixelBuffer buffer(20, 20, kBlackCColor);
    CDrawContext context(nullptr, &buffer);
    context.setClipRect(CRect(5, 5, 15, 15));
    context.setFillColor(kRed);
    context.fillRect(CRect(-10, -10, 30, 30));
    EXPECT_EQ(buffer.getColor(5, 5), kRed);
    EXPECT_EQ(buffer.getColor(14, 14), kRed);
    EXPECT_EQ(buffer.getColor(4, 10), kBlackCColor);
    EXPECT_EQ(buffer.getColor(15, 10), kBlackCColor);
    EXPECT_EQ(buffer.getColor(10, 15), kBlackCColor);
}

TEST(Renderer, OffsetTranslatesDrawingAndClip) {
    CPixelBuffer buffer(20, 20, kBlackCColor);
    CDrawContext context(nullptr, &buffer);
    context.setOffset(CPoint(10, 5));
    context.setClipRect(CRect(0, 0, 4, 4));  // buffer (10,5)-(14,9)
    context.setFillColor(kBlue);
    context.fillRect(CRect(0, 0, 8, 8));
    EXPECT_EQ(buffer.getColor(10, 5), kBlue);
    EXPECT_EQ(buffer.getColor(13, 8), kBlue);
    EXPECT_EQ(buffer.getColor(14, 8), kBlackCColor);
    EXPECT_EQ(context.getClipRect(), CRect(0, 0, 4, 4));
}

TEST(Renderer, TranslucentFillBlendsWithWhatIsBelow) {
    CPixelBuffer buffer(4, 4, kWhiteCColor);
    CDrawContext context(nullptr, &buffer);
    context.setFillColor(CColor(0, 0, 0, 128));
    context.fillRect(CRect(0, 0, 2, 4));
    const CColor c = buffer.getColor(0, 0);
    EXPECT_NEAR(c.red, 127, 1);
    EXPECT_EQ(c.red, c.green);
    EXPECT_EQ(buffer.getColor(3, 0), kWhiteCColor);
}

TEST(Renderer, StrokedRectangleDrawsOnlyTheBorder) {
    CPixelBuffer buffer(10, 10, kBlackCColor);
    CDrawContext context(nullptr, &buffer);
    context.setFrameColor(kRed);
    context.drawRect(CRect(1, 1, 9, 9));
    EXPECT_EQ(buffer.getColor(1, 1), kRed);
    EXPECT_EQ(buffer.getColor(8, 8), kRed);
    EXPECT_EQ(buffer.getColor(8, 4), kRed);
    EXPECT_EQ(buffer.getColor(4, 4), kBlackCColor);
    EXPECT_EQ(buffer.getColor(9, 9), kBlackCColor);
}

TEST(Renderer, LinesIncludeBothEndsAndRespectTheClip) {
    CPixelBuffer buffer(10, 10, kBlackCColor);
    CDrawContext context(nullptr, &buffer);
    context.setFrameColor(kWhiteCColor);
    context.drawLine(CPoint(0, 0), CPoint(9, 9));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(buffer.getColor(i, i), kWhiteCColor) << i;
    EXPECT_EQ(buffer.getColor(1, 0), kBlackCColor);
    context.setClipRect(CRect(0, 0, 5, 10));
    context.drawLine(CPoint(0, 2), CPoint(9, 2));
    EXPECT_EQ(buffer.getColor(4, 2), kWhiteCColor);
    EXPECT_EQ(buffer.getColor(5, 2), kBlackCColor);
}

TEST(Renderer, ColourKeyedBlitSkipsPureGreenOnly) {
    // Left half green (transparent), right half red; one near-green column.
    CBitmap* bitmap = makeBitmap(8, 4, [](int x, int) {
        if (x == 3) return CColor(0, 254, 0);
        return x < 4 ? kColorKeyGreen : kRed;
    });
    CPixelBuffer buffer(8, 4, kBlue);
    CDrawContext context(nullptr, &buffer);
    bitmap->drawTransparent(&context, CRect(0, 0, 8, 4));
    EXPECT_EQ(buffer.getColor(0, 0), kBlue);
    EXPECT_EQ(buffer.getColor(2, 3), kBlue);
    EXPECT_EQ(buffer.getColor(3, 0), CColor(0, 254, 0));
    EXPECT_EQ(buffer.getColor(4, 0), kRed);

    // A plain draw copies the key colour unless transparency is enabled.
    bitmap->draw(&context, CRect(0, 0, 8, 4));
    EXPECT_EQ(buffer.getColor(0, 0), kColorKeyGreen);
    buffer.fill(kBlue);
    bitmap->setTransparentColor(kColorKeyGreen);
    bitmap->draw(&context, CRect(0, 0, 8, 4));
    EXPECT_EQ(buffer.getColor(0, 0), kBlue);
    bitmap->forget();
}

TEST(Renderer, BlitOffsetSelectsTheSourceArea) {
    CBitmap* strip = makeStrip(4, 3, {kRed, kBlue, kGrey});
    CPixelBuffer buffer(4, 3, kBlackCColor);
    CDrawContext context(nullptr, &buffer);
    strip->draw(&context, CRect(0, 0, 4, 3), CPoint(0, 6));
    EXPECT_EQ(buffer.getColor(0, 0), kGrey);
    EXPECT_EQ(buffer.getColor(3, 2), kGrey);
    strip->draw(&context, CRect(0, 0, 4, 3), CPoint(0, 3));
    EXPECT_EQ(buffer.getColor(2, 1), kBlue);
    strip->forget();
}

TEST(Renderer, AlphaBlendMixesWithConstantOpacity) {
    CBitmap* bitmap = makeBitmap(2, 2, [](int, int) { return kWhiteCColor; });
    CPixelBuffer buffer(2, 2, kBlackCColor);
    CDrawContext context(nullptr, &buffer);
    bitmap->drawAlphaBlend(&context, CRect(0, 0, 2, 2), CPoint(), 64);
    EXPECT_NEAR(buffer.getColor(0, 0).red, 64, 1);
    bitmap->drawAlphaBlend(&context, CRect(0, 0, 2, 2), CPoint(), 255);
    EXPECT_EQ(buffer.getColor(1, 1), kWhiteCColor);
    bitmap->forget();
}

TEST(Renderer, BlitIsClipped) {
    CBitmap* bitmap = makeBitmap(10, 10, [](int, int) { return kRed; });
    CPixelBuffer buffer(10, 10, kBlackCColor);
    CDrawContext context(nullptr, &buffer);
    context.setClipRect(CRect(2, 2, 4, 4));
    bitmap->draw(&context, CRect(0, 0, 10, 10));
    EXPECT_EQ(buffer.getColor(2, 2), kRed);
    EXPECT_EQ(buffer.getColor(3, 3), kRed);
    EXPECT_EQ(buffer.getColor(4, 4), kBlackCColor);
    EXPECT_EQ(buffer.getColor(1, 1), kBlackCColor);
    bitmap->forget();
}

TEST(Bmp, DecodesBottomUpTopDownAndHeaderlessImagesWithRowPadding) {
    auto colourAt = [](int x, int y) { return CColor(x * 40, y * 60, 7); };
    for (bool topDown : {false, true})
        for (bool header : {true, false}) {
            const auto bytes = makeBmp(5, 3, colourAt, topDown, header);  // 15-byte rows, padded
            CPixelBuffer out;
            ASSERT_TRUE(decodeBmp(bytes.data(), bytes.size(), out));
            ASSERT_EQ(out.getWidth(), 5);
            ASSERT_EQ(out.getHeight(), 3);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 5; ++x) EXPECT_EQ(out.getColor(x, y), colourAt(x, y));
        }
}

TEST(Bmp, RejectsTruncatedAndUnsupportedImages) {
    auto bytes = makeBmp(4, 4, [](int, int) { return kRed; });
    CPixelBuffer out;
    EXPECT_FALSE(decodeBmp(bytes.data(), bytes.size() - 5, out));
    EXPECT_FALSE(decodeBmp(bytes.data(), 30, out));
    bytes[14 + 14] = 8;  // 8-bit palette images are not used by the skin
    EXPECT_FALSE(decodeBmp(bytes.data(), bytes.size(), out));
    EXPECT_FALSE(decodeBmp(nullptr, 0, out));
}

TEST(Bmp, BitmapsLoadThroughTheResourceProvider) {
    static const auto image = makeBmp(6, 2, [](int, int) { return kBlue; });
    setBitmapResourceProvider([](long id, std::size_t* size) -> const unsigned char* {
        if (id != 10000) return nullptr;
        *size = image.size();
        return image.data();
    });
    CBitmap* known = new CBitmap(10000);
    CBitmap* unknown = new CBitmap(4242);
    EXPECT_TRUE(known->isLoaded());
    EXPECT_EQ(known->getWidth(), 6);
    EXPECT_EQ(known->getHeight(), 2);
    EXPECT_EQ(known->getResourceID(), 10000);
    EXPECT_FALSE(unknown->isLoaded());
    // An unloaded bitmap draws nothing.
    CPixelBuffer buffer(4, 4, kRed);
    CDrawContext context(nullptr, &buffer);
    unknown->draw(&context, CRect(0, 0, 4, 4));
    EXPECT_EQ(buffer.getColor(0, 0), kRed);
    known->forget();
    unknown->forget();
    setBitmapResourceProvider(nullptr);
}

// Bounding box of pixels that differ from `background`.
CRect inkBox(const CPixelBuffer& buffer, CColor background) {
    CRect box;
    for (int y = 0; y < buffer.getHeight(); ++y)
        for (int x = 0; x < buffer.getWidth(); ++x)
            if (buffer.getColor(x, y) != background) box.unite(CRect(x, y, x + 1, y + 1));
    return box;
}

TEST(Text, DrawsInkInsideTheTextRectangle) {
    CPixelBuffer buffer(100, 30, kBlackCColor);
    CDrawContext context(nullptr, &buffer);
    context.setFont(kNormalFont, 10);
    context.setFontColor(kWhiteCColor);
    const CRect rect(10, 5, 90, 25);
    context.drawString("Frequency 1.2k", rect, false, kLeftText);
    const CRect box = inkBox(buffer, kBlackCColor);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_GE(box.left, rect.left);
    EXPECT_LE(box.right, rect.right);
    EXPECT_GE(box.top, rect.top);
    EXPECT_LE(box.bottom, rect.bottom);
    // Roughly a 10-pixel font: ink height between 7 and 13 pixels.
    EXPECT_GE(box.height(), 7);
    EXPECT_LE(box.height(), 13);
    // Anti-aliased: some pixels are neither background nor full ink.
    int partial = 0;
    for (int y = box.top; y < box.bottom; ++y)
        for (int x = box.left; x < box.right; ++x) {
            const CColor c = buffer.getColor(x, y);
            if (c.red > 0 && c.red < 255) ++partial;
        }
    EXPECT_GT(partial, 5);
}

TEST(Text, AlignmentPlacesTheTextLeftCentredOrRight) {
    for (CHoriTxtAlign align : {kLeftText, kCenterText, kRightText}) {
        CPixelBuffer buffer(120, 20, kBlackCColor);
        CDrawContext context(nullptr, &buffer);
        context.setFont(kNormalFont, 11);
        context.setFontColor(kWhiteCColor);
        const int width = context.getStringWidth("Band");
        context.drawString("Band", CRect(0, 0, 120, 20), false, align);
        const CRect box = inkBox(buffer, kBlackCColor);
        const int expectedLeft = align == kLeftText ? 0 : (align == kCenterText ? (120 - width) / 2 : 120 - width);
        EXPECT_NEAR(box.left, expectedLeft, 2) << align;
        EXPECT_NEAR(box.right, expectedLeft + width, 2) << align;
    }
}

TEST(Text, IsClippedToItsRectangle) {
    CPixelBuffer buffer(100, 20, kBlackCColor);
    CDrawContext context(nullptr, &buffer);
    context.setFontColor(kWhiteCColor);
    context.drawString("A very long text that does not fit", CRect(0, 0, 30, 20), false, kLeftText);
    const CRect box = inkBox(buffer, kBlackCColor);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_LE(box.right, 30);
}

TEST(Text, MeasuringGrowsWithSizeAndBoldAndHandlesLatin1) {
    const CFontFace small = selectFont(kNormalFont, 9, 0);
    const CFontFace large = selectFont(kNormalFont, 12, 0);
    const CFontFace bold = selectFont(kNormalFont, 12, kBoldFace);
    EXPECT_LT(measureText(small, "Output Gain"), measureText(large, "Output Gain"));
    EXPECT_LT(measureText(large, "Output Gain"), measureText(bold, "Output Gain"));
    EXPECT_TRUE(bold.bold());
    EXPECT_EQ(measureText(large, ""), 0);
    // "°" as UTF-8 and as a Latin-1 byte measure the same.
    EXPECT_EQ(measureText(large, "\xC2\xB0"), measureText(large, "\xB0"));
    EXPECT_GT(measureText(large, "\xB0"), 0);
}

TEST(PixelBuffer, CopyFromClipsAtEveryEdge) {
    CPixelBuffer src(4, 4, kRed);
    CPixelBuffer dst(4, 4, kBlackCColor);
    dst.copyFrom(src, CRect(0, 0, 4, 4), CPoint(2, 2));
    EXPECT_EQ(dst.getColor(2, 2), kRed);
    EXPECT_EQ(dst.getColor(3, 3), kRed);
    EXPECT_EQ(dst.getColor(1, 1), kBlackCColor);
    dst.copyFrom(src, CRect(0, 0, 4, 4), CPoint(-3, -3));
    EXPECT_EQ(dst.getColor(0, 0), kRed);
    EXPECT_EQ(dst.getColor(1, 0), kBlackCColor);
}

}  // namespace
