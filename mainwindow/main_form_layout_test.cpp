#include "mainwindow/main_form_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "startup/intro_form.h"

namespace morv {
namespace {

// No glyph of the faces Windows offers is wider than three quarters of a line of its font.
int WidthBound(const std::string& text, int line) {
  return static_cast<int>(text.size()) * (line * 3 + 3) / 4;
}

// Every part whole inside the client area, and no two overlapping.
void ExpectInsideAndApart(const std::vector<Rect>& parts, Size client) {
  for (size_t i = 0; i < parts.size(); ++i) {
    const Rect& r = parts[i];
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.width && r.bottom <= client.height &&
                r.width() > 0 && r.height() > 0)
        << "part " << i;
    for (size_t j = i + 1; j < parts.size(); ++j) {
      const Rect& o = parts[j];
      EXPECT_FALSE(r.left < o.right && o.left < r.right && r.top < o.bottom && o.top < r.bottom)
          << "parts " << i << ", " << j;
    }
  }
}

// The room Windows takes around a text at 96 dpi, in Tab order: the time box's sunken edge
// and margins, the date's sunken edge, a button's raised edge and focus frame.
constexpr int kRoom96[kMainParts] = {0, 2, 12, 2, 6, 16, 16, 16, 16, 0};

struct Scale {
  // textPercent: the user's text size, on top of the scale; margin: between the window's
  // edges and what it holds.
  int dpi, textPercent, margin;
};
// The scales Windows offers, and a large text size at the smallest.
constexpr Scale kScales[] = {{96, 100, 12},  {120, 100, 15}, {144, 100, 18},
                             {192, 100, 24}, {288, 100, 36}, {96, 150, 12}};

TEST(MainFormLayout, EveryPartInsideNoneOverlappingEachTextFitsAtEveryScale) {
  for (const Scale& scale : kScales) {
    SCOPED_TRACE("dpi " + std::to_string(scale.dpi) + ", text " +
                 std::to_string(scale.textPercent) + " %");
    auto grown = [&](int value96) { return Scaled(value96 * scale.textPercent / 100, scale.dpi); };
    MainFormMetrics m{.dpi = scale.dpi,
                      .calendar = {grown(225), grown(160)},
                      .statusHeight = grown(22),
                      .uiLine = grown(15),
                      .timeLine = grown(16)};
    const auto texts = MainFormTexts();
    for (const PartText& t : texts) {
      const int line = t.part == MainPart::kTimeBox ? m.timeLine : m.uiLine;
      int& widest = m.textWidth[static_cast<size_t>(t.part)];
      widest = std::max(widest, WidthBound(t.text, line));
    }
    const MainFormLayout layout = LayOutMainForm(m);
    ExpectInsideAndApart({std::begin(layout.part), std::end(layout.part)}, layout.client);
    for (const PartText& t : texts) {
      const Rect& r = layout[t.part];
      const int line = t.part == MainPart::kTimeBox ? m.timeLine : m.uiLine;
      const int room = kRoom96[static_cast<size_t>(t.part)] * scale.dpi / 96;
      EXPECT_LE(WidthBound(t.text, line) + room, r.width()) << t.text;
      EXPECT_LE(line, r.height()) << t.text;
    }
    const Rect& calendar = layout[MainPart::kCalendar];
    EXPECT_GE(calendar.width(), m.calendar.width);
    EXPECT_GE(calendar.height(), m.calendar.height);
    const Rect& status = layout[MainPart::kStatusBar];
    EXPECT_EQ(std::pair(calendar.left, calendar.top), std::pair(scale.margin, scale.margin));
    EXPECT_EQ(layout.client.width - layout[MainPart::kTimeBox].right, scale.margin);
    EXPECT_EQ(status.top - std::max(calendar.bottom, layout[MainPart::kExit].bottom), scale.margin);
    EXPECT_EQ(std::pair(status.bottom, status.width()),
              std::pair(layout.client.height, layout.client.width));

    SplashMetrics splash;
    splash.dpi = scale.dpi;
    for (const SplashText& text : kSplashTexts) {
      // A line is about four thirds of the em, and the em is the point size at 72 dpi.
      const int line = grown(text.points * 4 / 3 * 4 / 3);
      splash.text.push_back({WidthBound(text.text, line), line});
    }
    const SplashLayout shown = LayOutSplash(splash);
    ASSERT_EQ(shown.text.size(), splash.text.size());
    std::vector<Rect> all = shown.text;
    all.push_back(shown.bar);
    ExpectInsideAndApart(all, shown.client);
    for (size_t i = 0; i < splash.text.size(); ++i) {
      EXPECT_LE(splash.text[i].width, shown.text[i].width()) << kSplashTexts[i].text;
      EXPECT_LE(splash.text[i].height, shown.text[i].height()) << kSplashTexts[i].text;
    }
  }
}

TEST(MainFormLayout, ABitmapFaceShortOfTheSizeGivesWay) {
  const struct {
    int asked, got;
    bool reached;
  } cases[] = {
      {13, 12, true},   // a pixel of rounding
      {20, 16, false},  // 150 %: the bitmap face stops at 16
      {27, 25, true},   // a scalable face rounds within a tenth
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FontReachedSize(c.asked, c.got), c.reached) << c.asked << " / " << c.got;
  }
}

}  // namespace
}  // namespace morv
