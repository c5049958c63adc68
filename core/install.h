// The installation run behind "Next", apart from its windows: what it does to
// the target folder, the registry and the links, and the outcome it reports.
#pragma once

#include <string>

#include "core/gauge.h"
#include "core/platform.h"
#include "core/run.h"

namespace core {

// Outcome codes of one run; the last failing step in step order wins.
enum InstallResult : int {
  kInstallSucceeded = 1,
  kInstallCopyingFailed = -333,
  kInstallLanguageFailed = -444,
  kInstallRegistryFailed = -222,
};

inline bool Succeeded(InstallResult result) { return result == kInstallSucceeded; }

// Creates the target folder with its parents and holds it for the run;
// false when it still does not exist or cannot be held. Raises "Unable to
// create directory" for a path it cannot handle.
bool PrepareTargetFolder(Run& run, const std::string& targetDir);

// What a run installed, for the steps after it. The folder is the target's
// full long path, the form in which the installed program sees its own
// path; the program's path is spelled as its registry value names it and as
// its links name it.
struct Installed {
  InstallResult result = kInstallCopyingFailed;
  std::string folder;
  std::string registeredProgram;  // "<folder>\pultix.exe"
  std::string linkedProgram;      // "<folder>\Pultix.exe"
};

// Extraction, removal of old files, activation of the Hungarian modules and
// the language registration. Every step runs whatever the earlier ones gave;
// the run ends with it.
Installed InstallFiles(Run& run, const std::string& targetDir, Gauge& gauge);

// The links "Yes" in the shortcut dialog makes to what a run installed: on
// the desktop, in the Start menu's program group, or both; the first that
// cannot be made raises.
void CreateLinks(LinkMaker& links, const Installed& installed, bool onDesktop, bool inStartMenu);

// Registry key of the language registration.
inline constexpr const char* kLocalesKey = "SOFTWARE\\Borland\\Locales";

}  // namespace core
