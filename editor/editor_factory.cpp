#include "plugin/editor_factory.h"

namespace solva {

// The editor is not built yet: the effect runs without one, and every
// editor opcode answers 0.
EditorHandle createBorvanEditor(CBorvan*) { return {}; }

}  // namespace solva
