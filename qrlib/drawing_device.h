#pragma once

// The device a symbol is drawn on. Drawing (drawing.cpp) is written once
// against DrawingDevice; each system supplies a thin one: GDI on Windows, the
// caller's QvDC record elsewhere. Every member is inline, as drawing calls
// them once per dark module.
#ifdef _WIN32
#include "drawing_device_gdi.h"
#else
#include "drawing_device_qvdc.h"
#endif
