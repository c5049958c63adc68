// The agreement dialog's words: its captions and the licence text. Free of
// windows.h, so the host tests read them.
#pragma once

#include <string>

#include "core/platform.h"

namespace wizard {

inline constexpr char kAgreementCaption[] = "Licence agreement";
inline constexpr char kAgreementNextCaption[] = "&Next";
inline constexpr char kAgreementCancelCaption[] = "C&ancel";
inline constexpr char kAcceptCaption[] = "Accept";
inline constexpr char kDeclineCaption[] = "Do not accept";

// The licence text as the program stores it, up to its first NUL; a line
// that says it is missing when it is.
std::string AgreementText(core::Platform& platform);

}  // namespace wizard
