// What one installation run holds and has done: the folders it writes into,
// each held from its first write to the end of the run, and the files it
// wrote whole.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "core/platform.h"

namespace core {

// A file another program holds for a moment (a scanner that opened what was
// just written) gets this long, in all, before it counts as failed.
inline constexpr int kHoldPatienceMs = 1500;

class Run {
 public:
  explicit Run(Platform& platform) : platform_(platform) {}
  Run(const Run&) = delete;
  Run& operator=(const Run&) = delete;

  Platform& platform() { return platform_; }

  // Holds an existing folder until End(); true when it is held, now or since
  // an earlier call.
  bool Hold(const std::string& folder);
  // Lets go of every folder: the run is over.
  void End() { held_.clear(); }

  void Wrote(const std::string& path);
  bool HasWritten(const std::string& path) const;

 private:
  Platform& platform_;
  std::map<std::string, std::unique_ptr<HeldFolder>> held_;  // by case-folded path
  std::set<std::string> written_;
};

// Tries an operation on one file again while another program holds it,
// pausing a little longer each time, until kHoldPatienceMs have passed in
// all; one patience serves every operation on the file.
class Patience {
 public:
  explicit Patience(Platform& platform) : platform_(platform) {}
  bool Retry(const std::function<FileResult()>& attempt);
  int waitedMs() const { return waitedMs_; }

 private:
  Platform& platform_;
  int waitedMs_ = 0;
};

}  // namespace core
