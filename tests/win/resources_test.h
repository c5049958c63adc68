// What the resource tests share: this program's own resources, linked in as
// they are into the installer.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "win32/Resource.h"

inline HMODULE Self() { return GetModuleHandleA(nullptr); }

// The resource's bytes; empty when there is none.
inline std::string Resource(LPCSTR name, LPCSTR type) {
  const core::Bytes b = win32::ResourceBytes(Self(), name, type);
  return b.data ? std::string(reinterpret_cast<const char*>(b.data), b.size) : std::string();
}

inline std::string Resource(int id, LPCSTR type) { return Resource(MAKEINTRESOURCEA(id), type); }

inline std::string RcData(int id) { return Resource(id, RT_RCDATA); }
