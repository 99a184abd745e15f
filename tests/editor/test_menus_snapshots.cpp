// Reference screenshots of the menus (the window with the open pop-ups
// composed at their screen positions, which may reach past the window)
// and of the dialogs and panels, each opened through its command.
// Regenerate the references with
//   SOLVA_UPDATE_REFERENCES=1 build/tests/editor/test_editor --gtest_filter='MenuSnapshot*'
#include "menu_test_support.h"

#ifdef SOLVA_HAVE_PNG
#include <algorithm>

#include "gui/cmenupopup.h"
#include "gui/png/image_compare.h"
#include "gui/png/png_io.h"

namespace menutest {
namespace {

class MenuSnapshot : public MenuFixture {
protected:
    // The frame with every open pop-up drawn over it.
    CPixelBuffer compose() {
        frame()->renderAll();
        const CPixelBuffer& window = frame()->getBackBuffer();
        int width = window.getWidth(), height = window.getHeight();
        CMenuSession* session = frame()->getMenuSession();
        const int depth = session && session->isOpen() ? session->getDepth() : 0;
        for (int level = 0; level < depth; ++level) {
            const CRect r = session->getPopup(level)->getScreenRect();
            width = std::max(width, static_cast<int>(r.right));
            height = std::max(height, static_cast<int>(r.bottom));
        }
        CPixelBuffer out(width, height, CColor(40, 40, 40));
        out.copyFrom(window, window.bounds(), CPoint(0, 0));
        for (int level = 0; level < depth; ++level) {
            CMenuPopup* popup = session->getPopup(level);
            popup->render();
            out.copyFrom(popup->getPixels(), popup->getPixels().bounds(), popup->getScreenRect().getTopLeft());
        }
        return out;
    }
    // Opens `menu` and hovers `path` (sub-menus open on hover).
    void openPath(COptionMenu* menu, const std::vector<long>& path) {
        CMenuSession* session = openByClick(menu);
        ASSERT_NE(session, nullptr);
        for (size_t level = 0; level < path.size(); ++level) {
            CMenuPopup* popup = session->getPopup(static_cast<int>(level));
            ASSERT_NE(popup, nullptr);
            session->platformMouseMoved(centreOf(popup->entryScreenRect(path[level])), 0);
        }
    }
    void check(const std::string& name) {
        const CPixelBuffer actual = compose();
        if (CMenuSession* session = frame()->getMenuSession()) session->cancel();
        const std::string reference = std::string(SOLVA_SOURCE_DIR) + "/docs/menus/" + name + ".png";
        if (std::getenv("SOLVA_UPDATE_REFERENCES")) {
            ASSERT_TRUE(writePng(actual, reference));
            return;
        }
        CPixelBuffer expected;
        ASSERT_TRUE(readPng(reference, expected)) << "missing reference " << reference;
        const SnapshotResult result = checkSnapshot(actual, reference, 0.5, 64);
        const std::string out = std::string(SOLVA_BINARY_DIR) + "/menus-" + name;
        if (!result.matched) {
            writePng(actual, out + ".actual.png");
            writePng(makeDiffImage(expected, actual), out + ".diff.png");
        }
        EXPECT_TRUE(result.matched) << result.message << " (actual image: " << out << ".actual.png)";
    }
    long groupEntries() { return solva::menus::bankGroupEntries(*banks()); }
};

TEST_F(MenuSnapshot, OptionsMenuAndItsSubMenus) {
    openPath(options(), {});
    check("options");
    const char* names[] = {"options-misc", "options-display", "options-lr", "options-ms", "options-snap"};
    for (long i = 0; i < 5; ++i) {
        openPath(options(), {i});
        check(names[i]);
    }
}

TEST_F(MenuSnapshot, BankMenuWithAGroupAndTheSortSubMenu) {
    openPath(banks(), {groupNamed("Mixing")});
    check("bank-group");
    openPath(banks(), {groupEntries() + 7});
    check("bank-sort");
}

TEST_F(MenuSnapshot, PresetMenu) {
    openPath(presets(), {1});
    check("preset");
}

TEST_F(MenuSnapshot, LibraryDialogs) {
    choose(presets(), {solva::menus::presetEntries(*presets()) + 3});
    check("dialog-create-new");
    typeInto(visibleField(solva::menus::kBankNameTag), "Fresh");
    check("dialog-bank");
    typeInto(visibleField(solva::menus::kBankNameTag), "Drums");
    check("dialog-bank-name-exists");
    choose(banks(), {groupEntries() + 2});
    check("dialog-delete-bank");
    bridge()->NewPreset(false);
    idle();
    typeInto(visibleField(solva::menus::kPresetNameTag), "Brighter");
    check("dialog-preset");
    choose(presets(), {solva::menus::presetEntries(*presets()) + 4});
    check("dialog-delete-preset");
}

TEST_F(MenuSnapshot, InformationPanelOfAFactoryPreset) {
    choose(presets(), {solva::menus::presetEntries(*presets()) + 1});
    check("panel-information");
}

TEST_F(MenuSnapshot, SidePanelsAndDiscardDialogs) {
    choose(options(), {2, 0});
    check("panel-lr");
    choose(options(), {2, 1});
    check("dialog-discard-lr");
    editor->hideAllDialogs();
    editor->showChannelPanel(0);
    choose(options(), {3, 0});
    choose(options(), {3, 1});
    check("dialog-discard-ms");
}

}  // namespace
}  // namespace menutest
#endif
