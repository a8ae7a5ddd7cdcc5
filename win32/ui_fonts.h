#pragma once
#include <windows.h>

#include <string>

#include "win32/unique_handle.h"

namespace morv::win32 {

// The font Windows uses for message boxes, at a display scale (dpi).
UniqueHfont MessageFont(int dpi);
// The named face at that point size and scale. The message font's face takes its place
// when this machine lacks the face (Windows would substitute whatever it finds closest),
// and a scalable face of the same look when the face is a bitmap one without that size.
UniqueHfont FontOrFallback(const char* face, int points, int dpi);
// The height of a line of the font, and the width of a text in it, in pixels.
int LineHeight(HFONT font);
SIZE TextExtent(HFONT font, const std::string& text);

}  // namespace morv::win32
