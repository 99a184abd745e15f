// The frame window's OLE drop target. Dragged data is refused
// (DROPEFFECT_NONE): no view of this product takes dropped files, so the
// pointer shows "no drop" and nothing reaches the views.
#pragma once

#include <windows.h>
#include <ole2.h>

namespace VSTGUI {

class Win32DropTarget : public IDropTarget {
public:
    Win32DropTarget() = default;
    virtual ~Win32DropTarget() = default;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDropTarget
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL where,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL where, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL where,
                                   DWORD* effect) override;

private:
    LONG references_ = 1;
};

// Registers a drop target on `window` after initialising OLE for the
// thread; the returned object is released by unregisterDropTarget. Null
// when OLE cannot be initialised (the window then simply takes no drops).
Win32DropTarget* registerDropTarget(HWND window);
void unregisterDropTarget(HWND window, Win32DropTarget* target);

}  // namespace VSTGUI
