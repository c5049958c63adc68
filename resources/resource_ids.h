// Numeric ids of the installer's own resources, shared by resources.rc and
// the program. Payload resources have string names, so these never collide
// with them.
#pragma once

// Icon groups. The program file's icon must have the lowest id: the shell
// shows the first icon group of the file.
#define IDI_SETUP 1
#define IDI_MAINWINDOW 2

// Button glyphs (bitmaps, the bottom-left pixel is the transparent colour).
#define IDB_GLYPH_OK 201              // 16 x 16 green check mark
#define IDB_GLYPH_CANCEL 202          // 16 x 16 red cross
#define IDB_GLYPH_CANCEL_AGREEMENT 203  // 32 x 16: red cross, disabled cross
#define IDB_GLYPH_NO 204              // 16 x 16 red circle with a bar
#define IDB_GLYPH_NEXT 205            // 13 x 13 arrow and chevron

// Raw data.
#define IDR_BANNER 301     // 212 x 312 JPEG
#define IDR_AGREEMENT 302  // licence text, CR LF lines
