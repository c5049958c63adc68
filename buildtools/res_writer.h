// A .res file of RT_RCDATA entries, as the resource compiler takes it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace payload_tool {

class ResWriter {
 public:
  explicit ResWriter(const std::filesystem::path& path);
  void Add(const std::string& name, const std::string& data) { Entry(&name, data, false); }
  void Close();

 private:
  void U16(uint16_t v) { Put(&v, 2); }
  void U32(uint32_t v) { Put(&v, 4); }
  void Put(const void* p, size_t n) { out_.write(static_cast<const char*>(p), n); }
  void Pad(size_t n);
  void Entry(const std::string* name, const std::string& data, bool empty);
  std::ofstream out_;
};

}  // namespace payload_tool
