// Reads a resource of a module; header-only, so the banner decoder
// links nothing for it.
#pragma once

#include <windows.h>

#include "core/platform.h"

namespace win32 {

// The bytes of the resource `name` (a name, or MAKEINTRESOURCEA of an id) of
// `module`, raw data unless another type is given; data is nullptr when there
// is none. Resources live as long as their module: nothing to free.
inline core::Bytes ResourceBytes(HMODULE module, const char* name, const char* type = RT_RCDATA) {
  HRSRC info = FindResourceA(module, name, type);
  HGLOBAL handle = info ? LoadResource(module, info) : nullptr;
  const void* data = handle ? LockResource(handle) : nullptr;
  if (!data) return {};
  return {static_cast<const unsigned char*>(data), SizeofResource(module, info)};
}

}  // namespace win32
