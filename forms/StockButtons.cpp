#include "forms/StockButtons.h"

namespace forms {

const char* StockCaption(BitBtnKind kind) {
  switch (kind) {
    case BitBtnKind::OK: return "OK";
    case BitBtnKind::Cancel: return "Cancel";
    case BitBtnKind::No: return "&No";
    case BitBtnKind::Custom: break;
  }
  return "";
}

GlyphArt StockGlyph(BitBtnKind kind) {
  switch (kind) {
    case BitBtnKind::OK: return GlyphArt::Check;
    case BitBtnKind::Cancel: return GlyphArt::Cross;
    case BitBtnKind::No: return GlyphArt::NoSign;
    case BitBtnKind::Custom: break;
  }
  return GlyphArt::None;
}

int StockModalResult(BitBtnKind kind) {
  switch (kind) {
    case BitBtnKind::OK: return mrOk;
    case BitBtnKind::Cancel: return mrCancel;
    case BitBtnKind::No: return mrNo;
    case BitBtnKind::Custom: break;
  }
  return mrNone;
}

bool StockIsDefault(BitBtnKind kind) { return kind == BitBtnKind::OK; }
bool StockIsCancel(BitBtnKind kind) {
  return kind == BitBtnKind::Cancel || kind == BitBtnKind::No;
}

}  // namespace forms
