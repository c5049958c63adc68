// Small owners for Win32 handles, registry keys and COM interfaces.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <utility>

namespace tools {

class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE h = INVALID_HANDLE_VALUE) : h_(h) {}
  ~ScopedHandle() {
    if (valid()) CloseHandle(h_);
  }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  bool valid() const { return h_ != INVALID_HANDLE_VALUE && h_ != nullptr; }
  HANDLE get() const { return h_; }

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
  void** receive() {
    reset();
    return reinterpret_cast<void**>(&p_);
  }
  void reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

// A FindFirstFileA search, closed with FindClose.
class ScopedFind {
 public:
  explicit ScopedFind(HANDLE h) : h_(h) {}
  ~ScopedFind() {
    if (valid()) FindClose(h_);
  }
  ScopedFind(const ScopedFind&) = delete;
  ScopedFind& operator=(const ScopedFind&) = delete;
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

}  // namespace tools
