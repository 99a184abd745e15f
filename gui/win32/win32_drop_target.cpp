#include "gui/win32/win32_drop_target.h"

namespace VSTGUI {

HRESULT STDMETHODCALLTYPE Win32DropTarget::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE Win32DropTarget::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG STDMETHODCALLTYPE Win32DropTarget::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE Win32DropTarget::DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) {
    if (effect) *effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32DropTarget::DragOver(DWORD, POINTL, DWORD* effect) {
    if (effect) *effect = DROPEFFECT_NONE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Win32DropTarget::DragLeave() { return S_OK; }

HRESULT STDMETHODCALLTYPE Win32DropTarget::Drop(IDataObject*, DWORD, POINTL, DWORD* effect) {
    if (effect) *effect = DROPEFFECT_NONE;
    return S_OK;
}

Win32DropTarget* registerDropTarget(HWND window) {
    const HRESULT initialised = OleInitialize(nullptr);
    if (FAILED(initialised)) return nullptr;
    auto* target = new Win32DropTarget();
    if (FAILED(RegisterDragDrop(window, target))) {
        target->Release();
        OleUninitialize();
        return nullptr;
    }
    return target;
}

void unregisterDropTarget(HWND window, Win32DropTarget* target) {
    if (!target) return;
    RevokeDragDrop(window);
    target->Release();
    OleUninitialize();
}

}  // namespace VSTGUI
