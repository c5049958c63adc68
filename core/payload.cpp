#include "core/payload.h"

#include <map>
#include <set>
#include <string_view>

#include "core/error.h"
#include "core/filesystem.h"
#include "core/names.h"
#include "core/path.h"

namespace core {

namespace {

const char kRangeError[] = "Range check error";

}  // namespace

std::vector<std::string> LoadResourceList(Platform& platform, const std::string& resName) {
  const Bytes bytes = platform.ReadResource(resName);
  return SplitLines(std::string_view(reinterpret_cast<const char*>(bytes.data), bytes.size));
}

namespace {

// A killed run's partial files go before the first file is written, so the
// room they take is free for this run; one listing per folder. CREATE_NEW
// keeps the names safe afterwards: whatever appears there later fails its
// file instead of being written through.
void RemoveLeftovers(Run& run, const std::string& base, const std::vector<std::string>& names) {
  std::map<std::string, std::set<std::string>> byFolder;  // folder -> case-folded partial names
  for (const std::string& name : names) {
    if (name.size() > kMaxNameLength || !IsSafePayloadName(name)) continue;
    const std::string sub = FolderOf(name);
    byFolder[base + sub].insert(AsciiUpper(name.substr(sub.size()) + kPartialSuffix));
  }
  Platform& platform = run.platform();
  for (const auto& [folder, partials] : byFolder) {
    if (!platform.DirectoryExists(folder) || !run.Hold(folder)) continue;
    for (const std::string& file : platform.FilesIn(folder)) {
      if (partials.count(AsciiUpper(file))) platform.RemoveLeftover(folder + file);
    }
  }
}

}  // namespace

bool ExtractResourceFile(Run& run, const std::string& dir, const std::string& resName,
                         const std::string& fileName) {
  Platform& platform = run.platform();
  try {
    const Bytes bytes = platform.ReadResource(resName);
    const std::string sub = FolderOf(fileName);
    if (!sub.empty()) CreateFolderWithParents(platform, dir + sub);
    if (!run.Hold(dir + sub)) return false;
    // The earlier file stays whole until its replacement is complete.
    const std::string path = dir + fileName;
    const std::string partial = path + kPartialSuffix;
    // An earlier file is at stake: the new bytes reach the disk before they
    // take its name, so a power cut cannot leave an empty file in its place.
    // A first installation has nothing to lose and skips the costly flush.
    const bool durable = platform.FileExists(path);
    Patience patience(platform);
    if (!patience.Retry([&] { return platform.WriteNewFile(partial, bytes, durable); }))
      return false;
    if (!patience.Retry([&] { return platform.ReplaceFile(partial, path); })) {
      platform.RemoveFile(partial);
      return false;
    }
    run.Wrote(path);
    return true;
  } catch (...) {
    return false;
  }
}

bool ExtractPayload(Run& run, const std::string& dir, Gauge& gauge) {
  Platform& platform = run.platform();
  const std::string base = JoinPath(dir, "\\");
  bool result = true;
  try {
    const std::vector<std::string> list = LoadResourceList(platform, kManifestResource);
    gauge.SetProgress(0);
    gauge.SetMaxValue(static_cast<int>(list.size()) - 1);
    const size_t files = list.size() - 1;  // the last line is the version
    if (files > kMaxFileLines) throw Error(kRangeError);
    RemoveLeftovers(run, base, std::vector<std::string>(list.begin(), list.end() - 1));
    for (size_t i = 0; i < files; ++i) {
      const std::string& name = list[i];
      if (name.size() > kMaxNameLength) throw Error(kRangeError);
      // A name that would leave the target folder counts as a missing file.
      if (!IsSafePayloadName(name) ||
          !ExtractResourceFile(run, base, ResourceName(name), name)) {
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
