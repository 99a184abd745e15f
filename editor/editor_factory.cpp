#include "plugin/editor_factory.h"

#include <new>

#include "editor/borvan_edit.h"
#include "plugin/borvan.h"

namespace solva {

EditorHandle createBorvanEditor(CBorvan* effect) {
    if (!effect) return {};
    auto* editor = new (std::nothrow) BorvanEdit(effect, effect, effect);
    if (!editor) return {};
    return {editor, editor};
}

}  // namespace solva
