#include "wizard/FolderChooserTexts.h"

namespace wizard {

std::string OutsideCodePageMessage(const std::string& folder) {
  return "Unable to use folder: " + folder +
         ". \rIts name has characters outside the system's code page. Choose another one.";
}

}  // namespace wizard
