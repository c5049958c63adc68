// One installer per user session: two copies clicked through together would
// work on the same folder at once.
#pragma once

#include <windows.h>

#include "win32/ScopedWin.h"

namespace tools {

class SingleInstance {
 public:
  // `name` names the session-local mutex and the mark on the first copy's
  // application window.
  explicit SingleInstance(const char* name);
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;

  bool IsFirst() const { return first_; }
  // In a later copy: brings the first copy forward, restoring it when it is
  // minimised, at the window the user works in (a modal dialog when one is
  // open). False when no window of the first copy shows up within `waitMs`:
  // another program holds the name, or a copy hangs before its window.
  bool ActivateFirst(DWORD waitMs) const;

  // In the first copy: marks its application window while the mark lives.
  class Mark {
   public:
    Mark(const SingleInstance& instance, HWND appWindow);
    ~Mark();
    Mark(const Mark&) = delete;
    Mark& operator=(const Mark&) = delete;

   private:
    const char* name_;
    HWND window_;
  };

 private:
  const char* name_;
  win32::ScopedHandle mutex_;
  bool first_ = true;
};

}  // namespace tools
