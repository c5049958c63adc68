#include "forms/Layout.h"

#include <algorithm>

#include "core/path.h"
#include "forms/Container.h"

namespace forms {

const char* FontFace(const char* face, int dpi) {
  if (dpi != kDesignDpi && face && core::SameIgnoringCase(face, "MS Sans Serif"))
    return "Microsoft Sans Serif";
  return face;
}

namespace {

int DockOrder(Dock d) {
  switch (d) {
    case Dock::Top: return 0;
    case Dock::Bottom: return 1;
    case Dock::Left: return 2;
    case Dock::Right: return 3;
    case Dock::Fill: return 4;
    case Dock::None: break;
  }
  return 5;
}

// Design coordinate that orders docked siblings within their group.
int DockKey(const ControlDef& c) {
  switch (c.dock) {
    case Dock::Top: return c.top;
    case Dock::Bottom: return -(c.top + c.height);
    case Dock::Left: return c.left;
    case Dock::Right: return -(c.left + c.width);
    default: return 0;
  }
}

// Follows the parent's growth (dx, dy) as the control's settings say.
void Anchor(const ControlDef& c, int dx, int dy, Rect& r) {
  if (c.settings & kMoveX) r.left += dx;
  if (c.settings & (kMoveX | kSizeX)) r.right += dx;
  if (c.settings & kMoveY) r.top += dy;
  if (c.settings & (kMoveY | kSizeY)) r.bottom += dy;
}

Rect Inner(const ControlDef& c, const Rect& r) {
  const int inset = ContainerInset(c);
  return Rect{inset, inset, std::max(inset, r.width() - inset), std::max(inset, r.height() - inset)};
}

// area: the parent's client area now; design: what it was designed as.
void LayoutChildren(const ControlDef* controls, size_t count, int parentId, Rect area,
                    int designWidth, int designHeight, int dpi, std::vector<Rect>& out) {
  const int dx = area.width() - designWidth, dy = area.height() - designHeight;
  std::vector<Rect> designRects(count);
  std::vector<size_t> docked;
  for (size_t i = 0; i < count; ++i) {
    const ControlDef& c = controls[i];
    if (c.parent != parentId) continue;
    // Sizes scale on their own, so equal widths stay equal after rounding.
    const int left = Scale(c.left, dpi), top = Scale(c.top, dpi);
    out[i] = Rect{left, top, left + Scale(c.width, dpi), top + Scale(c.height, dpi)};
    designRects[i] = out[i];
    if (c.dock != Dock::None) docked.push_back(i);
    else Anchor(c, dx, dy, out[i]);
  }
  std::stable_sort(docked.begin(), docked.end(), [&](size_t a, size_t b) {
    const int oa = DockOrder(controls[a].dock), ob = DockOrder(controls[b].dock);
    if (oa != ob) return oa < ob;
    return DockKey(controls[a]) < DockKey(controls[b]);
  });
  Rect free = area;
  for (size_t i : docked) {
    Rect& r = out[i];
    const int w = r.right - r.left, h = r.bottom - r.top;
    switch (controls[i].dock) {
      case Dock::Top:
        r = Rect{free.left, free.top, free.right, free.top + h};
        free.top = r.bottom;
        break;
      case Dock::Bottom:
        r = Rect{free.left, free.bottom - h, free.right, free.bottom};
        free.bottom = r.top;
        break;
      case Dock::Left:
        r = Rect{free.left, free.top, free.left + w, free.bottom};
        free.left = r.right;
        break;
      case Dock::Right:
        r = Rect{free.right - w, free.top, free.right, free.bottom};
        free.right = r.left;
        break;
      case Dock::Fill:
        r = free;
        break;
      case Dock::None:
        break;
    }
  }
  for (size_t i = 0; i < count; ++i) {
    const ControlDef& c = controls[i];
    if (c.parent != parentId) continue;
    if (!IsContainer(c.kind)) continue;
    // A docked container's design size is what docking gives at design size.
    Rect designed = designRects[i];
    if (c.dock != Dock::None) {
      designed = out[i];
      if (c.dock == Dock::Top || c.dock == Dock::Bottom || c.dock == Dock::Fill)
        designed.right -= dx;
      if (c.dock == Dock::Left || c.dock == Dock::Right || c.dock == Dock::Fill)
        designed.bottom -= dy;
    }
    const Rect inner = Inner(c, out[i]), innerDesign = Inner(c, designed);
    LayoutChildren(controls, count, c.id, inner, innerDesign.width(), innerDesign.height(), dpi,
                   out);
  }
}

}  // namespace

std::vector<Rect> ComputeLayout(const ControlDef* controls, size_t count, int clientWidth,
                                int clientHeight, int dpi, int designWidth, int designHeight) {
  std::vector<Rect> out(count);
  LayoutChildren(controls, count, 0, Rect{0, 0, clientWidth, clientHeight},
                 designWidth ? Scale(designWidth, dpi) : clientWidth,
                 designHeight ? Scale(designHeight, dpi) : clientHeight, dpi, out);
  return out;
}

}  // namespace forms
