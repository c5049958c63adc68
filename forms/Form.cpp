// A form's life: the window and its controls created from the table, laid
// out again when it is resized, and its window procedure.
#include "forms/Form.h"

#include "core/error.h"
#include "forms/ControlStyle.h"
#include "forms/DrawnControl.h"

namespace forms {

int ScreenDpi() {
  const int dpi = GetDeviceCaps(win32::WindowDC().get(), LOGPIXELSY);
  return dpi > 0 ? dpi : kDesignDpi;
}

bool HighContrastOn() {
  HIGHCONTRASTA hc{};
  hc.cbSize = sizeof hc;
  return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) &&
         (hc.dwFlags & HCF_HIGHCONTRASTON);
}

Form::Form(const FormDef& def, int dpi)
    : def_(def),
      dpi_(dpi > 0 ? dpi : ScreenDpi()),
      controls_(def.controlCount),
      fonts_(dpi_),
      highContrast_(HighContrastOn()) {
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
  background_.reset(CreateSolidBrush(BackgroundColor()));
  CreateHandle(def_.className, exStyle, def_.caption, style, r, owner, 0);
  if (!Handle()) throw core::Error("Error creating window");
}

void Form::CreateControls() {
  const std::vector<Rect> layout = ComputeLayout(def_.controls, def_.controlCount,
                                                 Scaled(def_.clientWidth),
                                                 Scaled(def_.clientHeight), dpi_);
  for (size_t i = 0; i < def_.controlCount; ++i) CreateControl(i, ToRECT(layout[i]));
  ApplyTabOrder();
}

void Form::Relayout(int clientWidth, int clientHeight) {
  const std::vector<Rect> layout =
      ComputeLayout(def_.controls, def_.controlCount, clientWidth, clientHeight, dpi_,
                    def_.clientWidth, def_.clientHeight);
  for (size_t i = 0; i < controls_.size(); ++i) {
    HWND h = controls_[i].hwnd;
    RECT now;
    GetWindowRect(h, &now);
    MapWindowPoints(nullptr, GetParent(h), reinterpret_cast<POINT*>(&now), 2);
    const RECT r = ToRECT(layout[i]);
    if (!EqualRect(&now, &r))
      MoveWindow(h, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
}

// Colours and fonts come from the parent unless the table gives them.
void Form::InheritLook(const ControlDef& entry, Control& c) {
  ColorPair parent{def_.color, SystemColor(kColorWindowText)};
  FontDef parentFont = def_.font;
  if (entry.parent) {
    const Control& p = controls_[IndexOf(entry.parent)];
    parent = p.table;
    parentFont = p.font;
  }
  c.table.back = entry.color != kInherit ? entry.color : parent.back;
  c.table.text = entry.textColor != kInherit ? entry.textColor : parent.text;
  c.font = parentFont;
  if (entry.font.face) c.font.face = entry.font.face;
  if (entry.font.height) c.font.height = entry.font.height;
  if (entry.font.bold) c.font.bold = true;
  if (entry.font.charset != kDefaultCharset) c.font.charset = entry.font.charset;
  c.hfont = fonts_.Get(c.font);
  ResolveColors(c);
}

COLORREF Form::BackgroundColor() const {
  return ResolveColor(ControlColors(Kind::Panel, {def_.color, kInherit}, highContrast_).back);
}

void Form::ResolveColors(Control& c) {
  const ColorPair pair = ControlColors(c.def->kind, c.table, highContrast_);
  c.color = ResolveColor(pair.back);
  c.textColor = ResolveColor(pair.text);
  c.brush.reset(CreateSolidBrush(c.color));
  if (c.def->kind == Kind::Gauge && c.window)
    static_cast<TGauge&>(*c.window).SetColors(GaugeColorsFor(highContrast_));
}

void Form::ApplyColors(bool highContrast) {
  highContrast_ = highContrast;
  background_.reset(CreateSolidBrush(BackgroundColor()));
  for (Control& c : controls_)
    if (c.hwnd) ResolveColors(c);
  if (Handle())
    RedrawWindow(Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void Form::CreateControl(size_t index, const RECT& rect) {
  const ControlDef& entry = def_.controls[index];
  Control& c = controls_[index];
  InheritLook(entry, c);
  c.modalResult = ModalResultOf(entry);
  c.state = InitialState(entry);

  HWND parent = entry.parent ? controls_[IndexOf(entry.parent)].hwnd : Handle();
  const ControlStyle style = StyleOf(entry);
  const char* caption = CaptionOf(entry);
  switch (style.maker) {
    case Maker::System:
      if (entry.settings & kWideText) {
        // A Unicode window stores what is typed as typed; an ANSI one would
        // turn a character outside the code page into '?' or a look-alike.
        wchar_t className[16] = {};
        MultiByteToWideChar(CP_ACP, 0, style.className, -1, className, 16);
        c.hwnd = CreateWindowExW(style.exStyle, className, L"", style.style, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                                 GetModuleHandleA(nullptr), nullptr);
        if (c.hwnd) SetWindowTextA(c.hwnd, caption);
        break;
      }
      c.hwnd = CreateWindowExA(style.exStyle, style.className, caption, style.style, rect.left,
                               rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)),
                               GetModuleHandleA(nullptr), nullptr);
      break;
    case Maker::Gauge: {
      auto gauge = std::make_unique<TGauge>(
          fonts_.Get(FontDef{c.font.face, c.font.height, true, c.font.charset}));
      gauge->SetColors(GaugeColorsFor(highContrast_));
      gauge->Create(rect, parent, entry.id, style.style);
      c.hwnd = gauge->Handle();
      c.window = std::move(gauge);
      break;
    }
    case Maker::Drawn: {
      auto drawn = std::make_unique<DrawnControl>(*this, index);
      drawn->Create(style.className, style.exStyle, style.style, rect, parent, entry.id);
      c.hwnd = drawn->Handle();
      if (IsContainer(entry.kind)) SetWindowTextA(c.hwnd, caption);
      c.window = std::move(drawn);
      break;
    }
  }
  if (!c.hwnd) throw core::Error(core::Format("Error creating control %s", entry.name));
  SendMessageA(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.hfont), FALSE);
  if (entry.settings & kChecked) SendMessageA(c.hwnd, BM_SETCHECK, BST_CHECKED, 0);
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

// Leaving remembers the focus; coming back restores it.
void Form::HandleActivate(bool active) {
  if (active) {
    RestoreFocus();
    return;
  }
  HWND focus = GetFocus();
  if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
}

// Clicks of the table's buttons; true when one was handled.
bool Form::HandleCommand(int id, int code) {
  for (Control& c : controls_) {
    if (c.def->id != id || !IsButtonKind(c.def->kind)) continue;
    if (code == BN_CLICKED || (code == BN_DOUBLECLICKED && c.def->kind == Kind::BitBtn)) {
      if (c.def->kind == Kind::RadioButton) UpdateRadioTabStops(id);
      Click(id);
      return true;
    }
  }
  return OnCommand(id, code);
}

// The close box cancels a modal form, ends the program from the main form
// and hides any other.
void Form::HandleClose() {
  if (modal_) {
    modalResult_ = mrCancel;
  } else if (mainForm_) {
    DestroyWindow(Handle());
  } else {
    Hide();
  }
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
      HandleActivate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_COMMAND:
      if (HandleCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
      break;
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
    case WM_SYSCOLORCHANGE:
      // Sent when the colours change, high contrast turning on or off too.
      ApplyColors(HighContrastOn());
      break;
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETHIGHCONTRAST) ApplyColors(HighContrastOn());
      break;
    case WM_CLOSE:
      HandleClose();
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
