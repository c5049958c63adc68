// The shipped payload as its own file.lst lists it, for host and Wine tests
// alike; TEST_PAYLOAD_DIR names the folder.
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/names.h"

namespace support {

inline std::string PayloadPath(const std::string& name) {
#ifdef _WIN32
  return std::string(TEST_PAYLOAD_DIR) + "\\" + name;
#else
  return std::string(TEST_PAYLOAD_DIR) + "/" + name;
#endif
}

// Every file line of file.lst (the list itself included), without the
// version line.
inline std::vector<std::string> ShippedFiles() {
  std::ifstream in(PayloadPath("file.lst"), std::ios::binary);
  std::vector<std::string> lines =
      core::SplitLines(std::string(std::istreambuf_iterator<char>(in), {}));
  if (!lines.empty()) lines.pop_back();
  return lines;
}

}  // namespace support
