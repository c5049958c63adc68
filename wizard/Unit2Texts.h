// The main window's words: its captions, the welcome and the lines that
// report a run's outcome. Free of windows.h, so the host tests read them.
#pragma once

#include <string>
#include <vector>

#include "core/install.h"

namespace wizard {

inline constexpr char kTargetFolderCaption[] = "Target folder:";
inline constexpr char kBrowseCaption[] = "Browse...";
inline constexpr char kNextCaption[] = "Next";
inline constexpr char kCancelCaption[] = "Cancel";
inline constexpr char kExitCaption[] = "Exit";
inline constexpr char kOkCaption[] = "OK";
inline constexpr char kErrorTitle[] = "Error";

// The information text before a run, naming the payload's version.
std::vector<std::string> WelcomeLines(const std::string& version);
// The box shown when the target folder cannot be created.
std::string FolderUnusableMessage(const std::string& targetDir);
// The information text while copying and after success.
std::vector<std::string> CopyingText();
std::vector<std::string> SuccessText();
// Lines appended to the copying text after a failure.
std::vector<std::string> FailureLines(core::InstallResult result);

}  // namespace wizard
