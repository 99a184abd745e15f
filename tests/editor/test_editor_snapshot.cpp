// Reference screenshots of the editor rendered headless: the main window at
// the default settings, with the value and name strips shown, and with the
// about and help panels. Regenerate the references with
//   SOLVA_UPDATE_REFERENCES=1 build/tests/editor/test_editor --gtest_filter='Snapshot*'
#include "editor_test_support.h"

#ifdef SOLVA_HAVE_PNG
#include "gui/png/image_compare.h"
#include "gui/png/png_io.h"

namespace editortest {
namespace {

class Snapshot : public EditorFixture {
protected:
    bool wantsFreshInstallDirectory() const override { return true; }
    // `masked` (frame coordinates) is taken from the reference before the
    // comparison: for parts that legitimately differ between builds.
    void check(const std::string& name, const CRect& masked = CRect()) {
        frame()->renderAll();
        const std::string reference = std::string(SOLVA_SOURCE_DIR) + "/docs/editor/" + name + ".png";
        if (std::getenv("SOLVA_UPDATE_REFERENCES")) {
            ASSERT_TRUE(writePng(frame()->getBackBuffer(), reference));
            return;
        }
        // A mismatch writes <name>.actual.png and <name>.diff.png into the
        // build directory.
        CPixelBuffer expected;
        ASSERT_TRUE(readPng(reference, expected)) << "missing reference " << reference;
        if (masked.getWidth() > 0)
            frame()->getBackBuffer().copyFrom(expected, masked, CPoint(masked.left, masked.top));
        const std::string out = std::string(SOLVA_BINARY_DIR) + "/editor-" + name;
        const SnapshotResult result = checkSnapshot(frame()->getBackBuffer(), reference, 0.5, 64);
        if (!result.matched) {
            writePng(frame()->getBackBuffer(), out + ".actual.png");
            writePng(makeDiffImage(expected, frame()->getBackBuffer()), out + ".diff.png");
        }
        EXPECT_TRUE(result.matched) << result.message << " (actual image: " << out << ".actual.png)";
    }
};

TEST_F(Snapshot, MainWindowAtDefaultSettings) {
    openHeadless();
    check("main-window");
}

TEST_F(Snapshot, MainWindowWithValueAndNameStrips) {
    openHeadless();
    editor->showComponent(111, true);
    editor->showComponent(112, true);
    editor->showComponent(113, true);
    editor->showComponent(114, true);
    check("main-window-strips");
}

TEST_F(Snapshot, AboutPanel) {
    openHeadless();
    editor->showOverlay(solva::kAboutPanel, true);
    // The version text carries the build's date and time.
    const CRect panel = editor->getOverlay(solva::kAboutPanel)->getViewSize();
    CRect version(panel.left + 80, panel.top + 210, panel.left + 80 + 240, panel.top + 210 + 30);
    check("about-panel", version);
}

TEST_F(Snapshot, HelpPanel) {
    openHeadless();
    editor->showOverlay(solva::kHelpPanel, true);
    check("help-panel");
}

TEST_F(Snapshot, ChannelPanelInMidSideMode) {
    openHeadless();
    editor->showChannelPanel(2);
    for (int tag : {72, 108, 109, 44}) editor->selectImage(tag, 2);
    check("channel-panel");
}

}  // namespace
}  // namespace editortest
#endif
