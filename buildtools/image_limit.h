// The installer's image: how much of the 32-bit address space its payload
// may take.
#pragma once

#include <cstdint>
#include <string>

#include "buildtools/line_rules.h"

namespace payload_tool {

// The installer is a 32-bit program whose whole image, payload included, is
// mapped into its address space at start. 32-bit Windows gives a process
// 2 GiB, in which the system's DLLs, the heaps and the stacks are placed
// before and around the image; half of it for the image leaves the other half
// to them, wherever address-space layout randomisation puts them.
constexpr uintmax_t kMaxImageBytes = uintmax_t{1} << 30;
// The program's own sections (about 350 KB) and what may grow there.
constexpr uintmax_t kProgramImageBytes = uintmax_t{1} << 20;
// A file's share of the image: its bytes, 8-aligned, and its directory
// entries with the UTF-16 name.
inline uintmax_t ImageBytes(uintmax_t fileBytes, const std::string& resourceName) {
  return (fileBytes + 7) / 8 * 8 + 64 + 2 * resourceName.size();
}

// Adds a line's file to the image size; past the limit the build stops,
// checked or not.
void GrowImage(uintmax_t& image, const Line& line);

}  // namespace payload_tool
