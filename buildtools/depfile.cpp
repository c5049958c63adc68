#include "buildtools/depfile.h"

#include <fstream>

#include "buildtools/common.h"

namespace payload_tool {

namespace {

std::string DepEscape(const std::string& path) {
  std::string out;
  for (char c : path) {
    if (c == ' ' || c == '#') out += '\\';
    if (c == '$') out += '$';
    out += c;
  }
  return out;
}

}  // namespace

void WriteDepfile(const std::filesystem::path& path, const std::string& target,
                  const std::vector<std::string>& inputs) {
  std::ofstream dep(path, std::ios::binary);
  dep << DepEscape(target) << ":";
  for (const std::string& in : inputs) dep << " \\\n  " << DepEscape(in);
  dep << "\n";
  if (!dep) throw Failure{"cannot write " + path.string()};
}

}  // namespace payload_tool
