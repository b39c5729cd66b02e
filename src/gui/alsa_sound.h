#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/services.h"

namespace tolvane::gui {

// Interleaved PCM samples as a wave file holds them: unsigned 8-bit or
// signed little-endian 16, 24 or 32-bit.
struct PcmSound {
  int channels = 1;
  int rate = 22050;
  int bits = 16;
  std::string samples;

  int FrameBytes() const { return channels * bits / 8; }
  long Frames() const;
  double Seconds() const;
};

// The sound of a RIFF wave file with PCM samples; nothing for anything
// else (compressed, damaged, too short to hold a sample).
std::optional<PcmSound> ParsePcmWave(std::string_view bytes);

// The sound played when the wanted file cannot be: a short soft beep.
PcmSound DefaultSound();

// Plays wave files through ALSA and returns when the sound has ended.
class AlsaSoundPlayer : public SoundPlayer {
 public:
  explicit AlsaSoundPlayer(std::string device = "default");

  // A missing or unplayable file plays the default sound; without an audio
  // device it returns at once. It never waits much longer than the sound.
  void PlaySync(const std::string& file) override;

  // Plays the samples to their end; false when no device would take them.
  bool Play(const PcmSound& sound);

 private:
  std::string device_;
};

}  // namespace tolvane::gui
