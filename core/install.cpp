#include "core/install.h"

#include "core/path.h"
#include "core/payload.h"

namespace core {

namespace {

const char kBlankLine[] = " ";
constexpr int kLeadingBlankLines = 4;

// Files of the earlier product generation.
const char* const kObsoleteFiles[] = {
    "\\Pultox.dll", "\\Logbox.dll", "\\Pultox.cnt", "\\Pultox.hlp",
};

// The Hungarian modules get the names the program loads.
struct Activation {
  const char* from;
  const char* to;
};
const Activation kActivations[] = {
    {"\\pultix.hu", "\\pultix.dll"},
    {"\\Logbix.hu", "\\Logbix.dll"},
};

// The module's name passes from the earlier installation's module to this
// run's in one replacing rename, so a stop at any moment leaves one or the
// other, never neither. Only a file this run wrote whole takes the name,
// and only a plain file gives it up.
bool Activate(Run& run, const std::string& from, const std::string& to) {
  Platform& platform = run.platform();
  if (!run.HasWritten(from) || !platform.IsPlainFile(from)) return false;
  if (!platform.FileExists(to)) return platform.RenameFile(from, to);
  Patience patience(platform);
  return platform.IsPlainFile(to) &&
         patience.Retry([&] { return platform.ReplaceFile(from, to); });
}

std::vector<std::string> BlankThen(const char* line) {
  std::vector<std::string> lines(kLeadingBlankLines, kBlankLine);
  lines.emplace_back(line);
  return lines;
}

}  // namespace

bool PrepareTargetFolder(Run& run, const std::string& targetDir) {
  Platform& platform = run.platform();
  if (!platform.DirectoryExists(targetDir)) ForceDirectories(platform, targetDir);
  return platform.DirectoryExists(targetDir) && run.Hold(targetDir);
}

std::string FolderUnusableMessage(const std::string& targetDir) {
  return "Unable to create folder: " + targetDir + ". \rChose another one.";
}

std::string LocaleValueName(const std::string& installedDir) {
  return JoinPath(installedDir, "\\pultix.exe");
}

InstallResult InstallFiles(Run& run, const std::string& targetDir, Gauge& gauge) {
  Platform& platform = run.platform();
  InstallResult result = kInstallCopyingFailed;
  if (ExtractPayload(run, targetDir, gauge)) result = kInstallSucceeded;
  for (const char* name : kObsoleteFiles) platform.RemoveFile(JoinPath(targetDir, name));
  for (const Activation& a : kActivations) {
    if (!Activate(run, JoinPath(targetDir, a.from), JoinPath(targetDir, a.to)))
      result = kInstallLanguageFailed;
  }
  run.End();
  if (!platform.WriteRegString(kLocalesKey, LocaleValueName(platform.FullLongPath(targetDir)),
                               "DLL"))
    result = kInstallRegistryFailed;
  return result;
}

std::vector<std::string> CopyingText() { return BlankThen("Copy files to target folder..."); }

std::vector<std::string> SuccessText() { return BlankThen("PULTIX installed successfully."); }

std::vector<std::string> FailureLines(InstallResult result) {
  std::vector<std::string> lines;
  switch (result) {
    case kInstallLanguageFailed:
      lines.emplace_back("Errors encountered during installing language files.");
      break;
    case kInstallCopyingFailed:
      lines.emplace_back("Errors encountered during copying.");
      break;
    case kInstallRegistryFailed:
      lines.emplace_back("Errors encountered during creating registry keys.");
      break;
    case kInstallSucceeded:
      break;
  }
  lines.emplace_back("Setup failed.");
  return lines;
}

}  // namespace core
