#include "tools/winamp_standin/chime.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace morv::standin {
namespace {

constexpr double kLoopSeconds = 2.0;
constexpr double kPeak = 0.5 * 32767.0;

struct Note {
  double start_seconds;
  double frequency;
};

// C major, rising: C5 E5 G5 C6, then room to ring out.
constexpr Note kNotes[] = {{0.00, 523.25}, {0.20, 659.26}, {0.40, 783.99}, {0.60, 1046.50}};

// A bell is mostly its fundamental plus a few overtones that die away faster.
struct Partial {
  double ratio;
  double level;
};
constexpr Partial kPartials[] = {{1.0, 1.0}, {2.0, 0.35}, {3.0, 0.12}, {4.2, 0.05}};

constexpr double kAttackSeconds = 0.004;  // long enough to avoid a click
constexpr double kDecaySeconds = 0.45;    // time constant of the fundamental

}  // namespace

std::vector<std::int16_t> SynthesizeChime() {
  const auto loop_length = static_cast<std::size_t>(kLoopSeconds * kChimeSampleRate);
  std::vector<double> mix(loop_length, 0.0);
  // Each note rings for two loops and its tail is folded back onto the start, so the
  // loop sounds exactly like an endless repetition and its ends meet without a jump.
  const std::size_t ring_length = 2 * loop_length;
  for (const Note& note : kNotes) {
    const auto first = static_cast<std::size_t>(note.start_seconds * kChimeSampleRate);
    for (std::size_t i = 0; i < ring_length; ++i) {
      const double t = static_cast<double>(i) / kChimeSampleRate;
      const double attack = std::min(1.0, t / kAttackSeconds);
      double sample = 0.0;
      for (const Partial& partial : kPartials) {
        const double decay = std::exp(-t * std::pow(partial.ratio, 0.7) / kDecaySeconds);
        sample += partial.level * decay *
                  std::sin(2.0 * std::numbers::pi * note.frequency * partial.ratio * t);
      }
      mix[(first + i) % loop_length] += attack * sample;
    }
  }
  double loudest = 0.0;
  for (double sample : mix) loudest = std::max(loudest, std::abs(sample));
  const double scale = loudest > 0.0 ? kPeak / loudest : 0.0;
  std::vector<std::int16_t> samples(loop_length);
  std::transform(mix.begin(), mix.end(), samples.begin(),
                 [scale](double sample) { return static_cast<std::int16_t>(sample * scale); });
  return samples;
}

}  // namespace morv::standin
