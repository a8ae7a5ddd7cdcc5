#include "mainwindow/main_form_layout.h"

#include <algorithm>
#include <cstdlib>

#include "alarm/alarm_texts.h"

namespace morv {
namespace {

// The window as it was drawn at 96 dpi; a scale or a font that needs more room gets it.
constexpr int kMargin = 12;
constexpr int kColumn = 250;
constexpr int kLabel1Width = 90;
constexpr int kLabelHeight = 20;
constexpr int kDateHeight = 24;
constexpr int kTimeBoxHeight = 26;
constexpr int kButtonWidth = 118;
constexpr int kButtonHeight = 30;
constexpr int kGap = 8;
constexpr int kCalendarWidth = 200;
constexpr int kCalendarHeight = 150;

std::string WithoutAccessKey(std::string caption) {
  caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
  return caption;
}

Rect At(int left, int top, int width, int height) {
  return {left, top, left + width, top + height};
}

}  // namespace

int Scaled(int value96, int dpi) {
  const long long product = static_cast<long long>(value96) * dpi;
  return static_cast<int>((product + (product >= 0 ? 48 : -48)) / 96);
}

std::vector<PartText> MainFormTexts() {
  return {
      {MainPart::kLabel1, "Date Selected:"},
      {MainPart::kLabel2, "Time: (Click To Edit) [Format: HH:MM]"},
      // The clock's widest reading, and a short date in any locale's order.
      {MainPart::kTimeBox, "00:00:00 PM"},
      {MainPart::kDateLabel, "00/00/0000"},
      {MainPart::kSet, WithoutAccessKey(texts::kTurnOn)},
      {MainPart::kSet, WithoutAccessKey(texts::kTurnOff)},
      {MainPart::kSet, WithoutAccessKey(texts::kSnooze)},
      {MainPart::kReset, "Clear"},
      {MainPart::kToTray, "Send To Tray"},
      {MainPart::kExit, "Exit"},
  };
}

int TextPadding(MainPart part, int dpi) {
  switch (part) {
    case MainPart::kTimeBox:  // sunken edge and the edit's own margins
      return Scaled(12, dpi);
    case MainPart::kDateLabel:  // sunken edge
      return Scaled(6, dpi);
    case MainPart::kSet:
    case MainPart::kReset:
    case MainPart::kToTray:
    case MainPart::kExit:  // raised edge and the focus frame
      return Scaled(16, dpi);
    default:
      return Scaled(2, dpi);
  }
}

MainFormLayout LayOutMainForm(const MainFormMetrics& m) {
  auto s = [&m](int value) { return Scaled(value, m.dpi); };
  auto needs = [&m](MainPart part) {
    return m.textWidth[static_cast<std::size_t>(part)] + TextPadding(part, m.dpi);
  };
  MainFormLayout out;
  auto place = [&out](MainPart part, Rect r) { out.part[static_cast<std::size_t>(part)] = r; };

  const int margin = s(kMargin);
  const Rect calendar = At(margin, margin, std::max(m.calendar.width, s(kCalendarWidth)),
                           std::max(m.calendar.height, s(kCalendarHeight)));
  place(MainPart::kCalendar, calendar);

  const int labelHeight = std::max(s(kLabelHeight), m.uiLine + s(2));
  const int dateHeight = std::max(s(kDateHeight), m.uiLine + s(6));
  const int timeBoxHeight = std::max(s(kTimeBoxHeight), m.timeLine + s(8));
  const int buttonHeight = std::max(s(kButtonHeight), m.uiLine + s(12));
  int buttonWidth = s(kButtonWidth);
  for (MainPart b : {MainPart::kSet, MainPart::kReset, MainPart::kToTray, MainPart::kExit}) {
    buttonWidth = std::max(buttonWidth, needs(b));
  }
  const int buttonStep = buttonWidth + s(kGap) + s(6);
  const int label1Width = std::max(s(kLabel1Width), needs(MainPart::kLabel1));
  const int column =
      std::max({s(kColumn), needs(MainPart::kLabel2), needs(MainPart::kTimeBox),
                label1Width + s(2) + needs(MainPart::kDateLabel), buttonStep + buttonWidth});

  const int x = calendar.right + s(2 * kMargin);
  int y = margin;
  place(MainPart::kLabel1,
        At(x, y + (dateHeight - labelHeight) / 2 + s(1), label1Width, labelHeight));
  place(MainPart::kDateLabel,
        At(x + label1Width + s(2), y, column - label1Width - s(2), dateHeight));
  y += std::max(s(40), dateHeight + s(16));
  place(MainPart::kLabel2, At(x, y, column, labelHeight));
  y += labelHeight + s(2);
  place(MainPart::kTimeBox, At(x, y, column, timeBoxHeight));
  y += timeBoxHeight + s(18);
  const MainPart buttons[] = {MainPart::kSet, MainPart::kReset, MainPart::kToTray, MainPart::kExit};
  for (int i = 0; i < 4; ++i) {
    place(buttons[i], At(x + (i % 2) * buttonStep, y + (i / 2) * (buttonHeight + s(kGap)),
                         buttonWidth, buttonHeight));
  }
  const int contentBottom = std::max(calendar.bottom, y + 2 * buttonHeight + s(kGap));

  out.client = {x + column + margin, contentBottom + margin + m.statusHeight};
  place(MainPart::kStatusBar,
        At(0, out.client.height - m.statusHeight, out.client.width, m.statusHeight));
  return out;
}

SplashLayout LayOutSplash(const SplashMetrics& m) {
  auto s = [&m](int value) { return Scaled(value, m.dpi); };
  // Top to bottom at 96 dpi: each text's least height and the room above it; the bar
  // sits between the third and the last text.
  constexpr int kLeast[] = {48, 22, 22, 18};
  constexpr int kAbove[] = {24, 6, 18, 10};
  constexpr int kBarHeight = 16, kBarAbove = 10, kBarInset = 40, kBelow = 16;
  int width = s(420);
  for (const Size& text : m.text) width = std::max(width, text.width + s(24));

  SplashLayout out;
  int y = 0;
  for (std::size_t i = 0; i < m.text.size(); ++i) {
    const std::size_t row = std::min<std::size_t>(i, std::size(kLeast) - 1);
    if (i + 1 == m.text.size()) {
      y += s(kBarAbove);
      out.bar = At(s(kBarInset), y, width - 2 * s(kBarInset), s(kBarHeight));
      y = out.bar.bottom;
    }
    y += s(kAbove[row]);
    const int height = std::max(s(kLeast[row]), m.text[i].height);
    out.text.push_back(At(0, y, width, height));
    y += height;
  }
  out.client = {width, y + s(kBelow)};
  return out;
}

bool FontReachedSize(int askedEm, int gotEm) {
  // A pixel either way is rounding; more is another size.
  return std::abs(askedEm - gotEm) <= std::max(1, askedEm / 10);
}

}  // namespace morv
