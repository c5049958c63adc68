#include "core/install.h"

#include "core/filesystem.h"
#include "core/path.h"
#include "core/payload.h"

namespace core {

namespace {

// The Start menu's program group of the links, and their arguments.
const char kLinkGroup[] = "Vorlen";
const char kLinkArguments[] = " ";

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

}  // namespace

bool PrepareTargetFolder(Run& run, const std::string& targetDir) {
  Platform& platform = run.platform();
  if (!platform.DirectoryExists(targetDir)) CreateFolderWithParents(platform, targetDir);
  return platform.DirectoryExists(targetDir) && run.Hold(targetDir);
}

Installed InstallFiles(Run& run, const std::string& targetDir, Gauge& gauge) {
  Platform& platform = run.platform();
  Installed installed;
  if (ExtractPayload(run, targetDir, gauge)) installed.result = kInstallSucceeded;
  for (const char* name : kObsoleteFiles) platform.RemoveFile(JoinPath(targetDir, name));
  for (const Activation& a : kActivations) {
    if (!Activate(run, JoinPath(targetDir, a.from), JoinPath(targetDir, a.to)))
      installed.result = kInstallLanguageFailed;
  }
  run.End();
  // The program looks its own full long path up, whatever the target text
  // was; its links name it by that path too.
  installed.folder = platform.FullLongPath(targetDir);
  installed.registeredProgram = JoinPath(installed.folder, "\\pultix.exe");
  installed.linkedProgram = JoinPath(installed.folder, "\\Pultix.exe");
  if (!platform.WriteRegString(kLocalesKey, installed.registeredProgram, "DLL"))
    installed.result = kInstallRegistryFailed;
  return installed;
}

void CreateLinks(LinkMaker& links, const Installed& installed, bool onDesktop, bool inStartMenu) {
  const std::string& program = installed.linkedProgram;
  if (onDesktop) links.CreateShortcut(program, kLinkArguments, installed.folder, kLinkGroup, true);
  if (inStartMenu)
    links.CreateShortcut(program, kLinkArguments, installed.folder, kLinkGroup, false);
}

}  // namespace core
