// TForm3: the shortcut dialog shown after a successful installation.
#pragma once

#include <string>

#include "forms/Form.h"
#include "wizard/ControlIds.h"

namespace core {
class Platform;
}

namespace wizard {

extern const forms::FormDef kForm3Def;

class TForm3 : public forms::Form {
 public:
  explicit TForm3(core::Platform& platform);

  // Input, set before ShowModal: the folder the program was installed to.
  std::string targetFolder;

  // The English texts, set by the main window when it is shown.
  void ApplyTexts();
  void BitBtn1Click();

 private:
  core::Platform& platform_;
};

}  // namespace wizard
