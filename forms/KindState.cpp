#include "forms/KindState.h"

#include "forms/Layout.h"

namespace forms {

std::string MemoLines::Text() const {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  return text;
}

ButtonGlyphs ButtonGlyphs::Load(const ControlDef& entry) {
  Pixels strip;
  if (entry.glyphResource) {
    Bitmap bmp(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr),
                                               MAKEINTRESOURCEA(entry.glyphResource), IMAGE_BITMAP,
                                               0, 0, LR_CREATEDIBSECTION)));
    strip = GlyphFromBitmap(bmp.get());
  }
  if (strip.empty())
    strip = GlyphFromArt(entry.glyph != GlyphArt::None ? entry.glyph : StockGlyph(entry.buttonKind));
  ButtonGlyphs g;
  g.glyph = GlyphImage(strip, 0);
  g.disabled = GlyphCount(strip) > 1 ? GlyphImage(strip, 1)
                                     : DisabledGlyph(g.glyph, GetSysColor(COLOR_BTNHIGHLIGHT),
                                                     GetSysColor(COLOR_BTNSHADOW));
  return g;
}

void Picture::Paint(HDC target, HDC reference, const RECT& client, bool stretch, int dpi) const {
  if (!bitmap) return;
  BITMAP bm{};
  GetObjectA(bitmap.get(), sizeof bm, &bm);
  win32::MemoryDC src(reference);
  Selected pick(src.get(), bitmap.get());
  if (stretch) {
    StretchBlt(target, 0, 0, client.right, client.bottom, src.get(), 0, 0, bm.bmWidth,
               bm.bmHeight, SRCCOPY);
  } else if (dpi == kDesignDpi) {
    BitBlt(target, 0, 0, bm.bmWidth, bm.bmHeight, src.get(), 0, 0, SRCCOPY);
  } else {
    // Grows with its control; averaged, not with doubled pixel rows.
    SetStretchBltMode(target, HALFTONE);
    SetBrushOrgEx(target, 0, 0, nullptr);
    StretchBlt(target, 0, 0, Scale(bm.bmWidth, dpi), Scale(bm.bmHeight, dpi), src.get(), 0, 0,
               bm.bmWidth, bm.bmHeight, SRCCOPY);
  }
}

KindState InitialState(const ControlDef& entry) {
  switch (entry.kind) {
    case Kind::Memo: {
      MemoLines memo;
      const char* caption = CaptionOf(entry);
      if (caption && *caption) memo.lines.assign(1, caption);
      return memo;
    }
    case Kind::BitBtn: return ButtonGlyphs::Load(entry);
    case Kind::Image: return Picture();
    default: return std::monostate{};
  }
}

}  // namespace forms
