#pragma once
// The start-up form: the splash a user sees while the program loads, as the start-up
// sequence drives it.
#include <chrono>

#include "platform/controls.h"

namespace morv {

struct IntroFormControls {
  FormWindow& form;
  Timer& MyTimer;
  ProgressBar& ProgressBar1;
};

// The splash's texts and their fonts; a font the machine lacks falls back to the
// message font.
struct SplashText {
  const char* text;
  const char* font;
  int points;
};
inline constexpr SplashText kSplashTexts[] = {
    {"Morvane", "Berlin Sans FB", 26},
    {"Version 1.33", "Tahoma", 10},
    {"Please Wait While The Program Loads. . .", "Tahoma", 10},
    {"Windows 95/98/ME/2K", "Arial", 8},
};

inline constexpr int kSplashSteps = 20;
// The last steps are slow, so the splash is read rather than flashed.
inline constexpr int kSlowSplashSteps = 4;
inline constexpr std::chrono::milliseconds kFastStep{100};
inline constexpr std::chrono::milliseconds kSlowStep{1300};

}  // namespace morv
