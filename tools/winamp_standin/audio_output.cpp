#include "tools/winamp_standin/audio_output.h"

#include <mmsystem.h>

#include <array>
#include <string>

#include "tools/winamp_standin/chime.h"

namespace morv::standin {
namespace {

// Four buffers of ~46 ms: a volume change is heard within a fifth of a second, and
// a busy machine still has enough queued sound not to stutter.
constexpr std::size_t kBufferCount = 4;
constexpr std::size_t kBufferSamples = 2048;

void CloseWaveOut(HWAVEOUT device) {
  waveOutReset(device);
  waveOutClose(device);
}
using UniqueWaveOut = win32::UniqueHandle<HWAVEOUT, CloseWaveOut>;

std::string ErrorText(MMRESULT result) {
  char text[MAXERRORLENGTH] = {};
  if (waveOutGetErrorTextA(result, text, sizeof text) != MMSYSERR_NOERROR) text[0] = '\0';
  std::string out = text[0] != '\0' ? text : "unknown error";
  return out + ", code " + std::to_string(result);
}

struct Buffer {
  std::vector<std::int16_t> samples = std::vector<std::int16_t>(kBufferSamples);
  WAVEHDR header{};
};

}  // namespace

AudioOutput::AudioOutput(const PlayerStatus& status, const EventLog& log)
    : status_(status), log_(log), chime_(SynthesizeChime()) {}

AudioOutput::~AudioOutput() { Shutdown(std::chrono::seconds(2)); }

void AudioOutput::Start() {
  if (thread_) return;
  wake_.reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
  if (!wake_) {
    Report("audio: no output device (CreateEvent failed, error " + std::to_string(GetLastError()) +
           ")");
    return;
  }
  thread_.reset(CreateThread(nullptr, 0, &AudioOutput::ThreadEntry, this, 0, nullptr));
  if (!thread_) {
    Report("audio: no output device (CreateThread failed, error " + std::to_string(GetLastError()) +
           ")");
  }
}

bool AudioOutput::Shutdown(std::chrono::milliseconds limit) {
  if (!thread_) return true;
  quit_ = true;
  SetEvent(wake_.get());
  if (WaitForSingleObject(thread_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
    return false;
  }
  thread_.reset();
  return true;
}

DWORD WINAPI AudioOutput::ThreadEntry(LPVOID self) {
  static_cast<AudioOutput*>(self)->Run();
  return 0;
}

void AudioOutput::Run() {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = kChimeSampleRate;
  format.wBitsPerSample = 16;
  format.nBlockAlign = format.nChannels * format.wBitsPerSample / 8;
  format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;

  const UINT device_count = waveOutGetNumDevs();
  HWAVEOUT raw = nullptr;
  MMRESULT opened = waveOutOpen(&raw, WAVE_MAPPER, &format,
                                reinterpret_cast<DWORD_PTR>(wake_.get()), 0, CALLBACK_EVENT);
  if (opened != MMSYSERR_NOERROR) {
    Report("audio: no output device (waveOutOpen: " + ErrorText(opened) + "; " +
           std::to_string(device_count) + " devices)");
    return;
  }
  UniqueWaveOut device(raw);

  WAVEOUTCAPSA caps{};
  std::string name = "unnamed device";
  if (waveOutGetDevCapsA(reinterpret_cast<UINT_PTR>(raw), &caps, sizeof caps) == MMSYSERR_NOERROR) {
    name = caps.szPname;
  }

  std::array<Buffer, kBufferCount> buffers;
  std::size_t prepared = 0;
  std::string failure;
  for (Buffer& buffer : buffers) {
    buffer.header.lpData = reinterpret_cast<LPSTR>(buffer.samples.data());
    buffer.header.dwBufferLength = static_cast<DWORD>(kBufferSamples * sizeof(std::int16_t));
    MMRESULT result = waveOutPrepareHeader(raw, &buffer.header, sizeof buffer.header);
    if (result != MMSYSERR_NOERROR) {
      failure = "waveOutPrepareHeader: " + ErrorText(result);
      break;
    }
    ++prepared;
    // Prepared but not yet queued: the loop below treats it like a finished buffer.
    buffer.header.dwFlags |= WHDR_DONE;
  }
  if (failure.empty()) {
    Report("audio: output open (" + name + ", 44100 Hz mono 16-bit)");
    while (failure.empty() && !quit_) {
      for (Buffer& buffer : buffers) {
        if ((buffer.header.dwFlags & WHDR_DONE) == 0) continue;
        if (Idle()) break;
        Fill(buffer.samples);
        buffer.header.dwFlags &= ~WHDR_DONE;
        MMRESULT result = waveOutWrite(raw, &buffer.header, sizeof buffer.header);
        if (result != MMSYSERR_NOERROR) {
          failure = "waveOutWrite: " + ErrorText(result);
          break;
        }
      }
      // The timeout only guards against a driver that forgets to signal.
      if (failure.empty()) WaitForSingleObject(wake_.get(), 250);
    }
  }
  if (!failure.empty()) Report("audio: output failed (" + failure + "); carrying on mute");

  waveOutReset(raw);  // hands every queued buffer back, marked done
  for (std::size_t i = 0; i < prepared; ++i) {
    waveOutUnprepareHeader(raw, &buffers[i].header, sizeof buffers[i].header);
  }
  device.reset();
}

bool AudioOutput::Idle() const {
  return gain_ == 0.0 && status_.state.load() != PlayState::kPlaying;
}

void AudioOutput::Fill(std::vector<std::int16_t>& buffer) {
  const PlayState state = status_.state.load();
  const double target =
      state == PlayState::kPlaying ? static_cast<double>(status_.volume.load()) / kMaxVolume : 0.0;
  if (chime_.empty() || (target == 0.0 && gain_ == 0.0)) {
    std::fill(buffer.begin(), buffer.end(), std::int16_t{0});
  } else {
    const double step = (target - gain_) / static_cast<double>(buffer.size());
    for (std::size_t i = 0; i < buffer.size(); ++i) {
      const double gain = gain_ + step * static_cast<double>(i + 1);
      buffer[i] = static_cast<std::int16_t>(chime_[position_] * gain);
      position_ = (position_ + 1) % chime_.size();
    }
    gain_ = target;
  }
  // Stop rewinds, pause keeps the place: Play starts the chime over or resumes it.
  if (state == PlayState::kStopped && gain_ == 0.0) position_ = 0;
}

void AudioOutput::Report(std::string_view note) const {
  log_.Write({.name = "AUDIO",
              .state = status_.state.load(),
              .volume = status_.volume.load(),
              .note = note});
}

}  // namespace morv::standin
