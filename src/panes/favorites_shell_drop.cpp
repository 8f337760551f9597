// A minimal IDropTarget for file lists dropped from the shell.
#include "panes/favorites_shell_drop.h"

#include <shellapi.h>

#include <atomic>

namespace kelpo {

namespace {

class ShellDropTarget final : public IDropTarget {
public:
    ShellDropTarget(HWND window, ShellDropCalls calls) : window_(window), calls_(std::move(calls)) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (id == IID_IUnknown || id == IID_IDropTarget) {
            *object = static_cast<IDropTarget*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        accepts_ = data != nullptr && data->QueryGetData(&format) == S_OK;
        return DragOver(0, point, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL point, DWORD* effect) override {
        if (!accepts_ || (*effect & DROPEFFECT_LINK) == 0) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        *effect = DROPEFFECT_LINK;
        if (calls_.over) {
            calls_.over(ClientPoint(point));
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override {
        if (calls_.leave) {
            calls_.leave();
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL point, DWORD* effect) override {
        DragLeave();
        if (!accepts_ || (*effect & DROPEFFECT_LINK) == 0) {
            *effect = DROPEFFECT_NONE;
            return S_OK;
        }
        *effect = DROPEFFECT_LINK;
        FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        STGMEDIUM medium{};
        if (FAILED(data->GetData(&format, &medium))) {
            return S_OK;
        }
        std::vector<std::wstring> paths;
        if (auto drop = static_cast<HDROP>(::GlobalLock(medium.hGlobal))) {
            const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < count; ++i) {
                wchar_t path[MAX_PATH] = {};
                const UINT length = ::DragQueryFileW(drop, i, path, MAX_PATH);
                if (length >= 1 && length < MAX_PATH) {
                    paths.emplace_back(path, length);
                }
            }
            ::GlobalUnlock(medium.hGlobal);
        }
        ::ReleaseStgMedium(&medium);
        if (calls_.drop && !paths.empty()) {
            calls_.drop(paths, ClientPoint(point));
        }
        return S_OK;
    }

private:
    POINT ClientPoint(POINTL screen) const {
        POINT point{screen.x, screen.y};
        ::ScreenToClient(window_, &point);
        return point;
    }

    HWND window_;
    ShellDropCalls calls_;
    std::atomic<ULONG> references_{1};
    bool accepts_ = false;
};

}  // namespace

bool RegisterShellDrop(HWND window, ShellDropCalls calls) {
    auto* target = new (std::nothrow) ShellDropTarget(window, std::move(calls));
    if (target == nullptr) {
        return false;
    }
    const HRESULT result = ::RegisterDragDrop(window, target);
    target->Release();  // OLE holds its own reference when registration succeeded
    return SUCCEEDED(result);
}

void RevokeShellDrop(HWND window) {
    ::RevokeDragDrop(window);
}

}  // namespace kelpo
