// The folder chooser behind "Browse..." (window class TSelectDirDlg).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/chooser.h"
#include "forms/Form.h"

namespace wizard {

extern const forms::FormDef kSelectDirDef;

// "Select Directory": a modal dialog that hands back the folder it checked.
// Where it goes and what its lists show is core::FolderBrowser's; its paths
// are UTF-8, so the lists show every name as the file system spells it.
class TSelectDirDlg : public forms::Form {
 public:
  explicit TSelectDirDlg(core::Platform& platform);
  // Opens on `start` (ANSI text; a drive root as that drive's current
  // directory); when the user confirmed, the field's text made a full path
  // (ANSI; empty text stays empty).
  std::optional<std::string> Execute(HWND owner, const std::string& start);

 protected:
  void FormShow() override;
  bool OnCommand(int id, int code) override;
  bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
  bool OnMeasureItem(MEASUREITEMSTRUCT& item) override;
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void ShowFolder();
  void ChangeDrive();
  void FillDrives();
  void SelectDrive(char letter);
  void EnterRow(size_t index);
  void OkClick();
  // False after the box that refuses a folder the code page cannot name.
  bool Accepted(const core::Pick& pick);
  void DrawFolderRow(const DRAWITEMSTRUCT& item);
  void DrawDriveEntry(const DRAWITEMSTRUCT& item);

  core::Platform& platform_;
  core::FolderBrowser browser_;
  std::optional<std::string> chosen_;
};

// The chooser shown modally over `owner`, opening on `start`: what
// core::BrowseForTarget asks of the main window.
std::optional<std::string> ChooseFolder(HWND owner, core::Platform& platform,
                                        const std::string& start);

}  // namespace wizard
