#pragma once
// Where the main window's controls go at a display scale, as a pure function of the
// scale and of what the window measured at it: the calendar's least size for a whole
// month, the height of a line in each font, and the widest text each control can show.
// The splash's layout lives here too. All sizes are in the monitor's pixels.
#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace morv {

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

struct Size {
  int width = 0, height = 0;
};

// A length given at 96 dpi, at `dpi`, rounded like Windows' MulDiv.
int Scaled(int value96, int dpi);

// The main window's controls, in their Tab order.
enum class MainPart : std::size_t {
  kCalendar,
  kLabel2,
  kTimeBox,
  kLabel1,
  kDateLabel,
  kSet,
  kReset,
  kToTray,
  kExit,
  kStatusBar,
  kCount
};
inline constexpr std::size_t kMainParts = static_cast<std::size_t>(MainPart::kCount);

// Every text a control can show in its lifetime (captions without their '&'), so the
// layout leaves room for the widest one and not only for the text it shows now.
struct PartText {
  MainPart part;
  std::string text;
};
std::vector<PartText> MainFormTexts();

struct MainFormMetrics {
  int dpi = 96;
  Size calendar;                            // MCM_GETMINREQRECT once the calendar has its font
  int statusHeight = 0;                     // the status bar's own height
  int uiLine = 0;                           // a line of the message font (labels, buttons)
  int timeLine = 0;                         // a line of the time box's font
  std::array<int, kMainParts> textWidth{};  // widest of MainFormTexts() per control
};

struct MainFormLayout {
  std::array<Rect, kMainParts> part;
  Size client;
  const Rect& operator[](MainPart p) const { return part[static_cast<std::size_t>(p)]; }
};

MainFormLayout LayOutMainForm(const MainFormMetrics& metrics);

// The room a control takes around its text, at a scale: borders, margins, the focus frame.
int TextPadding(MainPart part, int dpi);

// The splash: its texts top to bottom, then the progress bar.
struct SplashMetrics {
  int dpi = 96;
  std::vector<Size> text;  // each text's extent in its font
};
struct SplashLayout {
  std::vector<Rect> text;
  Rect bar;
  Size client;
};
SplashLayout LayOutSplash(const SplashMetrics& metrics);

// A bitmap face offers a few sizes and Windows picks the nearest: a font whose em came
// out this far from the one asked for must give way to a scalable face.
bool FontReachedSize(int askedEm, int gotEm);

}  // namespace morv
