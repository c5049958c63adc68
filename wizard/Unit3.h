// TForm3: the shortcut dialog shown after a successful installation.
#pragma once

#include "core/install.h"
#include "forms/Form.h"
#include "wizard/ControlIds.h"

namespace wizard {

extern const forms::FormDef kForm3Def;

class TForm3 : public forms::Form {
 public:
  explicit TForm3(core::LinkMaker& links);

  // The English texts, set by the main window when it is shown.
  void ApplyTexts();
  // Shows the dialog modally for what a run installed.
  void Offer(const core::Installed& installed);
  void BitBtn1Click();

 private:
  core::LinkMaker& links_;
  core::Installed installed_;
};

}  // namespace wizard
