#include "forms/ControlStyle.h"

namespace forms {

namespace {

struct KindRow {
  Kind kind;
  ControlStyle base;
  bool focusable;  // a tab stop unless kNoTabStop
};

constexpr DWORD kListStyle = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
constexpr DWORD kContainerStyle = WS_CLIPCHILDREN;

const KindRow kKinds[] = {
    {Kind::BitBtn, {"BUTTON", Maker::System, BS_OWNERDRAW, 0}, true},
    {Kind::Button, {"BUTTON", Maker::System, BS_PUSHBUTTON, 0}, true},
    {Kind::CheckBox, {"BUTTON", Maker::System, BS_AUTOCHECKBOX, 0}, true},
    {Kind::RadioButton, {"BUTTON", Maker::System, BS_AUTORADIOBUTTON, 0}, true},
    {Kind::Edit, {"EDIT", Maker::System, ES_AUTOHSCROLL, 0}, true},
    {Kind::Memo, {"EDIT", Maker::System, ES_MULTILINE, 0}, true},
    {Kind::Label, {"STATIC", Maker::System, SS_LEFT, 0}, false},
    {Kind::ListBox, {"LISTBOX", Maker::System, kListStyle, WS_EX_CLIENTEDGE}, true},
    {Kind::ComboBox, {"COMBOBOX", Maker::System, CBS_DROPDOWNLIST | WS_VSCROLL, 0}, true},
    {Kind::Panel, {"TPanel", Maker::Drawn, kContainerStyle, WS_EX_CONTROLPARENT}, false},
    {Kind::GroupBox, {"TGroupBox", Maker::Drawn, kContainerStyle, WS_EX_CONTROLPARENT}, false},
    {Kind::Image, {"TImage", Maker::Drawn, 0, 0}, false},
    {Kind::Gauge, {"TGauge", Maker::Gauge, 0, 0}, false},
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

ControlStyle StyleOf(const ControlDef& def) {
  ControlStyle out{"", Maker::Drawn, 0, 0};
  bool focusable = false;
  for (const KindRow& row : kKinds)
    if (row.kind == def.kind) {
      out = row.base;
      focusable = row.focusable;
    }
  out.style |= WS_CHILD | WS_CLIPSIBLINGS;
  if (!(def.settings & kHidden)) out.style |= WS_VISIBLE;
  if (def.settings & kDisabled) out.style |= WS_DISABLED;
  if (focusable && !(def.settings & kNoTabStop)) out.style |= WS_TABSTOP;
  for (const SettingRow& row : kSettings)
    if (row.kind == def.kind && (def.settings & row.setting)) {
      out.style |= row.style;
      out.exStyle |= row.exStyle;
    }
  return out;
}

}  // namespace forms
