// TForm3: the shortcut dialog shown after a successful installation.
#pragma once

#include <string>

#include "forms/Form.h"
#include "wizard/ControlIds.h"

namespace core {
struct Installed;
}

namespace wizard {

extern const forms::FormDef kForm3Def;

class TForm3 : public forms::Form {
 public:
  TForm3();

  // The English texts, set by the main window when it is shown.
  void ApplyTexts();
  // Shows the dialog modally for what a run installed.
  void Offer(const core::Installed& installed);
  void BitBtn1Click();

 private:
  std::string folder_;   // as the program sees its own path
  std::string program_;  // the links' target
};

}  // namespace wizard
