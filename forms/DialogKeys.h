// Which button Enter or Esc presses: the same rule for every window, no
// system headers, so the host tests own it.
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
inline KeyTarget ChooseKeyTarget(DialogKey key, FocusKind focus, bool modifiers,
                                 const ButtonState& defaultButton,
                                 const ButtonState& cancelButton) {
  if (modifiers || focus == FocusKind::MultiLineText) return KeyTarget::None;
  if (key == DialogKey::Escape) return cancelButton.usable() ? KeyTarget::Cancel : KeyTarget::None;
  if (focus == FocusKind::PushButton) return KeyTarget::Focused;
  return defaultButton.usable() ? KeyTarget::Default : KeyTarget::None;
}

}  // namespace forms
