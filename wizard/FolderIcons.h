// The folder chooser's owner-drawn rows: a small folder or drive picture,
// drawn in design pixels scaled to the dialog, then the row's text (UTF-8).
#pragma once

#include <windows.h>

#include <string>

#include "core/chooser.h"

namespace wizard {

// A row of the folder list, its picture indented by `indent` pixels.
void PaintFolderRow(const DRAWITEMSTRUCT& item, HFONT font, int indent, const std::string& text,
                    core::FolderIcon icon, int dpi);

// An entry of the drive box.
void PaintDriveRow(const DRAWITEMSTRUCT& item, HFONT font, const std::string& text,
                   core::DriveKind kind, int dpi);

}  // namespace wizard
