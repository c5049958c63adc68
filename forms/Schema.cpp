#include "forms/Schema.h"

namespace forms {

const char* CaptionOf(const ControlDef& c) {
  if (c.caption) return c.caption;
  return c.kind == Kind::BitBtn ? StockCaption(c.buttonKind) : "";
}

int ModalResultOf(const ControlDef& c) {
  if (c.modalResult != mrNone) return c.modalResult;
  return c.kind == Kind::BitBtn ? StockModalResult(c.buttonKind) : mrNone;
}

bool IsDefaultButton(const ControlDef& c) {
  return (c.settings & kDefault) || (c.kind == Kind::BitBtn && StockIsDefault(c.buttonKind));
}

bool IsCancelButton(const ControlDef& c) {
  return (c.settings & kCancel) || (c.kind == Kind::BitBtn && StockIsCancel(c.buttonKind));
}

}  // namespace forms
