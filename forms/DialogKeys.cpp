#include "forms/DialogKeys.h"

namespace forms {

KeyTarget ChooseKeyTarget(DialogKey key, FocusKind focus, bool modifiers,
                          const ButtonState& defaultButton, const ButtonState& cancelButton) {
  if (modifiers || focus == FocusKind::MultiLineText) return KeyTarget::None;
  if (key == DialogKey::Escape) return cancelButton.usable() ? KeyTarget::Cancel : KeyTarget::None;
  if (focus == FocusKind::PushButton) return KeyTarget::Focused;
  return defaultButton.usable() ? KeyTarget::Default : KeyTarget::None;
}

}  // namespace forms
