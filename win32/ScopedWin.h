// Every owner of a Win32 resource in one place: handles, registry keys, find
// handles, device contexts, GDI objects and COM. None can be copied.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace win32 {

class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~ScopedHandle() {
    if (valid()) CloseHandle(h_);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  ScopedHandle(ScopedHandle&& other) noexcept : h_(other.release()) {}
  ScopedHandle& operator=(ScopedHandle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }
  void reset(HANDLE h) {
    if (valid()) CloseHandle(h_);
    h_ = h;
  }
  HANDLE release() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h;
  }

 private:
  HANDLE h_;
};

class ScopedKey {
 public:
  ScopedKey() = default;
  ~ScopedKey() { reset(); }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;
  HKEY* receive() {
    reset();
    return &key_;
  }
  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }
  void reset() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
};

// A FindFirstFile search; FindClose when done.
class ScopedFind {
 public:
  explicit ScopedFind(HANDLE h) : h_(h) {}
  ~ScopedFind() {
    if (valid()) FindClose(h_);
  }
  ScopedFind(const ScopedFind&) = delete;
  ScopedFind& operator=(const ScopedFind&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return h_; }

 private:
  HANDLE h_;
};

// A window's DC (the screen's for nullptr), released when done.
class WindowDC {
 public:
  explicit WindowDC(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
  ~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// A memory DC compatible with `reference` (the screen for nullptr).
class MemoryDC {
 public:
  explicit MemoryDC(HDC reference) : dc_(CreateCompatibleDC(reference)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A font, brush, bitmap or other GDI object; movable, not copyable.
template <typename T>
class GdiObject {
 public:
  explicit GdiObject(T object = nullptr) : object_(object) {}
  ~GdiObject() { reset(); }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  GdiObject(GdiObject&& other) noexcept : object_(other.release()) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  T get() const { return object_; }
  T release() {
    T object = object_;
    object_ = nullptr;
    return object;
  }
  void reset(T object = nullptr) {
    if (object_) DeleteObject(object_);
    object_ = object;
  }
  explicit operator bool() const { return object_ != nullptr; }

 private:
  T object_;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Bitmap = GdiObject<HBITMAP>;

// Selects an object into a DC for one scope.
class Selected {
 public:
  Selected(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selected() { SelectObject(dc_, old_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Joins the calling thread to a single-threaded COM apartment for the scope;
// leaves it only if joining succeeded (already joined counts).
class ScopedCom {
 public:
  ScopedCom() : ok_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ScopedCom() {
    if (ok_) CoUninitialize();
  }
  ScopedCom(const ScopedCom&) = delete;
  ScopedCom& operator=(const ScopedCom&) = delete;

 private:
  bool ok_;
};

// A COM interface pointer, released when done. receive() hands the typed
// out-pointer to a factory method, or with IID_PPV_ARGS to CoCreateInstance
// and QueryInterface, so the interface asked for is the one held.
template <typename T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* operator->() const { return p_; }
  T* get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** receive() {
    reset();
    return &p_;
  }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace win32
