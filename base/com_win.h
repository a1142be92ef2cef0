// Owners for COM: the apartment a shell call needs on its thread, interface references and the
// memory COM hands out.
#pragma once

#include "base/shell_and_com_win.h"

#include <objbase.h>

namespace qv {

// CoInitializeEx for one call into the shell, undone when it ends (when it was done here).
class ComApartment {
  public:
    ComApartment()
        : initialised_(SUCCEEDED(
              com::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComApartment() {
        if (initialised_) com::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool initialised_;
};

// A COM interface released once.
template <typename T> class ComRef {
  public:
    ComRef() = default;
    ~ComRef() { reset(); }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T* operator->() const { return pointer_; }
    T* get() const { return pointer_; }
    // For out-parameters: drops what is held and lends the slot.
    T** put() {
        reset();
        return &pointer_;
    }
    void reset() {
        if (pointer_) pointer_->Release();
        pointer_ = nullptr;
    }

  private:
    T* pointer_ = nullptr;
};

// CoTaskMemAlloc'd memory (item ids, display names), freed once.
template <typename T> class CoTaskMemory {
  public:
    CoTaskMemory() = default;
    explicit CoTaskMemory(T pointer) : pointer_(pointer) {}
    ~CoTaskMemory() { com::CoTaskMemFree(pointer_); }
    CoTaskMemory(const CoTaskMemory&) = delete;
    CoTaskMemory& operator=(const CoTaskMemory&) = delete;
    T get() const { return pointer_; }
    T* put() { return &pointer_; }

  private:
    T pointer_ = nullptr;
};

} // namespace qv
