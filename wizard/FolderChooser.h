// The folder chooser behind "Browse..." (window class TSelectDirDlg).
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "core/chooser.h"
#include "forms/Form.h"

namespace core {
class Platform;
}

namespace wizard {

extern const forms::FormDef kSelectDirDef;

// "Select Directory": a modal dialog that only hands back the field's folder;
// navigating changes the process's current directory. Its paths are UTF-8,
// so the lists show every name as the file system spells it.
class TSelectDirDlg : public forms::Form {
 public:
  explicit TSelectDirDlg(core::Platform& platform);
  // Opens on `start` (ANSI text; a drive root as that drive's current
  // directory); true when the user confirmed, with the field's text made a
  // full path (ANSI; empty text stays empty).
  bool Execute(HWND owner, const std::string& start, std::string& chosen);
  // The folder the lists show.
  const std::string& Folder() const { return folder_; }

 protected:
  void FormShow() override;
  bool OnCommand(int id, int code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool ChangeFolder(const std::string& path);
  void ChangeDrive();
  void FillDrives();
  void SelectDrive(char letter);
  void EnterRow(size_t index);
  void OkClick();
  void DrawFolderRow(const DRAWITEMSTRUCT& item);
  void DrawDriveEntry(const DRAWITEMSTRUCT& item);

  core::Platform& platform_;
  std::string folder_;
  core::FolderRows rows_;
  std::map<char, std::string> driveFolders_;  // last folder seen per drive
  std::string chosen_;
};

// Button1Click of the main window: chooses a target folder starting from
// `targetFolder`, creates the chosen one and stores it there (true). The
// process's current directory is restored, except when the creation raises
// "Unable to create directory", which is left to the caller's error box.
bool BrowseForTargetFolder(HWND owner, core::Platform& platform, std::string& targetFolder);

}  // namespace wizard
