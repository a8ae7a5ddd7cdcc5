#pragma once
// The alarm sound: a soft bell arpeggio that loops without a seam.
#include <cstdint>
#include <vector>

namespace morv::standin {

inline constexpr int kChimeSampleRate = 44100;

// One loop of 16-bit mono samples at kChimeSampleRate, about two seconds long,
// peaking at half of full scale so the player's volume stays the loudest control.
std::vector<std::int16_t> SynthesizeChime();

}  // namespace morv::standin
