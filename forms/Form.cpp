#include "forms/Form.h"

#include <algorithm>
#include <cstdio>

#include "core/error.h"

namespace forms {

namespace {

// Containers and pictures: drawn by the form; notifications of the controls
// inside a container go on to the form, which owns all handlers.
class DrawnControl : public Window {
 public:
  DrawnControl(Form& form, size_t index) : form_(form), index_(index) {}
  void Create(const char* className, DWORD exStyle, DWORD style, const RECT& rect, HWND parent,
              int id) {
    CreateHandle(className, exStyle, "", style, rect, parent, id);
  }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    switch (msg) {
      case WM_COMMAND:
      case WM_DRAWITEM:
      case WM_MEASUREITEM:
      case WM_NOTIFY:
      case WM_CTLCOLOREDIT:
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN:
      case WM_CTLCOLORLISTBOX:
        return SendMessageA(form_.Handle(), msg, wParam, lParam);
      case WM_ERASEBKGND:
        return 1;
      case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        form_.PaintDrawnControl(index_, dc);
        EndPaint(Handle(), &ps);
        return 0;
      }
      default:
        return Window::HandleMessage(msg, wParam, lParam);
    }
  }

 private:
  Form& form_;
  size_t index_;
};

bool IsFocusable(Kind k) {
  return IsButtonKind(k) || k == Kind::Edit || k == Kind::Memo || k == Kind::ListBox ||
         k == Kind::ComboBox;
}

bool IsContainer(Kind k) { return k == Kind::Panel || k == Kind::GroupBox; }

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  return text;
}

}  // namespace

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

// ---- Form ----

Form::Form(const FormDef& def, int dpi)
    : def_(def), dpi_(dpi > 0 ? dpi : ScreenDpi()), controls_(def.controlCount) {
  // Handlers may be attached before the window exists.
  for (size_t i = 0; i < controls_.size(); ++i) controls_[i].def = &def_.controls[i];
}

Form::~Form() {
  // Children first, while every control record is still alive.
  if (Handle()) DestroyWindow(Handle());
}

void Form::Create(HWND owner) {
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (def_.border == BorderStyle::ToolWindow) exStyle = WS_EX_CONTROLPARENT | WS_EX_TOOLWINDOW;
  RECT r{0, 0, Scaled(def_.clientWidth), Scaled(def_.clientHeight)};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  OffsetRect(&r, -r.left, -r.top);
  background_.reset(CreateSolidBrush(ResolveColor(def_.color)));
  CreateHandle(def_.className, exStyle, def_.caption, style, r, owner, 0);
  if (!Handle()) throw core::Error("Error creating window");
}

void Form::CreateControls() {
  const std::vector<RECT> layout = ComputeLayout(def_.controls, def_.controlCount,
                                                 Scaled(def_.clientWidth),
                                                 Scaled(def_.clientHeight), dpi_);
  for (size_t i = 0; i < def_.controlCount; ++i) CreateControl(i, layout[i]);
  ApplyTabOrder();
}

void Form::Relayout(int clientWidth, int clientHeight) {
  const std::vector<RECT> layout =
      ComputeLayout(def_.controls, def_.controlCount, clientWidth, clientHeight, dpi_,
                    def_.clientWidth, def_.clientHeight);
  for (size_t i = 0; i < controls_.size(); ++i) {
    HWND h = controls_[i].hwnd;
    RECT now;
    GetWindowRect(h, &now);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&now), 2);
    const RECT& r = layout[i];
    if (!EqualRect(&now, &r))
      MoveWindow(h, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
}

HFONT Form::FontFor(const FontDef& f) {
  char key[128];
  std::snprintf(key, sizeof key, "%s|%d|%d|%d", f.face, f.height, f.bold, f.charset);
  for (auto& entry : fonts_)
    if (entry.first == key) return entry.second.get();
  HFONT font = CreateFontA(-Scaled(f.height), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, 0, 0, 0,
                           f.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           FontFace(f.face, dpi_));
  fonts_.emplace_back(key, Font(font));
  return font;
}

void Form::CreateControl(size_t index, const RECT& rect) {
  const ControlDef& s = def_.controls[index];
  Control& c = controls_[index];

  // Colours and fonts come from the parent unless the table gives them.
  HWND parent = Handle();
  COLORREF parentColor = ResolveColor(def_.color);
  COLORREF parentText = GetSysColor(COLOR_WINDOWTEXT);
  FontDef parentFont = def_.font;
  if (s.parent) {
    const Control& p = controls_[IndexOf(s.parent)];
    parent = p.hwnd;
    parentColor = p.color;
    parentText = p.textColor;
    parentFont = p.font;
  }
  c.color = s.color != kInherit ? ResolveColor(s.color) : parentColor;
  c.textColor = s.textColor != kInherit ? s.textColor : parentText;
  c.font = parentFont;
  if (s.font.face) c.font.face = s.font.face;
  if (s.font.height) c.font.height = s.font.height;
  if (s.font.bold) c.font.bold = true;
  if (s.font.charset != DEFAULT_CHARSET) c.font.charset = s.font.charset;
  c.hfont = FontFor(c.font);
  c.brush.reset(CreateSolidBrush(c.color));
  c.modalResult = ModalResultOf(s);

  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (!(s.settings & kHidden)) style |= WS_VISIBLE;
  if (s.settings & kDisabled) style |= WS_DISABLED;
  if (IsFocusable(s.kind) && !(s.settings & kNoTabStop)) style |= WS_TABSTOP;
  DWORD exStyle = 0;
  const char* caption = CaptionOf(s);
  const char* cls = nullptr;
  switch (s.kind) {
    case Kind::BitBtn: cls = "BUTTON"; style |= BS_OWNERDRAW; break;
    case Kind::Button: cls = "BUTTON"; style |= BS_PUSHBUTTON; break;
    case Kind::CheckBox: cls = "BUTTON"; style |= BS_AUTOCHECKBOX; break;
    case Kind::RadioButton:
      cls = "BUTTON";
      style |= BS_AUTORADIOBUTTON;
      if (s.settings & kGroupStart) style |= WS_GROUP;
      break;
    case Kind::Edit:
      cls = "EDIT";
      style |= ES_AUTOHSCROLL;
      break;
    case Kind::Memo:
      cls = "EDIT";
      style |= ES_MULTILINE;
      if (s.settings & kVScroll) style |= WS_VSCROLL | ES_AUTOVSCROLL;
      if (s.settings & kCentered) style |= ES_CENTER;
      break;
    case Kind::Label: cls = "STATIC"; style |= SS_LEFT; break;
    case Kind::ListBox:
      cls = "LISTBOX";
      style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
      if (s.settings & kOwnerDraw) style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
      if (s.settings & kSorted) style |= LBS_SORT;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case Kind::ComboBox:
      cls = "COMBOBOX";
      style |= CBS_DROPDOWNLIST | WS_VSCROLL;
      if (s.settings & kOwnerDraw) style |= CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
      break;
    case Kind::Panel:
    case Kind::GroupBox:
    case Kind::Image:
      break;
    case Kind::Gauge: {
      auto gauge = std::make_unique<TGauge>(FontFor(FontDef{c.font.face, c.font.height, true,
                                                             c.font.charset}));
      gauge->Create(rect, parent, s.id, style);
      c.hwnd = gauge->Handle();
      c.window = std::move(gauge);
      break;
    }
  }
  if (s.kind == Kind::Edit || s.kind == Kind::Memo) {
    if (s.settings & kReadOnly) style |= ES_READONLY;
    if (s.settings & kBorder) exStyle |= WS_EX_CLIENTEDGE;
  }
  if (cls) {
    const RECT& r = rect;
    c.hwnd = CreateWindowExA(exStyle, cls, caption, style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(s.id)),
                             GetModuleHandleA(nullptr), nullptr);
  } else if (!c.hwnd) {
    auto drawn = std::make_unique<DrawnControl>(*this, index);
    const char* drawnClass = s.kind == Kind::Image ? "TImage"
                             : s.kind == Kind::Panel ? "TPanel"
                                                     : "TGroupBox";
    if (IsContainer(s.kind)) {
      style |= WS_CLIPCHILDREN;
      exStyle |= WS_EX_CONTROLPARENT;
    }
    drawn->Create(drawnClass, exStyle, style, rect, parent, s.id);
    c.hwnd = drawn->Handle();
    if (IsContainer(s.kind)) SetWindowTextA(c.hwnd, caption);
    c.window = std::move(drawn);
  }
  if (!c.hwnd) throw core::Error(core::Format("Error creating control %s", s.name));
  SendMessageA(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.hfont), FALSE);
  if (s.kind == Kind::Memo && caption && *caption) c.lines.assign(1, caption);
  if (s.settings & kChecked) SendMessageA(c.hwnd, BM_SETCHECK, BST_CHECKED, 0);

  if (s.kind == Kind::BitBtn) {
    Pixels strip;
    if (s.glyphResource) {
      Bitmap bmp(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                                 MAKEINTRESOURCEA(s.glyphResource), IMAGE_BITMAP,
                                                 0, 0, LR_CREATEDIBSECTION)));
      strip = GlyphFromBitmap(bmp.get());
    }
    if (strip.empty())
      strip = GlyphFromArt(s.glyph != GlyphArt::None ? s.glyph : StockGlyph(s.buttonKind));
    c.glyph = GlyphImage(strip, 0);
    c.disabledGlyph = GlyphCount(strip) > 1 ? GlyphImage(strip, 1)
                                            : DisabledGlyph(c.glyph, GetSysColor(COLOR_BTNHIGHLIGHT),
                                                            GetSysColor(COLOR_BTNSHADOW));
  }
}

void Form::ApplyTabOrder() {
  // Table order is creation order; the tab order is the z-order.
  std::vector<size_t> order(controls_.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    const int ta = def_.controls[a].tab < 0 ? 1 << 20 : def_.controls[a].tab;
    const int tb = def_.controls[b].tab < 0 ? 1 << 20 : def_.controls[b].tab;
    return ta < tb;
  });
  std::vector<HWND> last(controls_.size() + 1, HWND_TOP);
  for (size_t i : order) {
    const int parent = def_.controls[i].parent;
    HWND& after = parent ? last[IndexOf(parent) + 1] : last[0];
    SetWindowPos(controls_[i].hwnd, after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
    after = controls_[i].hwnd;
  }
  for (const Control& c : controls_)
    if (c.def->kind == Kind::RadioButton && SendMessageA(c.hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED)
      UpdateRadioTabStops(c.def->id);
}

void Form::UpdateRadioTabStops(int checkedId) {
  // Tab enters a radio group at its selected button.
  const int parent = DefOf(checkedId).parent;
  for (const Control& c : controls_) {
    if (c.def->kind != Kind::RadioButton || c.def->parent != parent) continue;
    LONG style = GetWindowLongA(c.hwnd, GWL_STYLE);
    style = c.def->id == checkedId ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    SetWindowLongA(c.hwnd, GWL_STYLE, style);
  }
}

size_t Form::IndexOf(int id) const {
  for (size_t i = 0; i < def_.controlCount; ++i)
    if (def_.controls[i].id == id) return i;
  throw core::Error(core::Format("Control %d not found", id));
}

Control& Form::ControlOf(int id) { return controls_.at(IndexOf(id)); }
const Control& Form::ControlOf(int id) const { return controls_.at(IndexOf(id)); }
HWND Form::Item(int id) const { return ControlOf(id).hwnd; }
const ControlDef& Form::DefOf(int id) const { return def_.controls[IndexOf(id)]; }

void Form::Show() {
  if (!shownBefore_) {
    RECT r;
    GetWindowRect(Handle(), &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    shownBefore_ = true;
  }
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  RestoreFocus();
}

void Form::Hide() { ShowWindow(Handle(), SW_HIDE); }

int Form::ShowModal() {
  HWND owner = GetWindow(Handle(), GW_OWNER);
  const bool reenable = owner && IsWindowEnabled(owner);
  if (reenable) EnableWindow(owner, FALSE);
  modalResult_ = mrNone;
  modal_ = true;
  Show();
  MSG msg;
  while (modalResult_ == mrNone) {
    if (!Handle() || !IsWindowVisible(Handle())) {
      modalResult_ = mrCancel;
      break;
    }
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      modalResult_ = mrCancel;
      break;
    }
    if (!PreTranslateMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  modal_ = false;
  // The owner comes back before this window goes, so it gets the activation.
  if (reenable) EnableWindow(owner, TRUE);
  if (Handle()) Hide();
  if (owner) SetActiveWindow(owner);
  return modalResult_;
}

void Form::Close() { SendMessageA(Handle(), WM_CLOSE, 0, 0); }

void Form::OnClick(int id, std::function<void()> handler) {
  ControlOf(id).onClick = std::move(handler);
}

void Form::Click(int id) {
  Control& c = ControlOf(id);
  if (c.modalResult != mrNone) modalResult_ = c.modalResult;
  if (c.onClick) c.onClick();
}

std::string Form::Caption() const {
  char text[512] = {};
  GetWindowTextA(Handle(), text, sizeof text);
  return text;
}

void Form::SetCaption(const std::string& text) { SetWindowTextA(Handle(), text.c_str()); }

std::string Form::Text(int id) const {
  HWND h = Item(id);
  std::string text(static_cast<size_t>(GetWindowTextLengthA(h)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(h, &text[0], static_cast<int>(text.size()))));
  return text;
}

void Form::SetText(int id, const std::string& text) {
  Control& c = ControlOf(id);
  SetWindowTextA(c.hwnd, text.c_str());
  if (c.window) InvalidateRect(c.hwnd, nullptr, FALSE);
}

bool Form::Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }

void Form::SetEnabled(int id, bool enabled) {
  HWND h = Item(id);
  // The form itself takes the focus, so Enter still reaches the default button.
  if (!enabled && GetFocus() == h) SetFocus(Handle());
  EnableWindow(h, enabled);
}

bool Form::Visible(int id) const {
  return (GetWindowLongA(Item(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Form::SetVisible(int id, bool visible) {
  HWND h = Item(id);
  if (!visible && GetFocus() == h) SetFocus(Handle());
  ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
}

bool Form::Checked(int id) const {
  return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form::SetChecked(int id, bool checked) {
  SendMessageA(Item(id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void Form::ClearLines(int id) {
  Control& c = ControlOf(id);
  c.lines.clear();
  SetWindowTextA(c.hwnd, "");
}

void Form::AddLine(int id, const std::string& line) { AddLines(id, {line}); }

void Form::AddLines(int id, const std::vector<std::string>& lines) {
  Control& c = ControlOf(id);
  c.lines.insert(c.lines.end(), lines.begin(), lines.end());
  SetWindowTextA(c.hwnd, JoinLines(c.lines).c_str());
  // The text may be drawn while the message loop is blocked by a long run.
  UpdateWindow(c.hwnd);
}

const std::vector<std::string>& Form::Lines(int id) const { return ControlOf(id).lines; }

TGauge& Form::GaugeOf(int id) {
  Control& c = ControlOf(id);
  if (c.def->kind != Kind::Gauge) throw core::Error(core::Format("%s is no gauge", c.def->name));
  return static_cast<TGauge&>(*c.window);
}

void Form::SetPicture(int id, HBITMAP bitmap) {
  Control& c = ControlOf(id);
  c.picture.reset(bitmap);
  InvalidateRect(c.hwnd, nullptr, FALSE);
}

void Form::SetIcons(HICON big, HICON small) {
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void Form::PaintDrawnControl(size_t index, HDC dc) {
  const Control& c = controls_[index];
  RECT r;
  GetClientRect(c.hwnd, &r);
  Offscreen off(dc, r.right, r.bottom);
  if (c.def->kind == Kind::Image) {
    FillRect(off.dc(), &r, c.brush.get());
    if (c.picture) {
      BITMAP bm{};
      GetObjectA(c.picture.get(), sizeof bm, &bm);
      HDC src = CreateCompatibleDC(dc);
      {
        Selected pick(src, c.picture.get());
        if (c.def->settings & kStretch) {
          StretchBlt(off.dc(), 0, 0, r.right, r.bottom, src, 0, 0, bm.bmWidth, bm.bmHeight,
                     SRCCOPY);
        } else if (dpi_ == kDesignDpi) {
          BitBlt(off.dc(), 0, 0, bm.bmWidth, bm.bmHeight, src, 0, 0, SRCCOPY);
        } else {
          // Grows with its control; averaged, not with doubled pixel rows.
          SetStretchBltMode(off.dc(), HALFTONE);
          SetBrushOrgEx(off.dc(), 0, 0, nullptr);
          StretchBlt(off.dc(), 0, 0, Scaled(bm.bmWidth), Scaled(bm.bmHeight), src, 0, 0,
                     bm.bmWidth, bm.bmHeight, SRCCOPY);
        }
      }
      DeleteDC(src);
    }
  } else {
    char caption[256] = {};
    GetWindowTextA(c.hwnd, caption, sizeof caption);
    PaintContainer(off.dc(), r, *c.def, caption, c.hfont, c.color, c.textColor);
  }
  off.CopyTo(dc);
}

bool Form::DrawItem(const DRAWITEMSTRUCT& item) {
  const size_t index = IndexOf(static_cast<int>(item.CtlID));
  const Control& c = controls_[index];
  if (c.def->kind != Kind::BitBtn) return OnDrawItem(item);
  const RECT& rc = item.rcItem;
  Offscreen off(item.hDC, rc.right - rc.left, rc.bottom - rc.top);
  RECT local{0, 0, off.width(), off.height()};
  ButtonLook look;
  look.pressed = (item.itemState & ODS_SELECTED) != 0;
  look.focused = (item.itemState & ODS_FOCUS) != 0;
  look.enabled = (item.itemState & ODS_DISABLED) == 0;
  look.isDefault = IsDefaultButton(*c.def);
  look.textColor = c.textColor;
  char caption[256] = {};
  GetWindowTextA(c.hwnd, caption, sizeof caption);
  PaintBitBtn(off.dc(), local, caption, c.hfont, c.glyph, c.disabledGlyph, look);
  off.CopyTo(item.hDC, rc.left, rc.top);
  return true;
}

LRESULT Form::ControlColor(HDC dc, HWND child) {
  for (const Control& c : controls_) {
    if (c.hwnd != child) continue;
    SetTextColor(dc, c.textColor);
    SetBkColor(dc, c.color);
    return reinterpret_cast<LRESULT>(c.brush.get());
  }
  return 0;
}

HWND Form::FirstTabStop() const { return GetNextDlgTabItem(Handle(), nullptr, FALSE); }

void Form::RestoreFocus() {
  HWND target = lastFocus_;
  if (!target || !IsChild(Handle(), target) || !IsWindowVisible(target) ||
      !IsWindowEnabled(target))
    target = FirstTabStop();
  if (target) SetFocus(target);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      CreateControls();
      FormCreate();
      return 0;
    case WM_SHOWWINDOW:
      // Not when an owner's restore brings it back: that is no new showing.
      if (wParam && lParam == 0) FormShow();
      break;
    case WM_SIZE:
      if (wParam != SIZE_MINIMIZED && !controls_.empty() && controls_.back().hwnd)
        Relayout(LOWORD(lParam), HIWORD(lParam));
      break;
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(Handle(), &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, background_.get());
      return 1;
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
      } else {
        RestoreFocus();
      }
      return 0;
    case WM_COMMAND: {
      const int id = LOWORD(wParam), code = HIWORD(wParam);
      for (Control& c : controls_) {
        if (c.def->id != id || !IsButtonKind(c.def->kind)) continue;
        if (code == BN_CLICKED || (code == BN_DOUBLECLICKED && c.def->kind == Kind::BitBtn)) {
          if (c.def->kind == Kind::RadioButton) UpdateRadioTabStops(id);
          Click(id);
          return 0;
        }
      }
      if (OnCommand(id, code)) return 0;
      break;
    }
    case WM_DRAWITEM:
      if (DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_MEASUREITEM:
      if (OnMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam))) return TRUE;
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      if (LRESULT brush = ControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
        return brush;
      break;
    case WM_CLOSE:
      if (modal_) {
        modalResult_ = mrCancel;
      } else if (mainForm_) {
        DestroyWindow(Handle());
      } else {
        Hide();
      }
      return 0;
    case WM_DESTROY:
      if (mainForm_) PostQuitMessage(0);
      break;
    default:
      break;
  }
  return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace forms
