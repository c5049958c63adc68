// An in-memory file system, resource table and registry with switches for
// every failure the installer must survive.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/gauge.h"
#include "core/path.h"
#include "core/platform.h"

namespace testing_fake {

// Windows compares names ignoring case; keys are stored upper-case.
inline std::string Key(const std::string& s) { return core::AsciiUpper(s); }

class FakePlatform : public core::Platform {
 public:
  FakePlatform();

  // Resources, by name (looked up ignoring case).
  void AddResource(const std::string& name, const std::string& data);
  void RemoveResource(const std::string& name);
  // Files and folders.
  void AddDir(const std::string& path) { dirs_.insert(Key(path)); }
  void AddFile(const std::string& path, const std::string& data);
  // Read-only, or held open without sharing: it can be neither replaced nor
  // deleted, except as a leftover, whose read-only attribute is cleared.
  void SetReadOnly(const std::string& path) { readOnly_.insert(Key(path)); }
  // Held by another program for the next `times` moves from or onto it.
  void SetHeld(const std::string& path, int times) { held_[Key(path)] = times; }
  // A link or a second name: it exists, but is no plain file.
  void SetNotPlain(const std::string& path) { notPlain_.insert(Key(path)); }
  // The process dies after `count` more changes: nothing after them reaches
  // the disk.
  void StopAfter(int count) { changesLeft_ = count; }
  int Changes() const { return changes_; }
  int WaitedMs() const { return waitedMs_; }
  bool IsHeldFolder(const std::string& path) const { return heldFolders_.count(Key(path)) != 0; }
  // Called with the path of every file about to be created, before the
  // check that it does not exist: to plant a name mid-run.
  void SetBeforeCreate(std::function<void(const std::string&)> hook) {
    beforeCreate_ = std::move(hook);
  }
  // Folders whose creation fails, and which can be neither held nor entered.
  void RefuseDir(const std::string& path) { refusedDirs_.insert(Key(path)); }
  // Bytes the "disk" still takes; a longer write fails and leaves no file.
  void SetFreeSpace(long long bytes) { freeSpace_ = bytes; }
  void SetRegistryFails(bool fails) { registryFails_ = fails; }
  // What FullLongPath gives for `path`; other paths come back unchanged.
  void SetFullLongPath(const std::string& path, const std::string& full) {
    fullLongPaths_[Key(path)] = full;
  }

  // The current directory the system keeps for a drive other than the
  // current one; its root by default.
  std::map<char, std::string> driveDirectories;
  std::vector<bool> links;  // each link made: on the desktop or not
  bool desktopLinkFails = false;

  bool HasFile(const std::string& path) const { return files_.count(Key(path)) != 0; }
  std::string FileData(const std::string& path) const;
  std::vector<std::string> FileNames() const;  // as written, sorted by key
  bool HasDir(const std::string& path) const { return dirs_.count(Key(path)) != 0; }
  // Registry values as "KEY|NAME" -> data.
  const std::map<std::string, std::string>& Registry() const { return registry_; }
  // Every path handed to a write, in order, and those written durably.
  const std::vector<std::string>& Writes() const { return writes_; }
  const std::vector<std::string>& DurableWrites() const { return durableWrites_; }

  core::Bytes ReadResource(const std::string& name) override;
  bool DirectoryExists(const std::string& path) override;
  bool FileExists(const std::string& path) override;
  bool CreateDir(const std::string& path) override;
  core::FileResult WriteNewFile(const std::string& path, core::Bytes data, bool durable) override;
  bool RemoveFile(const std::string& path) override;
  bool RemoveLeftover(const std::string& path) override;
  bool IsPlainFile(const std::string& path) override;
  std::vector<std::string> FilesIn(const std::string& folder) override;
  bool RenameFile(const std::string& from, const std::string& to) override;
  core::FileResult ReplaceFile(const std::string& from, const std::string& to) override;
  std::unique_ptr<core::HeldFolder> HoldFolder(const std::string& path) override;
  void Wait(int milliseconds) override { waitedMs_ += milliseconds; }
  bool WriteRegString(const std::string& key, const std::string& name,
                      const std::string& value) override;
  std::string FullLongPath(const std::string& path) override;
  void CreateShortcut(const std::string& target, const std::string& arguments,
                      const std::string& workDir, const std::string& group,
                      bool onDesktop) override;
  std::string ProgramPath() override { return "C:\\Downloads\\_setup.exe"; }
  core::Bytes ProgramResource(int) override { return {}; }
  std::string SystemDir() override { return "C:\\Windows\\system32"; }
  // The chooser's: no drives listed, empty folders, the text as it is.
  std::vector<core::DriveInfo> ListDrives() override { return {}; }
  core::FolderContents ReadFolder(const std::string&) override { return {}; }
  bool VolumeKeepsCase(const std::string&) override { return true; }
  std::string CurrentDirectory() override { return currentDir_; }
  bool ChangeCurrentDirectory(const std::string& path) override;
  std::string DriveCurrentDirectory(char letter) override;
  std::string ResolvePath(const std::string& text) override { return text; }
  bool ToCodePage(const std::string& text, std::string& ansi) override {
    ansi = text;
    return true;
  }
  std::string FromCodePage(const std::string& ansi) override { return ansi; }

 private:
  core::FileResult Move(const std::string& from, const std::string& to, bool replace);
  bool Remove(const std::string& path, bool evenReadOnly);
  // Counts a change to the disk; false once the process has died.
  bool Change();
  struct File {
    std::string name;
    std::string data;
  };
  std::map<std::string, std::string> resources_;
  std::map<std::string, File> files_;
  std::set<std::string> dirs_;
  std::string currentDir_ = "C:\\";
  std::set<std::string> readOnly_;
  std::map<std::string, int> held_;
  std::set<std::string> notPlain_;
  std::multiset<std::string> heldFolders_;
  int changes_ = 0;
  int changesLeft_ = -1;  // unlimited
  int waitedMs_ = 0;
  std::function<void(const std::string&)> beforeCreate_;
  std::set<std::string> refusedDirs_;
  std::map<std::string, std::string> registry_;
  std::map<std::string, std::string> fullLongPaths_;
  std::vector<std::string> writes_;
  std::vector<std::string> durableWrites_;
  long long freeSpace_ = -1;  // unlimited
  bool registryFails_ = false;
};

// A gauge that remembers every percentage it showed.
class RecordingGauge : public core::Gauge {
 public:
  std::vector<int> shown;

 protected:
  void Changed() override { shown.push_back(PercentDone()); }
};

}  // namespace testing_fake
