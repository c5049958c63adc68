#include "core/filesystem.h"

#include <utility>
#include <vector>

#include "core/error.h"
#include "core/path.h"

namespace core {

bool CreateFolderWithParents(Platform& platform, std::string dir) {
  // Walk up to the first level that exists (or cannot be split further),
  // then create downwards; iterative so deep names cannot exhaust the stack.
  std::vector<std::string> missing;
  for (;;) {
    if (dir.empty()) throw Error("Unable to create directory");
    if (dir.back() == '\\') dir.pop_back();
    if (dir.size() < 3 || platform.DirectoryExists(dir)) break;
    std::string parent = FolderOf(dir);
    if (parent == dir) break;
    missing.push_back(dir);
    dir = std::move(parent);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!platform.CreateDir(*it)) return false;
  }
  return true;
}

}  // namespace core
