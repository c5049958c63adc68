#include "core/run.h"

#include <algorithm>

#include "core/path.h"

namespace core {

namespace {

constexpr int kFirstPauseMs = 50;
constexpr int kLongestPauseMs = 400;

// A folder without its closing '\' (a root keeps it: "C:" is the drive's
// current folder, and opened as itself the volume).
std::string WithoutClosingSeparator(std::string path) {
  while (path.size() > RootLength(path) && path.back() == '\\') path.pop_back();
  return path;
}

}  // namespace

bool Run::Hold(const std::string& folder) {
  const std::string path = WithoutClosingSeparator(folder);
  const std::string key = AsciiUpper(path);
  if (held_.count(key)) return true;
  std::unique_ptr<HeldFolder> held = platform_.HoldFolder(path);
  if (!held) return false;
  held_.emplace(key, std::move(held));
  return true;
}

void Run::Wrote(const std::string& path) { written_.insert(AsciiUpper(path)); }

bool Run::HasWritten(const std::string& path) const {
  return written_.count(AsciiUpper(path)) != 0;
}

bool Patience::Retry(const std::function<FileResult()>& attempt) {
  for (int pause = kFirstPauseMs;; pause = std::min(2 * pause, kLongestPauseMs)) {
    const FileResult result = attempt();
    if (result != FileResult::kHeld) return result == FileResult::kDone;
    if (waitedMs_ >= kHoldPatienceMs) return false;
    const int wait = std::min(pause, kHoldPatienceMs - waitedMs_);
    platform_.Wait(wait);
    waitedMs_ += wait;
  }
}

}  // namespace core
