// AccessibleNames: names that screen readers give controls whose caption says nothing to a
// listener (a "..." button), set through the system's annotation service (IAccPropServices), so
// that nothing on screen changes. The names are taken back by Clear, which a form runs when its
// window is destroyed, or when the object goes.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <utility>
#include <vector>

#include "common/win32/unique_handle.h"

namespace lyrics {

inline void ReleaseAnnotationService(IAccPropServices* service) noexcept { service->Release(); }
using AnnotationService = UniqueHandle<IAccPropServices*, &ReleaseAnnotationService>;

class AccessibleNames {
public:
    // The system's annotation service, created on the first name (COM must be initialised).
    AccessibleNames() noexcept = default;
    // This service (the object takes its reference).
    explicit AccessibleNames(AnnotationService service) noexcept : service_(std::move(service)) {}
    AccessibleNames(const AccessibleNames&) = delete;
    AccessibleNames& operator=(const AccessibleNames&) = delete;
    ~AccessibleNames() { Clear(); }

    // Gives control this name. False when there is no service or it refused (Wine's refuses every
    // annotation); the control then keeps the name the system makes from its caption.
    bool Set(HWND control, const wchar_t* name);
    // Takes back every name given; the controls go back to their captions.
    void Clear() noexcept;

private:
    AnnotationService service_;
    std::vector<HWND> named_;
};

}  // namespace lyrics
