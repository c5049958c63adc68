// TForm3: the shortcut dialog shown after a successful installation.
#pragma once

#include "forms/Form.h"
#include "wizard/ControlIds.h"

namespace wizard {

extern const forms::FormDef kForm3Def;

class TForm3 : public forms::Form {
 public:
  // The target folder is the main window's Edit1, read at the click.
  explicit TForm3(const forms::Form& mainWindow);

  // The English texts, set by the main window when it is shown.
  void ApplyTexts();
  void BitBtn1Click();

 private:
  const forms::Form& mainWindow_;
};

}  // namespace wizard
