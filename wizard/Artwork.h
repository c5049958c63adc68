// Resource ids of the wizard's artwork; 0 where the resource script is not
// part of the build, so the forms layer falls back to its own pictures.
#pragma once

#if __has_include("resources/resource_ids.h")
#include "resources/resource_ids.h"
#else
#define IDI_SETUP 0
#define IDI_MAINWINDOW 0
#define IDB_GLYPH_OK 0
#define IDB_GLYPH_CANCEL 0
#define IDB_GLYPH_CANCEL_AGREEMENT 0
#define IDB_GLYPH_NO 0
#define IDB_GLYPH_NEXT 0
#define IDR_BANNER 0
#define IDR_AGREEMENT 0
#endif
