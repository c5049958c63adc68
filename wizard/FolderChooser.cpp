#include "wizard/FolderChooser.h"

#include <vector>

#include "core/path.h"
#include "forms/ListControls.h"
#include "forms/QuestionBox.h"
#include "win32/Utf8.h"
#include "wizard/ControlIds.h"
#include "wizard/FolderChooserTexts.h"
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

HFONT FontOf(HWND control) {
  return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
}

}  // namespace

TSelectDirDlg::TSelectDirDlg(core::Platform& platform)
    : Form(kSelectDirDef), platform_(platform), browser_(platform) {
  OnClick(kChooserOK, [this] { OkClick(); });
}

std::optional<std::string> TSelectDirDlg::Execute(HWND owner, const std::string& start) {
  Create(owner);
  SendMessageA(Item(kChooserOK), BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
  // Closed height of the drive box as designed, whatever the font.
  const ComboBox drives(Item(kChooserDriveList));
  RECT bounds;
  GetWindowRect(drives.Handle(), &bounds);
  const int frame = (bounds.bottom - bounds.top) - drives.GetItemHeight(-1);
  drives.SetItemHeight(-1, Scaled(kDriveBoxHeight) - frame);
  FillDrives();
  browser_.Open(start);
  ShowFolder();
  if (ShowModal() != mrOk) return std::nullopt;
  return chosen_;
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

void TSelectDirDlg::ShowFolder() {
  const core::FolderRows& rows = browser_.Rows();
  std::vector<std::string> texts(rows.rows.size());
  for (size_t i = 0; i < texts.size(); ++i) texts[i] = rows.rows[i].text;
  ListBox(Item(kChooserDirList)).SetItems(texts, static_cast<int>(rows.selected));
  ListBox(Item(kChooserFileList)).SetItems(browser_.Files());

  const std::string& folder = browser_.Folder();
  SelectDrive(core::DriveLetterOf(folder));
  SetWindowTextW(Item(kChooserNameEdit), win32::Utf16(folder).data());
  SendMessageA(Item(kChooserNameEdit), EM_SETSEL, 0, -1);
}

void TSelectDirDlg::FillDrives() {
  const ComboBox box(Item(kChooserDriveList));
  box.Clear();
  for (const core::DriveInfo& drive : platform_.ListDrives())
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
  if (letter == core::DriveLetterOf(browser_.Folder())) return;
  if (browser_.EnterDrive(letter)) {
    ShowFolder();
  } else {
    // An unreadable drive leaves the lists where they were.
    MessageBeep(MB_ICONWARNING);
    SelectDrive(core::DriveLetterOf(browser_.Folder()));
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
  const core::Pick pick = browser_.PickRow(index);
  if (Accepted(pick) && browser_.Enter(pick.path)) ShowFolder();
}

void TSelectDirDlg::OkClick() {
  // Made full before anything is created: relative text of any length names
  // a folder under the one shown, "X." and "X " name X.
  const core::Pick pick = browser_.PickTyped(win32::Utf8(WideText(kChooserNameEdit).data()));
  if (!Accepted(pick)) return;
  if (!platform_.DirectoryExists(pick.ansi) && !AskYesNo(Handle(), kConfirmTitle, kCreatePrompt))
    return;
  chosen_ = pick.ansi;
  SetModalResult(mrOk);
}

bool TSelectDirDlg::Accepted(const core::Pick& pick) {
  if (!pick.refused) return true;
  MessageBoxW(Handle(), win32::Utf16(OutsideCodePageMessage(pick.path)).data(),
              win32::Utf16(kRefusalTitle).data(), MB_ICONSTOP | MB_OK);
  return false;
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
  const core::FolderRows& rows = browser_.Rows();
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= rows.rows.size()) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return;
  }
  const core::FolderRow& row = rows.rows[item.itemID];
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

std::optional<std::string> ChooseFolder(HWND owner, core::Platform& platform,
                                        const std::string& start) {
  TSelectDirDlg dialog(platform);
  return dialog.Execute(owner, start);
}

}  // namespace wizard
