// Layout: the pure arithmetic that places a table's controls (forms/Schema.h)
// at a DPI and a client size. Nothing here needs the system, so it is tested
// on the host.
#pragma once

#include <cstddef>
#include <vector>

#include "forms/Schema.h"

namespace forms {

constexpr int kDesignDpi = 96;

// One design value at the display's DPI; exactly n at 96, otherwise rounded
// to the nearest pixel, halves away from zero.
constexpr int Scale(int n, int dpi) {
  const long long product = static_cast<long long>(n) * dpi;
  return static_cast<int>(product < 0 ? (product - kDesignDpi / 2) / kDesignDpi
                                      : (product + kDesignDpi / 2) / kDesignDpi);
}

// A control's place in its parent's client area, in pixels.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

// The face a font of the tables is created with at a DPI. "MS Sans Serif" is
// a bitmap font of a few sizes; away from 96 DPI its TrueType sibling of the
// same metrics scales smoothly instead.
const char* FontFace(const char* face, int dpi);

// Places every control of a table in its parent's client area at the given
// DPI: scaled, then docked (top, bottom, left, right, then fill, each group
// in design order). Rects are relative to the parent; index as in the table.
// When the client differs from the design size (0: it does not), anchored
// controls move or grow with it (kMoveX, kSizeX, kMoveY, kSizeY).
std::vector<Rect> ComputeLayout(const ControlDef* controls, size_t count, int clientWidth,
                                int clientHeight, int dpi, int designWidth = 0,
                                int designHeight = 0);

}  // namespace forms
