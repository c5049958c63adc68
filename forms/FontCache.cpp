#include "forms/FontCache.h"

#include "core/error.h"
#include "forms/Layout.h"

namespace forms {

HFONT FontCache::Get(const FontDef& f) {
  const std::string key = core::Format("%s|%d|%d|%d", f.face, f.height, f.bold, f.charset);
  for (auto& entry : fonts_)
    if (entry.first == key) return entry.second.get();
  HFONT font = CreateFontA(-Scale(f.height, dpi_), 0, 0, 0, f.bold ? FW_BOLD : FW_NORMAL, 0, 0,
                           0, f.charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                           FontFace(f.face, dpi_));
  fonts_.emplace_back(key, win32::Font(font));
  return font;
}

}  // namespace forms
