#include "wizard/FolderChooser.h"

#include <algorithm>
#include <vector>

#include "core/payload.h"
#include "forms/QuestionBox.h"
#include "tools/DllSearch.h"
#include "tools/MyTools.h"
#include "wizard/ControlIds.h"

namespace wizard {

using namespace forms;

namespace {

constexpr COLORREF clWindow = SystemColor(COLOR_WINDOW);
constexpr COLORREF clGrayText = RGB(128, 128, 128);

const ControlDef kControls[] = {
    {.id = kChooserNameLabel, .name = "Label1", .kind = Kind::Label,
     .left = 8, .top = 8, .width = 92, .height = 13, .caption = "Directory &Name:"},
    {.id = kChooserNameEdit, .name = "Edit1", .kind = Kind::Edit,
     .left = 8, .top = 24, .width = 313, .height = 20, .caption = "", .settings = kBorder,
     .color = clWindow},
    {.id = kChooserDirLabel, .name = "Label2", .kind = Kind::Label,
     .left = 8, .top = 56, .width = 66, .height = 13, .caption = "&Directories:"},
    {.id = kChooserDirList, .name = "DirList", .kind = Kind::ListBox,
     .left = 8, .top = 72, .width = 213, .height = 138, .caption = "", .settings = kOwnerDraw,
     .color = clWindow},
    {.id = kChooserFileLabel, .name = "Label3", .kind = Kind::Label,
     .left = 232, .top = 56, .width = 57, .height = 13, .caption = "&Files: (*.*)"},
    {.id = kChooserFileList, .name = "FileList", .kind = Kind::ListBox,
     .left = 232, .top = 72, .width = 185, .height = 93, .caption = "", .color = clWindow,
     .textColor = clGrayText},
    {.id = kChooserDriveLabel, .name = "Label4", .kind = Kind::Label,
     .left = 232, .top = 176, .width = 41, .height = 13, .caption = "D&rives:"},
    {.id = kChooserDriveList, .name = "DriveList", .kind = Kind::ComboBox,
     .left = 232, .top = 192, .width = 185, .height = 19, .caption = "", .settings = kOwnerDraw,
     .color = clWindow},
    {.id = kChooserOK, .name = "OKButton", .kind = Kind::Button,
     .left = 256, .top = 224, .width = 77, .height = 27, .caption = "OK", .settings = kDefault},
    {.id = kChooserCancel, .name = "CancelButton", .kind = Kind::Button,
     .left = 340, .top = 224, .width = 77, .height = 27, .caption = "Cancel",
     .settings = kCancel, .modalResult = mrCancel},
};

constexpr int kFolderRowHeight = 17;
constexpr int kDriveRowHeight = 16;
constexpr int kDriveBoxHeight = 19;
constexpr int kDriveDropRows = 8;
constexpr int kIndent = 10;   // per folder level
constexpr int kIconWidth = 16;
constexpr int kIconGap = 3;
constexpr UINT kFocusFolderList = WM_APP + 1;

const char kCreatePrompt[] = "The specified directory does not exist. Create it?";

// The network name of a mapped drive ("X:"); empty when there is none.
// mpr.dll is no known DLL: it comes from the system folder at run time.
std::string NetworkName(const std::string& device) {
  using GetConnection = DWORD(WINAPI*)(LPCSTR, LPSTR, LPDWORD);
  static const GetConnection get = [] {
    HMODULE mpr = tools::LoadSystemLibrary("mpr.dll");
    return mpr ? reinterpret_cast<GetConnection>(reinterpret_cast<void*>(
                     GetProcAddress(mpr, "WNetGetConnectionA")))
               : nullptr;
  }();
  char name[MAX_PATH + 1] = {};
  DWORD size = sizeof name;
  return get && get(device.c_str(), name, &size) == NO_ERROR ? std::string(name) : std::string();
}

std::string CurrentDirectory() {
  char buf[MAX_PATH] = {};
  const DWORD n = GetCurrentDirectoryA(MAX_PATH, buf);
  return n && n < MAX_PATH ? std::string(buf, n) : std::string();
}

std::string VolumeRoot(const std::string& path) {
  if (core::DriveLetterOf(path)) return path.substr(0, 2) + "\\";
  if (path.rfind("\\\\", 0) == 0) {
    size_t server = path.find('\\', 2);
    size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
    return (share == std::string::npos ? path : path.substr(0, share)) + "\\";
  }
  return {};
}

bool VolumeKeepsCase(const std::string& path) {
  DWORD flags = 0;
  if (!GetVolumeInformationA(VolumeRoot(path).c_str(), nullptr, 0, nullptr, nullptr, &flags,
                             nullptr, 0))
    return true;
  return (flags & FS_CASE_IS_PRESERVED) != 0;
}

// Visible sub-folders and files of a folder, each sorted by name.
void ReadFolder(const std::string& folder, std::vector<std::string>& dirs,
                std::vector<std::string>& files) {
  std::string pattern = folder;
  if (pattern.empty() || pattern.back() != '\\') pattern += '\\';
  pattern += "*.*";
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA(pattern.c_str(), &fd);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    const std::string name = fd.cFileName;
    if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (name != "." && name != "..") dirs.push_back(name);
    } else {
      files.push_back(name);
    }
  } while (FindNextFileA(find, &fd));
  FindClose(find);
  core::SortNames(dirs);
  core::SortNames(files);
}

core::DriveKind KindOf(UINT type) {
  switch (type) {
    case DRIVE_REMOVABLE: return core::DriveKind::Removable;
    case DRIVE_REMOTE: return core::DriveKind::Network;
    case DRIVE_CDROM: return core::DriveKind::CDRom;
    case DRIVE_RAMDISK: return core::DriveKind::Ram;
    default: return core::DriveKind::Fixed;
  }
}

// ---- small pictures, drawn in design pixels scaled to the dialog ----

class IconCanvas {
 public:
  IconCanvas(HDC dc, int x, int y, int dpi) : dc_(dc), x_(x), y_(y), dpi_(dpi) {}
  POINT P(int px, int py) const { return {x_ + Scale(px, dpi_), y_ + Scale(py, dpi_)}; }
  void Poly(std::initializer_list<POINT> design, COLORREF fill, COLORREF line) const {
    std::vector<POINT> pts;
    for (POINT d : design) pts.push_back(P(d.x, d.y));
    Brush brush(CreateSolidBrush(fill));
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, line));
    Selected b(dc_, brush.get()), p(dc_, pen.get());
    Polygon(dc_, pts.data(), static_cast<int>(pts.size()));
  }
  void Box(int l, int t, int r, int b, COLORREF fill, COLORREF line) const {
    Poly({{l, t}, {r, t}, {r, b}, {l, b}}, fill, line);
  }
  void Disc(int l, int t, int r, int b, COLORREF fill, COLORREF line) const {
    Brush brush(CreateSolidBrush(fill));
    GdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, line));
    Selected sb(dc_, brush.get()), sp(dc_, pen.get());
    const POINT a = P(l, t), z = P(r, b);
    Ellipse(dc_, a.x, a.y, z.x, z.y);
  }

 private:
  HDC dc_;
  int x_, y_, dpi_;
};

constexpr COLORREF kOutline = RGB(96, 72, 0);
constexpr COLORREF kFolderBack = RGB(224, 192, 64);
constexpr COLORREF kFolderFront = RGB(255, 232, 128);
constexpr COLORREF kCurrentFront = RGB(255, 255, 255);

void DrawFolderIcon(HDC dc, int x, int y, int dpi, core::FolderIcon icon) {
  const IconCanvas canvas(dc, x, y, dpi);
  // The back with its tab, shared by all three.
  canvas.Poly({{1, 1}, {6, 1}, {7, 3}, {14, 3}, {14, 12}, {1, 12}}, kFolderBack, kOutline);
  if (icon == core::FolderIcon::Closed) {
    canvas.Box(1, 4, 14, 12, kFolderFront, kOutline);
    return;
  }
  // Open: the front flap tilts forward; the current folder's flap is lit.
  const COLORREF front = icon == core::FolderIcon::Current ? kCurrentFront : kFolderFront;
  canvas.Poly({{4, 6}, {16, 6}, {13, 12}, {1, 12}}, front, kOutline);
  if (icon == core::FolderIcon::Current) canvas.Box(6, 8, 11, 9, kFolderBack, kFolderBack);
}

void DrawDriveIcon(HDC dc, int x, int y, int dpi, core::DriveKind kind) {
  const IconCanvas canvas(dc, x, y, dpi);
  const COLORREF dark = RGB(64, 64, 64), grey = RGB(192, 192, 192);
  switch (kind) {
    case core::DriveKind::CDRom:
      canvas.Disc(2, 0, 14, 12, RGB(224, 224, 240), dark);
      canvas.Disc(6, 4, 10, 8, RGB(255, 255, 255), dark);
      break;
    case core::DriveKind::Ram:
      canvas.Box(1, 3, 15, 9, RGB(0, 128, 64), dark);
      for (int px = 3; px < 14; px += 3) canvas.Box(px, 9, px + 1, 11, grey, dark);
      canvas.Box(4, 4, 12, 7, dark, dark);
      break;
    case core::DriveKind::Removable:
      canvas.Box(1, 4, 15, 11, grey, dark);
      canvas.Box(4, 6, 12, 7, dark, dark);
      break;
    case core::DriveKind::Network:
      canvas.Box(1, 1, 15, 8, grey, dark);
      canvas.Box(11, 4, 12, 5, RGB(0, 192, 0), RGB(0, 128, 0));
      canvas.Box(7, 8, 8, 11, dark, dark);
      canvas.Box(2, 11, 13, 12, dark, dark);
      break;
    case core::DriveKind::Fixed:
      canvas.Box(1, 4, 15, 11, grey, dark);
      canvas.Box(11, 7, 12, 8, RGB(0, 192, 0), RGB(0, 128, 0));
      break;
  }
}

// Row background, icon and text, off-screen first.
template <class DrawIcon>
void PaintRow(const DRAWITEMSTRUCT& item, HFONT font, int indent, const std::string& text,
              DrawIcon drawIcon, int dpi) {
  const RECT& rc = item.rcItem;
  Offscreen off(item.hDC, rc.right - rc.left, rc.bottom - rc.top);
  HDC dc = off.dc();
  RECT all{0, 0, off.width(), off.height()};
  FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const int iconX = Scale(2, dpi) + indent;
  drawIcon(dc, iconX, (off.height() - Scale(13, dpi)) / 2);
  Selected f(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  RECT textRect{iconX + Scale(kIconWidth + kIconGap, dpi), 0, 0, off.height()};
  textRect.right = std::min<LONG>(textRect.left + size.cx + Scale(4, dpi), all.right);
  SetBkMode(dc, TRANSPARENT);
  if (selected) FillRect(dc, &textRect, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT inner = textRect;
  inner.left += Scale(2, dpi);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &inner,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_COMBOBOXEDIT))
    DrawFocusRect(dc, &textRect);
  off.CopyTo(item.hDC, rc.left, rc.top);
}

}  // namespace

const FormDef kSelectDirDef = WithControls(
    FormDef{.className = kFolderChooserClass, .caption = "Select Directory",
             .clientWidth = 424, .clientHeight = 255},
    kControls);

TSelectDirDlg::TSelectDirDlg() : Form(kSelectDirDef) {
  OnClick(kChooserOK, [this] { OkClick(); });
}

bool TSelectDirDlg::Execute(HWND owner, const std::string& start, std::string& chosen) {
  Create(owner);
  SendMessageA(Item(kChooserOK), BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
  // Closed height of the drive box as designed, whatever the font.
  HWND drives = Item(kChooserDriveList);
  RECT r;
  GetWindowRect(drives, &r);
  const LRESULT field = SendMessageA(drives, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  const int frame = (r.bottom - r.top) - static_cast<int>(field);
  SendMessageA(drives, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), Scaled(kDriveBoxHeight) - frame);
  FillDrives();
  if (!ChangeFolder(core::ChooserOpenPath(start))) ChangeFolder(CurrentDirectory());
  if (ShowModal() != mrOk) return false;
  chosen = Text(kChooserNameEdit);
  return true;
}

void TSelectDirDlg::FormShow() {
  // The drop-down part: the height given when the box is resized.
  HWND drives = Item(kChooserDriveList);
  RECT r;
  GetWindowRect(drives, &r);
  SetWindowPos(drives, nullptr, 0, 0, r.right - r.left,
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
  if (path.empty() || !SetCurrentDirectoryA(path.c_str())) return false;
  folder_ = CurrentDirectory();
  if (char letter = core::DriveLetterOf(folder_)) driveFolders_[letter] = folder_;

  std::vector<std::string> dirs, files;
  ReadFolder(folder_, dirs, files);
  const bool keepsCase = VolumeKeepsCase(folder_);
  rows_ = core::BuildFolderRows(folder_, dirs, keepsCase);

  HWND list = Item(kChooserDirList);
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const core::FolderRow& row : rows_.rows)
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
  SendMessageA(list, LB_SETCURSEL, rows_.selected, 0);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);

  HWND fileList = Item(kChooserFileList);
  SendMessageA(fileList, WM_SETREDRAW, FALSE, 0);
  SendMessageA(fileList, LB_RESETCONTENT, 0, 0);
  for (const std::string& f : files)
    SendMessageA(fileList, LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(core::DisplayName(f, keepsCase).c_str()));
  SendMessageA(fileList, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(fileList, nullptr, TRUE);

  SelectDrive(core::DriveLetterOf(folder_));
  SetText(kChooserNameEdit, folder_);
  SendMessageA(Item(kChooserNameEdit), EM_SETSEL, 0, -1);
  return true;
}

void TSelectDirDlg::FillDrives() {
  HWND box = Item(kChooserDriveList);
  SendMessageA(box, CB_RESETCONTENT, 0, 0);
  const DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    const char letter = static_cast<char>('a' + i);
    const std::string root = std::string(1, letter) + ":\\";
    const core::DriveKind kind = KindOf(GetDriveTypeA(root.c_str()));
    char label[MAX_PATH + 1] = {};
    if (core::ReadsVolumeLabel(kind) &&
        !GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr,
                               nullptr, 0))
      label[0] = '\0';
    const std::string network = kind == core::DriveKind::Network ? NetworkName(root.substr(0, 2))
                                                                 : std::string();
    const std::string text = core::DriveEntryText(kind, letter, label, network);
    const LRESULT index = SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(box, CB_SETITEMDATA, index, static_cast<LPARAM>(kind));
  }
}

void TSelectDirDlg::SelectDrive(char letter) {
  HWND box = Item(kChooserDriveList);
  const int count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[MAX_PATH * 2] = {};
    if (SendMessageA(box, CB_GETLBTEXTLEN, i, 0) >= static_cast<LRESULT>(sizeof text)) continue;
    SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    if (text[0] == letter) {
      SendMessageA(box, CB_SETCURSEL, i, 0);
      return;
    }
  }
  SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void TSelectDirDlg::ChangeDrive() {
  HWND box = Item(kChooserDriveList);
  const LRESULT index = SendMessageA(box, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  char text[MAX_PATH * 2] = {};
  if (SendMessageA(box, CB_GETLBTEXTLEN, index, 0) >= static_cast<LRESULT>(sizeof text)) return;
  SendMessageA(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  const char letter = text[0];
  if (letter == core::DriveLetterOf(folder_)) return;
  // The drive's own current directory: where we left it, else the system's.
  std::string target;
  auto seen = driveFolders_.find(letter);
  if (seen != driveFolders_.end()) {
    target = seen->second;
  } else {
    char full[MAX_PATH] = {};
    // Upper case, as the system spells drives in the paths it returns.
    const char device[] = {static_cast<char>(letter - 'a' + 'A'), ':', '\0'};
    const DWORD n = GetFullPathNameA(device, MAX_PATH, full, nullptr);
    target = n && n < MAX_PATH ? std::string(full, n) : std::string(device) + "\\";
  }
  if (!ChangeFolder(target) && !ChangeFolder(target.substr(0, 2) + "\\")) {
    // An unreadable drive leaves the lists where they were.
    MessageBeep(MB_ICONWARNING);
    SelectDrive(core::DriveLetterOf(folder_));
  }
}

bool TSelectDirDlg::OnCommand(int id, int code) {
  if (id == kChooserDirList && code == LBN_DBLCLK) {
    const LRESULT index = SendMessageA(Item(kChooserDirList), LB_GETCURSEL, 0, 0);
    if (index != LB_ERR) ChangeFolder(core::RowPath(rows_, static_cast<size_t>(index)));
    return true;
  }
  if (id == kChooserDriveList && code == CBN_SELCHANGE) {
    ChangeDrive();
    return true;
  }
  return false;
}

void TSelectDirDlg::OkClick() {
  const std::string text = Text(kChooserNameEdit);
  tools::Win32Platform platform;
  if (!platform.DirectoryExists(text) &&
      !forms::AskYesNo(Handle(), "Confirm", kCreatePrompt))
    return;
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
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= rows_.rows.size()) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
    return;
  }
  const core::FolderRow& row = rows_.rows[item.itemID];
  PaintRow(item, font, Scaled(kIndent * row.level), row.text,
           [&](HDC dc, int x, int y) { DrawFolderIcon(dc, x, y, Dpi(), row.icon); }, Dpi());
}

void TSelectDirDlg::DrawDriveEntry(const DRAWITEMSTRUCT& item) {
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
  if (item.itemID == static_cast<UINT>(-1)) {
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  char text[MAX_PATH * 2] = {};
  if (SendMessageA(item.hwndItem, CB_GETLBTEXTLEN, item.itemID, 0) <
      static_cast<LRESULT>(sizeof text))
    SendMessageA(item.hwndItem, CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text));
  const auto kind = static_cast<core::DriveKind>(item.itemData);
  PaintRow(item, font, 0, text,
           [&](HDC dc, int x, int y) { DrawDriveIcon(dc, x, y, Dpi(), kind); }, Dpi());
}

bool BrowseForTargetFolder(HWND owner, std::string& targetFolder) {
  tools::Win32Platform platform;
  const std::string start = core::ChooserStart(
      targetFolder, platform.DirectoryExists(targetFolder), tools::GetSystemDir());
  const std::string saved = CurrentDirectory();
  SetCurrentDirectoryA(start.c_str());  // failure ignored
  std::string chosen;
  bool confirmed;
  {
    TSelectDirDlg dialog;
    confirmed = dialog.Execute(owner, start, chosen);
  }
  if (confirmed) {
    // Raises for a text it cannot handle; the current directory stays then.
    core::ForceDirectories(platform, chosen);
    // Relative text names a folder under the chooser's current directory,
    // which is restored below; "X." and "X " name X.
    targetFolder = tools::FullPath(chosen);
  }
  SetCurrentDirectoryA(saved.c_str());
  return confirmed;
}

}  // namespace wizard
