// Which button Enter or Esc presses: the same rule for every window.
#pragma once

namespace forms {

enum class DialogKey { Enter, Escape };
enum class FocusKind { PushButton, MultiLineText, Other };
enum class KeyTarget { None, Focused, Default, Cancel };

struct ButtonState {
  bool exists = false;
  bool visible = false;
  bool enabled = false;
  bool usable() const { return exists && visible && enabled; }
};

// Enter presses the focused push button, otherwise the default button; Esc
// the cancel button. Nothing with Shift, Ctrl or Alt held, nothing while a
// multi-line text has the focus, nothing on a hidden or disabled button.
KeyTarget ChooseKeyTarget(DialogKey key, FocusKind focus, bool modifiers,
                          const ButtonState& defaultButton, const ButtonState& cancelButton);

}  // namespace forms
