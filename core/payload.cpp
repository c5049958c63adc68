#include "core/payload.h"

#include <string_view>

#include "core/error.h"
#include "core/names.h"
#include "core/path.h"

namespace core {

namespace {

const char kCannotCreateDir[] = "Unable to create directory";
const char kRangeError[] = "Range check error";

}  // namespace

std::vector<std::string> LoadResourceList(Platform& platform, const std::string& resName) {
  const Bytes bytes = platform.ReadResource(resName);
  return SplitLines(std::string_view(reinterpret_cast<const char*>(bytes.data), bytes.size));
}

bool ForceDirectories(Platform& platform, std::string dir) {
  // Walk up to the first level that exists (or cannot be split further),
  // then create downwards; iterative so deep names cannot exhaust the stack.
  std::vector<std::string> missing;
  for (;;) {
    if (dir.empty()) throw Error(kCannotCreateDir);
    if (dir.back() == '\\') dir.pop_back();
    if (dir.size() < 3 || platform.DirectoryExists(dir)) break;
    std::string parent = ExtractFilePath(dir);
    if (parent == dir) break;
    missing.push_back(dir);
    dir = std::move(parent);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (!platform.CreateDir(*it)) return false;
  }
  return true;
}

bool ExtractResourceFile(Platform& platform, const std::string& dir,
                         const std::string& resName, const std::string& fileName) {
  try {
    const Bytes bytes = platform.ReadResource(resName);
    const std::string sub = ExtractFilePath(fileName);
    if (!sub.empty()) ForceDirectories(platform, dir + sub);
    // The earlier file stays whole until its replacement is complete.
    const std::string path = dir + fileName;
    const std::string partial = path + kPartialSuffix;
    // A killed run's partial file goes right before it is written again,
    // not once at the start: a name planted in between would be written
    // through. Whatever is at the name then, a link or a file planted after
    // this, stays and fails the file below: it is someone else's.
    platform.RemoveLeftover(partial);
    // An earlier file is at stake: the new bytes reach the disk before they
    // take its name, so a power cut cannot leave an empty file in its place.
    // A first installation has nothing to lose and skips the costly flush.
    platform.WriteNewFile(partial, bytes, platform.FileExists(path));
    if (!platform.ReplaceFile(partial, path)) {
      platform.RemoveFile(partial);
      return false;
    }
    return true;
  } catch (...) {
    return false;
  }
}

bool ExtractPayload(Platform& platform, const std::string& dir, Gauge& gauge) {
  const std::string base = JoinPath(dir, "\\");
  bool result = true;
  try {
    const std::vector<std::string> list = LoadResourceList(platform, kManifestResource);
    gauge.SetProgress(0);
    gauge.SetMaxValue(static_cast<int>(list.size()) - 1);
    const size_t files = list.size() - 1;  // the last line is the version
    if (files > kMaxFileLines) throw Error(kRangeError);
    for (size_t i = 0; i < files; ++i) {
      const std::string& name = list[i];
      if (name.size() > kMaxNameLength) throw Error(kRangeError);
      // A name that would leave the target folder counts as a missing file.
      if (!IsSafePayloadName(name) ||
          !ExtractResourceFile(platform, base, ResourceName(name), name)) {
        result = false;
        break;
      }
      gauge.SetProgress(gauge.Progress() + 1);
    }
    platform.RemoveFile(base + kManifestFile);
  } catch (...) {
    result = false;
  }
  return result;
}

}  // namespace core
