#include "wizard/FolderChooser.h"

#include <initializer_list>
#include <vector>

#include "core/path.h"
#include "core/payload.h"
#include "forms/ListControls.h"
#include "forms/QuestionBox.h"
#include "tools/FileSystem.h"
#include "tools/MyTools.h"
#include "win32/Utf8.h"
#include "wizard/ControlIds.h"
#include "wizard/FolderIcons.h"

namespace wizard {

using namespace forms;

namespace {

constexpr int kFolderRowHeight = 17;
constexpr int kDriveRowHeight = 16;
constexpr int kDriveBoxHeight = 19;
constexpr int kDriveDropRows = 8;
constexpr int kIndent = 10;  // per folder level
constexpr UINT kFocusFolderList = WM_APP + 1;

const char kCreatePrompt[] = "The specified directory does not exist. Create it?";
// Around the folder's name, as the other folder errors read.
const wchar_t* const kOutsideCodePage[] = {
    L"Unable to use folder: ",
    L". \rIts name has characters outside the system's code page. Choose another one."};

HFONT FontOf(HWND control) {
  return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
}

// The target stays ANSI text, the form in which the installed program looks
// itself up: a folder that code page cannot name is refused, wherever it was
// chosen, rather than turned into another folder's name.
bool RefusedOutsideCodePage(HWND owner, const wchar_t* path, std::string& ansi) {
  if (tools::ToAnsi(path, ansi)) return false;
  tools::WideText message;
  for (const wchar_t* part : {kOutsideCodePage[0], path, kOutsideCodePage[1]})
    tools::Append(message, part);
  MessageBoxW(owner, message.data(), L"Error", MB_ICONSTOP | MB_OK);
  return true;
}

// Text typed in the field, made full relative to the current directory (the
// folder the chooser shows); as typed when it cannot be, empty text included.
tools::WideText FullPathOf(const tools::WideText& typed) {
  if (typed.size() <= 1) return typed;
  wchar_t full[MAX_PATH];
  const DWORD n = GetFullPathNameW(typed.data(), MAX_PATH, full, nullptr);
  return n && n < MAX_PATH ? tools::WideText(full, full + n + 1) : typed;
}

}  // namespace

TSelectDirDlg::TSelectDirDlg(core::Platform& platform) : Form(kSelectDirDef), platform_(platform) {
  OnClick(kChooserOK, [this] { OkClick(); });
}

bool TSelectDirDlg::Execute(HWND owner, const std::string& start, std::string& chosen) {
  Create(owner);
  SendMessageA(Item(kChooserOK), BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
  // Closed height of the drive box as designed, whatever the font.
  const ComboBox drives(Item(kChooserDriveList));
  RECT bounds;
  GetWindowRect(drives.Handle(), &bounds);
  const int frame = (bounds.bottom - bounds.top) - drives.GetItemHeight(-1);
  drives.SetItemHeight(-1, Scaled(kDriveBoxHeight) - frame);
  FillDrives();
  // The start is ANSI text; the chooser's paths are UTF-8.
  if (!ChangeFolder(win32::Utf8(win32::Utf16(core::ChooserOpenPath(start), CP_ACP).data())))
    ChangeFolder(tools::CurrentDirectory());
  if (ShowModal() != mrOk) return false;
  chosen = chosen_;
  return true;
}

void TSelectDirDlg::FormShow() {
  // The drop-down part: the height given when the box is resized.
  HWND drives = Item(kChooserDriveList);
  RECT bounds;
  GetWindowRect(drives, &bounds);
  SetWindowPos(drives, nullptr, 0, 0, bounds.right - bounds.left,
               Scaled(kDriveBoxHeight + kDriveDropRows * kDriveRowHeight + 2),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Showing focuses the first tab stop; the folder list takes it afterwards.
  PostMessageA(Handle(), kFocusFolderList, 0, 0);
}

LRESULT TSelectDirDlg::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kFocusFolderList) {
    SetFocus(Item(kChooserDirList));
    return 0;
  }
  return Form::HandleMessage(msg, wParam, lParam);
}

bool TSelectDirDlg::ChangeFolder(const std::string& path) {
  if (!tools::SetCurrentDirectoryTo(path)) return false;
  folder_ = tools::CurrentDirectory();
  if (char letter = core::DriveLetterOf(folder_)) driveFolders_[letter] = folder_;

  const tools::FolderContents contents = tools::ReadFolder(folder_);
  const bool keepsCase = tools::VolumeKeepsCase(folder_);
  rows_ = core::BuildFolderRows(folder_, contents.folders, keepsCase);

  std::vector<std::string> texts(rows_.rows.size());
  for (size_t i = 0; i < texts.size(); ++i) texts[i] = rows_.rows[i].text;
  ListBox(Item(kChooserDirList)).SetItems(texts, static_cast<int>(rows_.selected));

  texts.resize(contents.files.size());
  for (size_t i = 0; i < texts.size(); ++i)
    texts[i] = core::DisplayName(contents.files[i], keepsCase);
  ListBox(Item(kChooserFileList)).SetItems(texts);

  SelectDrive(core::DriveLetterOf(folder_));
  SetWindowTextW(Item(kChooserNameEdit), win32::Utf16(folder_).data());
  SendMessageA(Item(kChooserNameEdit), EM_SETSEL, 0, -1);
  return true;
}

void TSelectDirDlg::FillDrives() {
  const ComboBox box(Item(kChooserDriveList));
  box.Clear();
  for (const tools::DriveInfo& drive : tools::ListDrives())
    box.Add(core::DriveEntryText(drive.kind, drive.letter, drive.label, drive.networkName),
            static_cast<LPARAM>(drive.kind));
}

void TSelectDirDlg::SelectDrive(char letter) {
  const ComboBox box(Item(kChooserDriveList));
  const int count = box.GetCount();
  for (int i = 0; i < count; ++i) {
    const std::string text = box.GetText(i);
    if (!text.empty() && text[0] == letter) {
      box.SetCurSel(i);
      return;
    }
  }
  box.SetCurSel(-1);
}

void TSelectDirDlg::ChangeDrive() {
  const ComboBox box(Item(kChooserDriveList));
  const int index = box.GetCurSel();
  if (index == CB_ERR) return;
  const std::string text = box.GetText(index);
  if (text.empty()) return;
  const char letter = text[0];
  if (letter == core::DriveLetterOf(folder_)) return;
  // The drive's own current directory: where we left it, else the system's.
  auto seen = driveFolders_.find(letter);
  const std::string target =
      seen != driveFolders_.end() ? seen->second : tools::DriveCurrentDirectory(letter);
  if (!ChangeFolder(target) && !ChangeFolder(target.substr(0, 2) + "\\")) {
    // An unreadable drive leaves the lists where they were.
    MessageBeep(MB_ICONWARNING);
    SelectDrive(core::DriveLetterOf(folder_));
  }
}

bool TSelectDirDlg::OnCommand(int id, int code) {
  if (id == kChooserDirList && code == LBN_DBLCLK) {
    const int index = ListBox(Item(kChooserDirList)).GetCurSel();
    if (index != LB_ERR) EnterRow(static_cast<size_t>(index));
    return true;
  }
  if (id == kChooserDriveList && code == CBN_SELCHANGE) {
    ChangeDrive();
    return true;
  }
  return false;
}

void TSelectDirDlg::EnterRow(size_t index) {
  const std::string path = core::RowPath(rows_, index);
  std::string ansi;
  if (!RefusedOutsideCodePage(Handle(), win32::Utf16(path).data(), ansi)) ChangeFolder(path);
}

void TSelectDirDlg::OkClick() {
  // Made full before anything is created: relative text of any length names
  // a folder under the one shown, "X." and "X " name X.
  const tools::WideText full = FullPathOf(WideText(kChooserNameEdit));
  std::string text;
  if (RefusedOutsideCodePage(Handle(), full.data(), text)) return;
  if (!platform_.DirectoryExists(text) &&
      !forms::AskYesNo(Handle(), "Confirm", kCreatePrompt))
    return;
  chosen_ = text;
  SetModalResult(mrOk);
}

bool TSelectDirDlg::OnMeasureItem(MEASUREITEMSTRUCT& item) {
  if (item.CtlID == kChooserDirList) {
    item.itemHeight = Scaled(kFolderRowHeight);
    return true;
  }
  if (item.CtlID == kChooserDriveList) {
    item.itemHeight = Scaled(kDriveRowHeight);
    return true;
  }
  return false;
}

bool TSelectDirDlg::OnDrawItem(const DRAWITEMSTRUCT& item) {
  if (item.CtlID == kChooserDirList) {
    DrawFolderRow(item);
    return true;
  }
  if (item.CtlID == kChooserDriveList) {
    DrawDriveEntry(item);
    return true;
  }
  return false;
}

void TSelectDirDlg::DrawFolderRow(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= rows_.rows.size()) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return;
  }
  const core::FolderRow& row = rows_.rows[item.itemID];
  PaintFolderRow(item, FontOf(item.hwndItem), Scaled(kIndent * row.level), row.text, row.icon,
                 Dpi());
}

void TSelectDirDlg::DrawDriveEntry(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  const std::string text = ComboBox(item.hwndItem).GetText(static_cast<int>(item.itemID));
  PaintDriveRow(item, FontOf(item.hwndItem), text, static_cast<core::DriveKind>(item.itemData),
                Dpi());
}

namespace {

// The dialog, then the chosen folder created and made full.
bool ChooseAndCreate(HWND owner, core::Platform& platform, const std::string& start,
                     std::string& targetFolder) {
  SetCurrentDirectoryA(start.c_str());  // failure ignored
  std::string chosen;
  bool confirmed;
  {
    TSelectDirDlg dialog(platform);
    confirmed = dialog.Execute(owner, start, chosen);
  }
  if (!confirmed) return false;
  core::ForceDirectories(platform, chosen);  // a full path, or empty text
  targetFolder = chosen;
  return true;
}

}  // namespace

bool BrowseForTargetFolder(HWND owner, core::Platform& platform, std::string& targetFolder) {
  const std::string start = core::ChooserStart(
      targetFolder, platform.DirectoryExists(targetFolder), tools::GetSystemDir());
  tools::CurrentDirectoryRestorer restorer;
  try {
    return ChooseAndCreate(owner, platform, start, targetFolder);
  } catch (...) {
    // "Unable to create directory" is shown by the caller with the chooser's
    // current directory still in place.
    restorer.NeedRestore = false;
    throw;
  }
}

}  // namespace wizard
