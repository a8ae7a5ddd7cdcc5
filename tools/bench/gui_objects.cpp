#include "tools/bench/gui_objects.h"

#include <winternl.h>

#include <cstdint>
#include <vector>

#include "tools/uidriver/window_query.h"

namespace morv::bench {
namespace {

// Wine's GDI_HANDLE_ENTRY (include/ntgdi.h), one per handle of the process; a free
// entry has type 0, a stock object the top bit of `unique`'s low byte.
struct GdiHandleEntry {
  std::uint64_t object;
  std::uint32_t owner;
  std::uint16_t unique;
  std::uint8_t type;
  std::uint8_t flags;
  std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr size_t kGdiHandleCount = 0x10000;
// PEB::GdiSharedHandleTable in a 64-bit process.
constexpr size_t kPebGdiTableOffset = 0xF8;

bool Read(HANDLE process, std::uintptr_t address, void* into, size_t size) {
  SIZE_T read = 0;
  return ReadProcessMemory(process, reinterpret_cast<const void*>(address), into, size, &read) &&
         read == size;
}

DWORD CountGdiHandles(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof(basic), nullptr) !=
      0) {
    return 0;
  }
  std::uintptr_t table = 0;
  if (!Read(process, reinterpret_cast<std::uintptr_t>(basic.PebBaseAddress) + kPebGdiTableOffset,
            &table, sizeof(table)) ||
      table == 0) {
    return 0;
  }
  std::vector<GdiHandleEntry> entries(kGdiHandleCount);
  if (!Read(process, table, entries.data(), entries.size() * sizeof(GdiHandleEntry))) return 0;
  DWORD count = 0;
  for (const auto& entry : entries) {
    if (entry.type != 0 && !(entry.unique & 0x80)) ++count;
  }
  return count;
}

DWORD CountWindows(DWORD pid) {
  DWORD count = 0;
  for (HWND top : uidriver::topLevelWindows(pid)) {
    count += 1 + static_cast<DWORD>(uidriver::childWindows(top).size());
  }
  return count;
}

}  // namespace

GuiObjects CountGuiObjects(HANDLE process, DWORD pid) {
  GuiObjects objects;
  SetLastError(ERROR_SUCCESS);
  objects.user = GetGuiResources(process, GR_USEROBJECTS);
  if (objects.user != 0 || GetLastError() == ERROR_SUCCESS) {
    objects.gdi = GetGuiResources(process, GR_GDIOBJECTS);
    objects.source = "GetGuiResources";
    return objects;
  }
  objects.user = CountWindows(pid);
  objects.gdi = CountGdiHandles(process);
  objects.source = "windows+gdi-table";
  return objects;
}

std::string Describe(const GuiObjects& objects) {
  return "user=" + std::to_string(objects.user) + " gdi=" + std::to_string(objects.gdi) +
         " source=" + objects.source;
}

}  // namespace morv::bench
