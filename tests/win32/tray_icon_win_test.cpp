// The tray icon as Wine's explorer shows it, looked at from outside the program.
//
// Wine's explorer (the virtual desktop) paints every notification icon into its
// "Shell_TrayWnd" window, 20 px squares from the right edge, and gives each shown icon a
// "tooltips_class32" window owned by Shell_TrayWnd whose single tool covers that square.
// A hidden or deleted icon leaves its tooltip behind with an empty square, so only tools
// with a non-empty square are icons on show. Their text is read with TTM_ENUMTOOLSW through
// memory allocated inside explorer (pointer-carrying messages are not marshalled), the
// picture straight off the screen, and mouse messages posted to Shell_TrayWnd at the square
// reach the program as real tray clicks.
#include <windows.h>
#include <commctrl.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/tray_icon_win.h"
#include "platform/win32/unique_handle.h"
#include "resources/resource_ids.h"

namespace morv::win32 {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

constexpr UINT kCallback = WM_APP + 1;
constexpr auto kPatience = std::chrono::seconds(10);
constexpr char kOwnerClass[] = "MorvTrayTestOwner";

// Runs this thread's messages until `done` holds or patience runs out.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds patience = kPatience) {
  const auto deadline = std::chrono::steady_clock::now() + patience;
  for (;;) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// Long enough for a duplicate notification to arrive after the first.
void Settle() {
  PumpUntil([] { return false; }, std::chrono::milliseconds(500));
}

bool RunningUnderWine() {
  return GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
}

// A block of memory inside another process, freed with it.
class RemoteBlock {
 public:
  RemoteBlock(HANDLE process, size_t size)
      : process_(process),
        address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteBlock() {
    if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteBlock(const RemoteBlock&) = delete;
  RemoteBlock& operator=(const RemoteBlock&) = delete;
  char* get() const { return static_cast<char*>(address_); }

 private:
  HANDLE process_;
  void* address_;
};

struct ShownIcon {
  HWND tray = nullptr;
  RECT square{};  // in Shell_TrayWnd's client coordinates
  std::string tip;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<ShownIcon> ShownIcons() {
  std::vector<ShownIcon> icons;
  HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
  if (!tray) return icons;
  DWORD explorerId = 0;
  GetWindowThreadProcessId(tray, &explorerId);
  UniqueProcessHandle explorer(
      OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, explorerId));
  if (!explorer) return icons;

  constexpr size_t kTextChars = 1024;  // a tip is at most 128
  RemoteBlock block(explorer.get(), sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t));
  if (!block.get()) return icons;
  wchar_t* remoteText = reinterpret_cast<wchar_t*>(block.get() + sizeof(TTTOOLINFOW));

  std::vector<HWND> windows;
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&windows));
  for (HWND window : windows) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    if (std::string(className) != TOOLTIPS_CLASSA || GetWindow(window, GW_OWNER) != tray) {
      continue;
    }
    const auto tools = SendMessageW(window, TTM_GETTOOLCOUNT, 0, 0);
    for (LRESULT i = 0; i < tools; ++i) {
      TTTOOLINFOW info{};
      info.cbSize = sizeof(info);
      info.lpszText = remoteText;
      std::array<wchar_t, kTextChars> text{};
      WriteProcessMemory(explorer.get(), block.get(), &info, sizeof(info), nullptr);
      WriteProcessMemory(explorer.get(), remoteText, text.data(), sizeof(text), nullptr);
      if (!SendMessageW(window, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(block.get()))) {
        continue;
      }
      ReadProcessMemory(explorer.get(), block.get(), &info, sizeof(info), nullptr);
      ReadProcessMemory(explorer.get(), remoteText, text.data(), sizeof(text), nullptr);
      text.back() = L'\0';
      if (IsRectEmpty(&info.rect)) continue;
      char narrow[kTextChars * 2] = {};
      WideCharToMultiByte(CP_ACP, 0, text.data(), -1, narrow, sizeof(narrow), nullptr, nullptr);
      icons.push_back({tray, info.rect, narrow});
    }
  }
  return icons;
}

std::optional<ShownIcon> FindShown(const std::string& tip) {
  for (const ShownIcon& icon : ShownIcons()) {
    if (icon.tip == tip) return icon;
  }
  return std::nullopt;
}

std::optional<ShownIcon> WaitShown(const std::string& tip) {
  std::optional<ShownIcon> found;
  PumpUntil([&] { return (found = FindShown(tip)).has_value(); });
  return found;
}

bool WaitGone(const std::string& tip) {
  return PumpUntil([&] { return !FindShown(tip); });
}

using Pixels = std::vector<COLORREF>;

Pixels Capture(const ShownIcon& icon) {
  POINT origin{icon.square.left, icon.square.top};
  ClientToScreen(icon.tray, &origin);
  UniqueHdc screen(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
  Pixels pixels;
  for (int y = 0; y < icon.square.bottom - icon.square.top; ++y) {
    for (int x = 0; x < icon.square.right - icon.square.left; ++x) {
      pixels.push_back(GetPixel(screen.get(), origin.x + x, origin.y + y));
    }
  }
  return pixels;
}

// Tray picture `index` (1-based) as the tray should show it: the small icon centred in a
// square of the given background.
Pixels Expected(int index, const ShownIcon& icon, COLORREF background) {
  constexpr int kIds[] = {IDI_TRAY_NO_ALARM, IDI_TRAY_SET, IDI_TRAY_ACTIVATED};
  const int width = icon.square.right - icon.square.left;
  const int height = icon.square.bottom - icon.square.top;
  const int cx = GetSystemMetrics(SM_CXSMICON);
  const int cy = GetSystemMetrics(SM_CYSMICON);
  UniqueHdc screen(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
  UniqueHdc canvas(CreateCompatibleDC(screen.get()));
  UniqueHgdiobj bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  UniqueHgdiobj brush(CreateSolidBrush(background));
  HGDIOBJ previous = SelectObject(canvas.get(), bitmap.get());
  RECT all{0, 0, width, height};
  FillRect(canvas.get(), &all, static_cast<HBRUSH>(brush.get()));
  UniqueHicon picture(static_cast<HICON>(LoadImageA(
      GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kIds[index - 1]), IMAGE_ICON, cx, cy, 0)));
  DrawIconEx(canvas.get(), (width - cx) / 2, (height - cy) / 2, picture.get(), cx, cy, 0, nullptr,
             DI_NORMAL);
  Pixels pixels;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) pixels.push_back(GetPixel(canvas.get(), x, y));
  }
  SelectObject(canvas.get(), previous);
  return pixels;
}

long Distance(const Pixels& a, const Pixels& b) {
  if (a.size() != b.size()) return LONG_MAX;
  long sum = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    sum += std::abs(GetRValue(a[i]) - GetRValue(b[i])) +
           std::abs(GetGValue(a[i]) - GetGValue(b[i])) +
           std::abs(GetBValue(a[i]) - GetBValue(b[i]));
  }
  return sum;
}

// Which of the three tray pictures the square shows: the one it is nearest to.
int PictureShown(const ShownIcon& icon) {
  const Pixels seen = Capture(icon);
  if (seen.empty()) return 0;
  const COLORREF background = seen.front();  // the corner is outside the picture
  int best = 0;
  long bestDistance = LONG_MAX;
  for (int index = 1; index <= 3; ++index) {
    const long distance = Distance(seen, Expected(index, icon, background));
    if (distance < bestDistance) {
      best = index;
      bestDistance = distance;
    }
  }
  return best;
}

// Explorer repaints the tray in its own time.
int WaitPicture(const std::string& tip, int expected) {
  int shown = 0;
  PumpUntil([&] {
    const auto icon = FindShown(tip);
    shown = icon ? PictureShown(*icon) : 0;
    return shown == expected;
  });
  return shown;
}

void Click(const ShownIcon& icon, UINT down, UINT up, WPARAM held) {
  const LPARAM at = MAKELPARAM((icon.square.left + icon.square.right) / 2,
                               (icon.square.top + icon.square.bottom) / 2);
  PostMessageA(icon.tray, down, held, at);
  PostMessageA(icon.tray, up, 0, at);
}

class TrayIconWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RunningUnderWine()) GTEST_SKIP() << "reads the tray the way Wine's explorer draws it";
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OwnerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kOwnerClass;
    RegisterClassA(&windowClass);  // fails harmlessly once registered
    // A hidden top-level window, like the program's main form when it starts in the tray:
    // it still hears the TaskbarCreated broadcast.
    owner_.reset(CreateWindowExA(0, kOwnerClass, "tray test owner", WS_OVERLAPPEDWINDOW, 0, 0, 200,
                                 100, nullptr, nullptr, windowClass.hInstance, nullptr));
    ASSERT_TRUE(owner_);
    SetWindowLongPtrA(owner_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ASSERT_TRUE(PumpUntil([] { return FindWindowA("Shell_TrayWnd", nullptr) != nullptr; }))
        << "explorer's taskbar never appeared";
  }

  void TearDown() override {
    // Nothing reaches the icons while they go: their click handlers point into the test body.
    if (owner_) SetWindowLongPtrA(owner_.get(), GWLP_USERDATA, 0);
    icons_.clear();
  }

  TrayIconWin& MakeIcon(UINT id, std::vector<int>* clicks = nullptr) {
    icons_.push_back(
        std::make_unique<TrayIconWin>(owner_.get(), kCallback, id, GetModuleHandleA(nullptr)));
    if (clicks) icons_.back()->setClickHandler([clicks](int button) { clicks->push_back(button); });
    return *icons_.back();
  }

  // Out of the list first: the destructor talks to the shell, and messages sent back
  // meanwhile are dispatched to the owner window.
  void Destroy(TrayIconWin& icon) {
    auto found = std::find_if(icons_.begin(), icons_.end(),
                              [&](const auto& owned) { return owned.get() == &icon; });
    ASSERT_NE(found, icons_.end());
    std::unique_ptr<TrayIconWin> doomed = std::move(*found);
    icons_.erase(found);
    doomed.reset();
  }

  static LRESULT CALLBACK OwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TrayIconWinTest*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self) {
      bool handled = false;
      for (const auto& icon : self->icons_) {
        handled = icon->handleMessage(message, wParam, lParam) || handled;
      }
      if (handled) return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }

  UniqueHwnd owner_;
  std::vector<std::unique_ptr<TrayIconWin>> icons_;
};

TEST_F(TrayIconWinTest, ShowsChangesAndRemovesTheIcon) {
  TrayIconWin& tray = MakeIcon(1);
  EXPECT_FALSE(tray.iconVisible());
  tray.setToolTipText("Morvane: no alarm");
  EXPECT_FALSE(FindShown("Morvane: no alarm")) << "shown before being asked to";

  tray.setIconVisible(true);
  ASSERT_TRUE(WaitShown("Morvane: no alarm"));
  EXPECT_EQ(WaitPicture("Morvane: no alarm", 1), 1);

  // Changes reach an icon that is on show.
  tray.setToolTipText("Morvane: alarm at 7:05 AM");
  tray.setIconIndex(2);
  ASSERT_TRUE(WaitShown("Morvane: alarm at 7:05 AM"));
  EXPECT_EQ(WaitPicture("Morvane: alarm at 7:05 AM", 2), 2);
  tray.setIconIndex(3);
  EXPECT_EQ(WaitPicture("Morvane: alarm at 7:05 AM", 3), 3);

  tray.setIconIndex(0);
  tray.setIconIndex(4);
  EXPECT_EQ(tray.iconIndex(), 3);
  EXPECT_EQ(WaitPicture("Morvane: alarm at 7:05 AM", 3), 3);

  // More than the shell holds: the start is shown, the whole text kept.
  const std::string longTip = "Morvane: " + std::string(200, 'z');
  tray.setToolTipText(longTip);
  EXPECT_TRUE(WaitShown(longTip.substr(0, 127)));
  EXPECT_EQ(tray.toolTipText(), longTip);
  EXPECT_EQ(ShownIcons().size(), 1u);

  tray.setIconVisible(false);
  EXPECT_TRUE(WaitGone(longTip.substr(0, 127)));
  EXPECT_FALSE(tray.iconVisible());

  // A changed picture while hidden shows up once the icon comes back.
  tray.setIconIndex(1);
  tray.setToolTipText("Morvane: back again");
  tray.setIconVisible(true);
  ASSERT_TRUE(WaitShown("Morvane: back again"));
  EXPECT_EQ(WaitPicture("Morvane: back again", 1), 1);

  // Going away takes the icon along.
  Destroy(tray);
  EXPECT_TRUE(WaitGone("Morvane: back again"));
}

TEST_F(TrayIconWinTest, ReportsEachClickOnceWithItsButtonNumber) {
  std::vector<int> clicks;
  std::vector<int> otherClicks;
  TrayIconWin& tray = MakeIcon(1, &clicks);
  TrayIconWin& other = MakeIcon(2, &otherClicks);
  tray.setToolTipText("Morvane: click me");
  other.setToolTipText("Morvane: not me");
  tray.setIconVisible(true);
  other.setIconVisible(true);
  const auto shown = WaitShown("Morvane: click me");
  ASSERT_TRUE(shown);
  ASSERT_TRUE(WaitShown("Morvane: not me"));

  Click(*shown, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  ASSERT_TRUE(PumpUntil([&] { return !clicks.empty(); }));
  Settle();
  EXPECT_THAT(clicks, ElementsAre(kRightButton));

  clicks.clear();
  Click(*shown, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
  ASSERT_TRUE(PumpUntil([&] { return !clicks.empty(); }));
  Settle();
  EXPECT_THAT(clicks, ElementsAre(kLeftButton));

  clicks.clear();
  Click(*shown, WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON);
  ASSERT_TRUE(PumpUntil([&] { return !clicks.empty(); }));
  Settle();
  EXPECT_THAT(clicks, ElementsAre(kMiddleButton));

  EXPECT_THAT(otherClicks, IsEmpty()) << "clicks went to the other icon of the same window";
}

TEST_F(TrayIconWinTest, TaskbarCreatedBringsBackOnlyAShownIcon) {
  std::vector<int> clicks;
  TrayIconWin& tray = MakeIcon(1, &clicks);
  TrayIconWin& hidden = MakeIcon(2);
  tray.setToolTipText("Morvane: ringing");
  tray.setIconIndex(3);
  tray.setIconVisible(true);
  hidden.setToolTipText("Morvane: stays hidden");
  ASSERT_TRUE(WaitShown("Morvane: ringing"));

  // A restarted Explorer has forgotten every icon. Deleting ours behind the object's back
  // leaves the shell in that state.
  NOTIFYICONDATAA forgotten{};
  forgotten.cbSize = sizeof(forgotten);
  forgotten.hWnd = owner_.get();
  forgotten.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconA(NIM_DELETE, &forgotten));
  ASSERT_TRUE(WaitGone("Morvane: ringing"));

  // What Explorer broadcasts to every top-level window once its taskbar is back.
  PostMessageA(HWND_BROADCAST, tray.taskbarCreatedMessage(), 0, 0);
  const auto back = WaitShown("Morvane: ringing");
  ASSERT_TRUE(back);
  EXPECT_EQ(WaitPicture("Morvane: ringing", 3), 3);
  EXPECT_FALSE(FindShown("Morvane: stays hidden"));
  EXPECT_FALSE(hidden.iconVisible());

  // Clicks still arrive in the version 4 form the object expects.
  Click(*back, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
  ASSERT_TRUE(PumpUntil([&] { return !clicks.empty(); }));
  Settle();
  EXPECT_THAT(clicks, ElementsAre(kRightButton));
}

}  // namespace
}  // namespace morv::win32
