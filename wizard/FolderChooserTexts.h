// The folder chooser's words. Free of windows.h, so the host tests read them.
#pragma once

#include <string>

namespace wizard {

inline constexpr char kChooserCaption[] = "Select Directory";
inline constexpr char kNameLabelCaption[] = "Directory &Name:";
inline constexpr char kDirLabelCaption[] = "&Directories:";
inline constexpr char kFileLabelCaption[] = "&Files: (*.*)";
inline constexpr char kDriveLabelCaption[] = "D&rives:";
inline constexpr char kChooserOkCaption[] = "OK";
inline constexpr char kChooserCancelCaption[] = "Cancel";
inline constexpr char kConfirmTitle[] = "Confirm";
inline constexpr char kCreatePrompt[] = "The specified directory does not exist. Create it?";
inline constexpr char kRefusalTitle[] = "Error";

// The box that refuses a folder the ANSI code page cannot name (UTF-8), in
// the words of the other folder errors.
std::string OutsideCodePageMessage(const std::string& folder);

}  // namespace wizard
