#include "buildtools/common.h"

#include <fstream>
#include <iterator>
#include <sstream>

#include "core/path.h"

namespace payload_tool {

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Failure{"cannot read " + path.string()};
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string StoredName(const std::string& resName) { return core::AsciiUpper(resName); }

std::string LineError(size_t line, const std::string& name, const std::string& why) {
  std::ostringstream s;
  s << "file.lst line " << line << ": \"" << name << "\" " << why;
  return s.str();
}

fs::path PayloadPath(const fs::path& dir, std::string name) {
  for (char& c : name) {
    if (c == '\\') c = '/';
  }
  return dir / name;
}

}  // namespace payload_tool
