#include "win32/Prefetch.h"

#include <windows.h>

#include <algorithm>

namespace win32 {

namespace {

using PrefetchFn = BOOL(WINAPI*)(HANDLE, ULONG_PTR, PWIN32_MEMORY_RANGE_ENTRY, ULONG);

// Large enough for large reads, small enough that the first files are in
// memory soon.
constexpr size_t kPiece = 16 << 20;

struct Job {
  PrefetchFn prefetch;
  core::Bytes span;
};

DWORD WINAPI Prefetch(void* param) {
  const Job job = *static_cast<Job*>(param);
  delete static_cast<Job*>(param);
  for (size_t at = 0; at < job.span.size; at += kPiece) {
    WIN32_MEMORY_RANGE_ENTRY range = {const_cast<unsigned char*>(job.span.data + at),
                                      std::min(kPiece, job.span.size - at)};
    if (!job.prefetch(GetCurrentProcess(), 1, &range, 0)) break;  // short of memory
  }
  return 0;
}

}  // namespace

core::Bytes ResourceSpan(HMODULE module) {
  // A module loaded as a data file has flag bits in its handle; its header
  // does not give the places of a mapped image.
  if (!module || (reinterpret_cast<ULONG_PTR>(module) & 3)) return {};
  const auto* base = reinterpret_cast<const unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  if (nt->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_RESOURCE) return {};
  const IMAGE_DATA_DIRECTORY& dir =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_RESOURCE];
  if (!dir.VirtualAddress || !dir.Size) return {};
  return {base + dir.VirtualAddress, dir.Size};
}

void PrefetchInBackground(core::Bytes span) {
  // Looked up at run time: Windows 7 lacks the call.
  const auto prefetch = reinterpret_cast<PrefetchFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "PrefetchVirtualMemory")));
  if (!prefetch || !span.data || !span.size) return;
  auto* job = new Job{prefetch, span};
  const HANDLE thread = CreateThread(nullptr, 0, Prefetch, job, 0, nullptr);
  if (thread)
    CloseHandle(thread);
  else
    delete job;
}

}  // namespace win32
