#pragma once
// A process's USER and GDI object counts. GetGuiResources where it works; Wine does
// not implement it, so there the windows of the process stand for its USER objects
// and its GDI objects are counted in Wine's per-process GDI handle table.
#include <windows.h>

#include <string>

namespace morv::bench {

struct GuiObjects {
  DWORD user = 0;
  DWORD gdi = 0;
  std::string source;  // "GetGuiResources" or how they were counted instead
};

GuiObjects CountGuiObjects(HANDLE process, DWORD pid);
// "user=12 gdi=40 source=..."
std::string Describe(const GuiObjects& objects);

}  // namespace morv::bench
