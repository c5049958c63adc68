// The shortcut dialog's words. Free of windows.h, so the host tests read them.
#pragma once

namespace wizard {

inline constexpr char kShortcutCaption[] = "Shorcut";
inline constexpr char kShortcutGroupCaption[] = "Create shortcut to program:";
inline constexpr char kOnDesktopCaption[] = "on desktop";
inline constexpr char kInStartMenuCaption[] = "in Menu Start";
inline constexpr char kYesCaption[] = "Yes";
inline constexpr char kNoCaption[] = "No";

}  // namespace wizard
