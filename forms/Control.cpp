#include "forms/Control.h"

#include "core/error.h"
#include "forms/Layout.h"

namespace forms {

namespace {

struct KindRow {
  Kind kind;
  ControlClass base;
};

constexpr DWORD kListStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;

const KindRow kKinds[] = {
    {Kind::Button, {"BUTTON", BS_PUSHBUTTON, 0, true}},
    {Kind::CheckBox, {"BUTTON", BS_AUTOCHECKBOX, 0, true}},
    {Kind::RadioButton, {"BUTTON", BS_AUTORADIOBUTTON, 0, true}},
    {Kind::Edit, {"EDIT", ES_AUTOHSCROLL, 0, true}},
    {Kind::Memo, {"EDIT", ES_MULTILINE, 0, true}},
    {Kind::Label, {"STATIC", SS_LEFT, 0, false}},
    {Kind::ListBox, {"LISTBOX", kListStyle, WS_EX_CLIENTEDGE, true}},
    {Kind::ComboBox, {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL, 0, true}},
};

// What a setting adds to a kind.
struct SettingRow {
  Kind kind;
  Setting setting;
  DWORD style;
  DWORD exStyle;
};

const SettingRow kSettings[] = {
    {Kind::RadioButton, kGroupStart, WS_GROUP, 0},
    {Kind::Edit, kReadOnly, ES_READONLY, 0},
    {Kind::Edit, kBorder, 0, WS_EX_CLIENTEDGE},
    {Kind::Memo, kReadOnly, ES_READONLY, 0},
    {Kind::Memo, kBorder, 0, WS_EX_CLIENTEDGE},
    {Kind::Memo, kVScroll, WS_VSCROLL | ES_AUTOVSCROLL, 0},
    {Kind::Memo, kCentered, ES_CENTER, 0},
    {Kind::ListBox, kOwnerDraw, LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, 0},
    {Kind::ListBox, kSorted, LBS_SORT, 0},
    {Kind::ComboBox, kOwnerDraw, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, 0},
};

}  // namespace

const ControlClass& SystemClassOf(Kind kind) {
  static const ControlClass kNone{"", 0, 0, false};
  for (const KindRow& row : kKinds)
    if (row.kind == kind) return row.base;
  return kNone;
}

ControlStyle StyleOf(const ControlDef& def, const ControlClass& base) {
  ControlStyle out{base.name, base.style, base.exStyle};
  out.style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (!(def.settings & kHidden)) out.style |= WS_VISIBLE;
  if (def.settings & kDisabled) out.style |= WS_DISABLED;
  if (base.focusable && !(def.settings & kNoTabStop)) out.style |= WS_TABSTOP;
  for (const SettingRow& row : kSettings)
    if (row.kind == def.kind && (def.settings & row.setting)) {
      out.style |= row.style;
      out.exStyle |= row.exStyle;
    }
  return out;
}

HWND CreateControlWindow(const ControlDef& def, const ControlStyle& style, const char* caption,
                         const RECT& rect, HWND parent) {
  const auto id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id));
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (!(def.settings & kWideText))
    return CreateWindowExA(style.exStyle, style.className, caption, style.style, rect.left,
                           rect.top, width, height, parent, id, GetModuleHandleA(nullptr), nullptr);
  // A Unicode window stores what is typed as typed; an ANSI one would turn a
  // character outside the code page into '?' or a look-alike.
  wchar_t className[16] = {};
  MultiByteToWideChar(CP_ACP, 0, style.className, -1, className, 16);
  HWND hwnd = CreateWindowExW(style.exStyle, className, L"", style.style, rect.left, rect.top,
                              width, height, parent, id, GetModuleHandleA(nullptr), nullptr);
  if (hwnd) SetWindowTextA(hwnd, caption);
  return hwnd;
}

HFONT FontCache::Get(const FontDef& f) {
  const std::string key = core::Format("%s|%d|%d|%d", f.face, f.height, f.bold, f.charset);
  for (auto& entry : fonts_)
    if (entry.first == key) return entry.second.get();
  HFONT font = CreateFontA(-Scale(f.height, dpi_), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, 0, 0,
                           0, f.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           FontFace(f.face, dpi_));
  fonts_.emplace_back(key, win32::Font(font));
  return font;
}

}  // namespace forms
