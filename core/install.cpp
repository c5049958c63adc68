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

// The Hungarian modules get their active names; the earlier installation's
// module of that name is deleted first, but only when its replacement is
// there, so a run that could not extract it leaves a program that starts.
struct Activation {
  const char* from;
  const char* to;
  const char* earlier;
};
const Activation kActivations[] = {
    {"\\pultix.hu", "\\pultix.dll", "\\Pultix.dll"},
    {"\\Logbix.hu", "\\Logbix.dll", "\\Logbix.dll"},
};

std::vector<std::string> BlankThen(const char* line) {
  std::vector<std::string> lines(kLeadingBlankLines, kBlankLine);
  lines.emplace_back(line);
  return lines;
}

}  // namespace

bool PrepareTargetFolder(Platform& platform, const std::string& targetDir) {
  if (!platform.DirectoryExists(targetDir)) ForceDirectories(platform, targetDir);
  return platform.DirectoryExists(targetDir);
}

std::string FolderUnusableMessage(const std::string& targetDir) {
  return "Unable to create folder: " + targetDir + ". \rChose another one.";
}

std::string LocaleValueName(const std::string& installedDir) {
  return JoinPath(installedDir, "\\pultix.exe");
}

InstallResult InstallFiles(Platform& platform, const std::string& targetDir, Gauge& gauge) {
  InstallResult result = kInstallCopyingFailed;
  if (ExtractPayload(platform, targetDir, gauge)) result = kInstallSucceeded;
  for (const char* name : kObsoleteFiles) platform.RemoveFile(JoinPath(targetDir, name));
  for (const Activation& a : kActivations) {
    if (platform.FileExists(JoinPath(targetDir, a.from)))
      platform.RemoveFile(JoinPath(targetDir, a.earlier));
  }
  for (const Activation& a : kActivations) {
    if (!platform.RenameFile(JoinPath(targetDir, a.from), JoinPath(targetDir, a.to)))
      result = kInstallLanguageFailed;
  }
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
