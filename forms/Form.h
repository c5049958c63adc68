// A window built from a layout table: its controls, their colours and fonts,
// click handlers, modal showing with a modal result, and the dialog keys.
// The kinds the forms layer draws itself are created and dispatched to here
// (forms/BitBtn.h, Container.h, Image.h, Gauge.h).
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/Control.h"
#include "forms/DialogKeys.h"
#include "forms/Gauge.h"
#include "forms/Layout.h"
#include "forms/Palette.h"
#include "forms/Window.h"
#include "win32/Utf8.h"

namespace forms {

// Everything the form keeps about one control of its table.
struct Control {
  const ControlDef* def = nullptr;
  HWND hwnd = nullptr;
  ColorPair table;  // the table's colours, inherited ones filled in
  Look look;
  int modalResult = mrNone;
  std::function<void()> onClick;
  std::vector<std::string> lines;  // a memo's; its text is them joined by CR LF
  std::unique_ptr<DrawnControl> drawn;  // a kind the forms layer draws itself
};

class Form : public Window {
 public:
  // dpi 0: the display's.
  explicit Form(const FormDef& def, int dpi = 0);
  ~Form() override;

  // Creates the window hidden, with its controls; FormCreate runs meanwhile.
  void Create(HWND owner = nullptr);
  // Closing it ends the message loop.
  void SetMainForm(bool main) { mainForm_ = main; }

  int Dpi() const { return dpi_; }
  int Scaled(int n) const { return Scale(n, dpi_); }
  HWND Item(int id) const;

  // Showing: FormShow runs as the window becomes visible; the first showing
  // centres it on the screen, later ones keep its place.
  void Show();
  void Hide();
  // Runs until a modal result is set; the owner is disabled meanwhile.
  int ShowModal();
  void Close();
  void SetModalResult(int result) { modalResult_ = result; }

  // A click stores the button's modal result on the form, then runs this.
  void OnClick(int id, std::function<void()> handler);
  void Click(int id);

  void SetCaption(const std::string& text);
  std::string Text(int id) const;
  // The text as UTF-16 with its NUL, for a kWideText control.
  win32::WideText WideText(int id) const;
  void SetText(int id, const std::string& text);
  void SetEnabled(int id, bool enabled);
  void SetVisible(int id, bool visible);
  bool Checked(int id) const;

  // Memo lines; the window text is the lines joined by CR LF.
  void ClearLines(int id);
  void AddLines(int id, const std::vector<std::string>& lines);

  TGauge& GaugeOf(int id);
  // Takes the bitmap; drawn unscaled at the top-left (stretched with kStretch).
  void SetPicture(int id, HBITMAP bitmap);
  // Big: taskbar and task switcher; small: the title bar.
  void SetIcons(HICON big, HICON small);

  // Presses the button Enter or Esc stands for; false when the key is not ours.
  bool PressDialogKey(DialogKey key, bool modifiers);
  // Tab / Shift+Tab, arrows in a radio group, Alt+mnemonic; each shows the
  // keyboard cues it concerns (WM_CHANGEUISTATE).
  bool HandleNavigationKey(const MSG& msg);

  // Paints the table's colours, or the system's pairs when high contrast is
  // on, and repaints. The window decides by itself at creation and whenever
  // the system's colours or the high-contrast setting change.
  void ApplyColors(bool highContrast);
  // Moves the focus there now if the form is active, otherwise when it is
  // activated again.
  void FocusControl(int id);

 protected:
  virtual void FormCreate() {}
  virtual void FormShow() {}
  // Notifications other than clicks, and owner-drawn lists.
  virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
  virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  virtual bool OnMeasureItem(MEASUREITEMSTRUCT& /*item*/) { return false; }
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateControls();
  void Relayout(int clientWidth, int clientHeight);
  void CreateControl(size_t index, const RECT& rect);
  std::unique_ptr<DrawnControl> NewDrawnControl(const Control& c);
  void InheritLook(const ControlDef& entry, Control& c);
  void ResolveColors(Control& c);
  COLORREF BackgroundColor() const;
  void ApplyTabOrder();
  // The window procedure's handlers.
  void HandleActivate(bool active);
  bool HandleCommand(int id, int code);
  void HandleClose();
  LRESULT ControlColor(HDC dc, HWND child);
  bool DrawItem(const DRAWITEMSTRUCT& item);
  void UpdateRadioTabStops(int checkedId);
  void ShowKeyboardCues(WORD cues);
  void RestoreFocus();
  HWND FirstTabStop() const;
  size_t IndexOf(int id) const;
  const ControlDef& DefOf(int id) const;
  Control& ControlOf(int id);
  const Control& ControlOf(int id) const;
  // The control `id` when it is of `kind`; otherwise "<name> is no <kindName>".
  Control& ControlOf(int id, Kind kind, const char* kindName);

  FormDef def_;
  int dpi_;
  std::vector<Control> controls_;
  FontCache fonts_;
  win32::Brush background_;
  bool highContrast_;
  bool mainForm_ = false;
  bool modal_ = false;
  bool shownBefore_ = false;
  int modalResult_ = mrNone;
  HWND lastFocus_ = nullptr;
};

// The display's DPI, read at run time.
int ScreenDpi();
// Whether the user has high contrast on (SPI_GETHIGHCONTRAST).
bool HighContrastOn();

// Dialog keys and navigation for the window the message is meant for; true
// when the message was consumed.
bool PreTranslateMessage(MSG& msg);
// Until the main form closes; returns the quit code.
int RunMessageLoop();

}  // namespace forms
