// The stock kinds of bitmap buttons: each one's caption, glyph, modal result
// and whether Enter or Esc presses it.
#pragma once

#include "forms/ModalResult.h"

namespace forms {

enum class BitBtnKind { Custom, OK, Cancel, No };

// Built-in pictures for bitmap buttons, used when no bitmap resource is given.
enum class GlyphArt { None, Check, Cross, NoSign, NextArrow };

const char* StockCaption(BitBtnKind kind);
GlyphArt StockGlyph(BitBtnKind kind);
int StockModalResult(BitBtnKind kind);
bool StockIsDefault(BitBtnKind kind);
bool StockIsCancel(BitBtnKind kind);

}  // namespace forms
