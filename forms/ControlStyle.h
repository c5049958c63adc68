// How each kind of control of a layout table becomes a window: its class,
// style and extended style, from its kind and its settings.
#pragma once

#include <windows.h>

#include "forms/Schema.h"

namespace forms {

enum class Maker {
  System,  // a control class of the system
  Drawn,   // a window of ours the form paints (containers and pictures)
  Gauge,   // TGauge
};

struct ControlStyle {
  const char* className;
  Maker maker;
  DWORD style;
  DWORD exStyle;
};

ControlStyle StyleOf(const ControlDef& def);

inline bool IsContainer(Kind k) { return k == Kind::Panel || k == Kind::GroupBox; }

}  // namespace forms
