// Seam between the effect object and its editor: the plug-in module hands
// the effect a factory so that the effect core links without the GUI.
#pragma once

#include "plugin/editor_sink.h"
#include "plugin/vst/aeff_editor.h"

namespace solva {

class CBorvan;

// One editor object seen through its two faces: the host-facing editor
// contract and the effect-facing update interface. Both point to the same
// object; the effect deletes it through `editor` (the VST base does).
struct EditorHandle {
    vst::AEffEditor* editor = nullptr;
    EditorSink* sink = nullptr;
};

using EditorFactory = EditorHandle (*)(CBorvan* effect);

// Creates the product editor for an effect; both pointers null when none
// is available.
EditorHandle createBorvanEditor(CBorvan* effect);

}  // namespace solva
