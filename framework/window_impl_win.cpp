#include "framework/window_impl_win.h"

#include "framework/application_win.h"

namespace vh {

CWindowImpl::~CWindowImpl() {
    // A window that outlives its object would call into freed memory.
    if (IsWindow()) {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        ::DestroyWindow(m_hWnd);
    }
}

HWND CWindowImpl::Create(WNDCLASSEXW cls, DWORD exStyle, const wchar_t* title, DWORD style,
                         const RECT& rect, HWND parent, HMENU menuOrId) {
    cls.cbSize = sizeof cls;
    cls.lpfnWndProc = WindowProc;
    if (!cls.hInstance)
        cls.hInstance =
            CApplication::Get() ? CApplication::Get()->Instance() : GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{sizeof existing};
    if (!GetClassInfoExW(cls.hInstance, cls.lpszClassName, &existing) && !RegisterClassExW(&cls))
        return nullptr;
    return CreateWindowExW(exStyle, cls.lpszClassName, title, style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, parent, menuOrId,
                           cls.hInstance, this);
}

LRESULT CALLBACK CWindowImpl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<CWindowImpl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hWnd = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CWindowImpl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        self->m_hWnd = nullptr;
        Guarded(window, 0, [&] {
            self->OnFinalMessage();
            return LRESULT{0};
        });
        return result;
    }
    // A hook that failed has handled its message; creation fails with it.
    return Guarded(window, message == WM_CREATE ? -1 : 0, [&] {
        if (message == WM_CREATE)
            return self->OnCreate(*reinterpret_cast<CREATESTRUCTW*>(lParam)) ? LRESULT{0}
                                                                             : LRESULT{-1};
        bool handled = false;
        const LRESULT result = self->Dispatch(message, wParam, lParam, handled);
        return handled ? result : DefWindowProcW(window, message, wParam, lParam);
    });
}

}  // namespace vh
