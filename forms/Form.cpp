// A form's life: the window and its controls created from the table, laid
// out again when it is resized, and its window procedure.
#include "forms/Form.h"

#include "core/error.h"
#include "forms/BitBtn.h"
#include "forms/Container.h"
#include "forms/Image.h"

namespace forms {

namespace {

RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

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
    parentFont = p.look.fontDef;
  }
  c.table.back = entry.color != kInherit ? entry.color : parent.back;
  c.table.text = entry.textColor != kInherit ? entry.textColor : parent.text;
  FontDef& font = c.look.fontDef;
  font = parentFont;
  if (entry.font.face) font.face = entry.font.face;
  if (entry.font.height) font.height = entry.font.height;
  if (entry.font.bold) font.bold = true;
  if (entry.font.charset != kDefaultCharset) font.charset = entry.font.charset;
  c.look.font = fonts_.Get(font);
  ResolveColors(c);
}

COLORREF Form::BackgroundColor() const {
  return ResolveColor(ControlColors(Kind::Panel, {def_.color, kInherit}, highContrast_).back);
}

void Form::ResolveColors(Control& c) {
  const ColorPair pair = ControlColors(c.def->kind, c.table, highContrast_);
  c.look.back = ResolveColor(pair.back);
  c.look.text = ResolveColor(pair.text);
  c.look.brush.reset(CreateSolidBrush(c.look.back));
  c.look.highContrast = highContrast_;
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

std::unique_ptr<DrawnControl> Form::NewDrawnControl(const Control& c) {
  switch (c.def->kind) {
    case Kind::BitBtn: return std::make_unique<TBitBtn>(*c.def, c.look);
    case Kind::Panel:
    case Kind::GroupBox: return std::make_unique<TContainer>(*c.def, c.look);
    case Kind::Image: return std::make_unique<TImage>(*c.def, c.look, dpi_);
    case Kind::Gauge: return std::make_unique<TGauge>(*c.def, c.look, fonts_);
    default: return nullptr;
  }
}

void Form::CreateControl(size_t index, const RECT& rect) {
  const ControlDef& entry = def_.controls[index];
  Control& c = controls_[index];
  InheritLook(entry, c);
  c.modalResult = ModalResultOf(entry);
  if (entry.kind == Kind::Memo && *CaptionOf(entry)) c.lines.assign(1, CaptionOf(entry));

  HWND parent = entry.parent ? controls_[IndexOf(entry.parent)].hwnd : Handle();
  c.drawn = NewDrawnControl(c);
  c.hwnd = c.drawn ? c.drawn->Create(rect, parent, Handle())
                   : CreateControlWindow(entry, StyleOf(entry, SystemClassOf(entry.kind)),
                                         CaptionOf(entry), rect, parent);
  if (!c.hwnd) throw core::Error(core::Format("Error creating control %s", entry.name));
  SendMessageA(c.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(c.look.font), FALSE);
  if (entry.settings & kChecked) SendMessageA(c.hwnd, BM_SETCHECK, BST_CHECKED, 0);
}

size_t Form::IndexOf(int id) const {
  for (size_t i = 0; i < def_.controlCount; ++i)
    if (def_.controls[i].id == id) return i;
  throw core::Error(core::Format("Control %d not found", id));
}

Control& Form::ControlOf(int id) { return controls_.at(IndexOf(id)); }
const Control& Form::ControlOf(int id) const { return controls_.at(IndexOf(id)); }

Control& Form::ControlOf(int id, Kind kind, const char* kindName) {
  Control& c = ControlOf(id);
  if (c.def->kind != kind || !c.hwnd)
    throw core::Error(core::Format("%s is no %s", c.def->name, kindName));
  return c;
}

HWND Form::Item(int id) const { return ControlOf(id).hwnd; }
const ControlDef& Form::DefOf(int id) const { return def_.controls[IndexOf(id)]; }

// Clicks of the table's buttons; true when one was handled.
bool Form::HandleCommand(int id, int code) {
  for (Control& c : controls_) {
    if (c.def->id != id || !IsButtonKind(c.def->kind)) continue;
    if (code == BN_CLICKED || (c.drawn && c.drawn->IsClick(code))) {
      if (c.def->kind == Kind::RadioButton) UpdateRadioTabStops(id);
      Click(id);
      return true;
    }
  }
  return OnCommand(id, code);
}

LRESULT Form::ControlColor(HDC dc, HWND child) {
  for (const Control& c : controls_) {
    if (c.hwnd != child) continue;
    SetTextColor(dc, c.look.text);
    SetBkColor(dc, c.look.back);
    return reinterpret_cast<LRESULT>(c.look.brush.get());
  }
  return 0;
}

bool Form::DrawItem(const DRAWITEMSTRUCT& item) {
  const Control& c = controls_[IndexOf(static_cast<int>(item.CtlID))];
  if (c.drawn && c.drawn->DrawItem(item)) return true;
  return OnDrawItem(item);
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

void Form::OnClick(int id, std::function<void()> handler) {
  ControlOf(id).onClick = std::move(handler);
}

void Form::Click(int id) {
  Control& c = ControlOf(id);
  if (c.modalResult != mrNone) modalResult_ = c.modalResult;
  if (c.onClick) c.onClick();
}

void Form::SetCaption(const std::string& text) { SetWindowTextA(Handle(), text.c_str()); }

std::string Form::Text(int id) const {
  HWND h = Item(id);
  std::string text(static_cast<size_t>(GetWindowTextLengthA(h)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(h, &text[0], static_cast<int>(text.size()))));
  return text;
}

win32::WideText Form::WideText(int id) const {
  HWND h = Item(id);
  win32::WideText text(static_cast<size_t>(GetWindowTextLengthW(h)) + 1, L'\0');
  const int n = GetWindowTextW(h, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(n) + 1);
  return text;
}

void Form::SetText(int id, const std::string& text) {
  Control& c = ControlOf(id);
  SetWindowTextA(c.hwnd, text.c_str());
  // A window of ours draws its text itself.
  if (Window::FromHandle(c.hwnd)) InvalidateRect(c.hwnd, nullptr, FALSE);
}

void Form::SetEnabled(int id, bool enabled) {
  HWND h = Item(id);
  // The form itself takes the focus, so Enter still reaches the default button.
  if (!enabled && GetFocus() == h) SetFocus(Handle());
  EnableWindow(h, enabled);
}

void Form::SetVisible(int id, bool visible) {
  HWND h = Item(id);
  if (!visible && GetFocus() == h) SetFocus(Handle());
  ShowWindow(h, visible ? SW_SHOWNA : SW_HIDE);
}

bool Form::Checked(int id) const {
  return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Form::ClearLines(int id) {
  ControlOf(id, Kind::Memo, "memo").lines.clear();
  SetWindowTextA(Item(id), "");
}

void Form::AddLines(int id, const std::vector<std::string>& lines) {
  Control& memo = ControlOf(id, Kind::Memo, "memo");
  memo.lines.insert(memo.lines.end(), lines.begin(), lines.end());
  std::string text;
  for (size_t i = 0; i < memo.lines.size(); ++i) {
    if (i) text += "\r\n";
    text += memo.lines[i];
  }
  SetWindowTextA(memo.hwnd, text.c_str());
  // The text may be drawn while the message loop is blocked by a long run.
  UpdateWindow(memo.hwnd);
}

TGauge& Form::GaugeOf(int id) {
  return static_cast<TGauge&>(*ControlOf(id, Kind::Gauge, "gauge").drawn);
}

void Form::SetPicture(int id, HBITMAP bitmap) {
  static_cast<TImage&>(*ControlOf(id, Kind::Image, "image").drawn).SetBitmap(bitmap);
}

void Form::SetIcons(HICON big, HICON small) {
  SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

}  // namespace forms
