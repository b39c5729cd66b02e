#include "gui/alsa_sound.h"

#include <alsa/asoundlib.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numbers>
#include <thread>

namespace tolvane::gui {
namespace {

using Clock = std::chrono::steady_clock;

// A file larger than this is no pop sound; it is not read.
constexpr std::streamoff kLargestFile = 64 << 20;
// Beyond the sound's own length, the wait allows for the device's buffer.
constexpr auto kMargin = std::chrono::milliseconds(400);
constexpr unsigned kLatencyMicroseconds = 100000;

std::uint32_t Le32(std::string_view b, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1]))
             << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 2]))
             << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 3]))
             << 24;
}

std::uint16_t Le16(std::string_view b, std::size_t at) {
  return static_cast<std::uint16_t>(
      static_cast<unsigned>(static_cast<unsigned char>(b[at])) |
      static_cast<unsigned>(static_cast<unsigned char>(b[at + 1])) << 8);
}

std::optional<std::string> ReadSmallFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return std::nullopt;
  const std::streamoff size = in.tellg();
  if (size < 0 || size > kLargestFile) return std::nullopt;
  in.seekg(0);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!in.read(bytes.data(), size)) return std::nullopt;
  return bytes;
}

snd_pcm_format_t FormatOf(int bits) {
  switch (bits) {
    case 8:
      return SND_PCM_FORMAT_U8;
    case 16:
      return SND_PCM_FORMAT_S16_LE;
    case 24:
      return SND_PCM_FORMAT_S24_3LE;
    default:
      return SND_PCM_FORMAT_S32_LE;
  }
}

// ALSA reports a missing card on the standard error; the program goes on
// without sound, so there is nothing to tell.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

long PcmSound::Frames() const {
  const int frame = FrameBytes();
  return frame > 0 ? static_cast<long>(samples.size()) / frame : 0;
}

double PcmSound::Seconds() const {
  return rate > 0 ? static_cast<double>(Frames()) / rate : 0.0;
}

std::optional<PcmSound> ParsePcmWave(std::string_view bytes) {
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" ||
      bytes.substr(8, 4) != "WAVE") {
    return std::nullopt;
  }
  std::optional<PcmSound> sound;
  bool have_format = false;
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::string_view id = bytes.substr(at, 4);
    const std::size_t size = Le32(bytes, at + 4);
    const std::size_t body = at + 8;
    const std::size_t available = std::min(size, bytes.size() - body);
    if (id == "fmt ") {
      if (available < 16) return std::nullopt;
      const unsigned format = Le16(bytes, body);
      // 0xFFFE (extensible) carries PCM too; its sub-format is checked by
      // its first two bytes.
      const bool pcm = format == 1 || (format == 0xFFFE && available >= 26 &&
                                       Le16(bytes, body + 24) == 1);
      if (!pcm) return std::nullopt;
      sound.emplace();
      sound->channels = Le16(bytes, body + 2);
      sound->rate = static_cast<int>(Le32(bytes, body + 4));
      sound->bits = Le16(bytes, body + 14);
      const int align = Le16(bytes, body + 12);
      if (sound->channels < 1 || sound->channels > 8 || sound->rate < 1000 ||
          sound->rate > 384000 ||
          (sound->bits != 8 && sound->bits != 16 && sound->bits != 24 &&
           sound->bits != 32) ||
          align != sound->FrameBytes()) {
        return std::nullopt;
      }
      have_format = true;
    } else if (id == "data") {
      if (!have_format) return std::nullopt;
      // A cut-off file plays the whole frames it still holds.
      const std::size_t whole = available /
                                static_cast<std::size_t>(sound->FrameBytes()) *
                                static_cast<std::size_t>(sound->FrameBytes());
      if (whole == 0) return std::nullopt;
      sound->samples.assign(bytes.substr(body, whole));
      return sound;
    }
    // Chunks are padded to an even length.
    at = body + size + (size & 1);
  }
  return std::nullopt;
}

PcmSound DefaultSound() {
  PcmSound sound;
  sound.channels = 1;
  sound.rate = 22050;
  sound.bits = 16;
  const int frames = sound.rate * 12 / 100;
  sound.samples.resize(static_cast<std::size_t>(frames) * 2);
  for (int i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / sound.rate;
    // A quick rise and an even fall keep the beep from clicking.
    const double envelope =
        std::min(1.0, i / 200.0) * (1.0 - static_cast<double>(i) / frames);
    const auto value = static_cast<std::int16_t>(
        9000.0 * envelope * std::sin(2 * std::numbers::pi * 880.0 * t));
    const auto bits = static_cast<std::uint16_t>(value);
    sound.samples[static_cast<std::size_t>(i) * 2] =
        static_cast<char>(bits & 0xff);
    sound.samples[static_cast<std::size_t>(i) * 2 + 1] =
        static_cast<char>(bits >> 8);
  }
  return sound;
}

AlsaSoundPlayer::AlsaSoundPlayer(std::string device)
    : device_(std::move(device)) {
  snd_lib_error_set_handler(QuietAlsa);
}

void AlsaSoundPlayer::PlaySync(const std::string& file) {
  std::optional<PcmSound> sound;
  if (std::optional<std::string> bytes = ReadSmallFile(file)) {
    sound = ParsePcmWave(*bytes);
  }
  if (sound && Play(*sound)) return;
  Play(DefaultSound());
}

bool AlsaSoundPlayer::Play(const PcmSound& sound) {
  snd_pcm_t* pcm = nullptr;
  // Non-blocking throughout: a busy or stuck device must not hold the
  // program past the sound's length.
  if (snd_pcm_open(&pcm, device_.c_str(), SND_PCM_STREAM_PLAYBACK,
                   SND_PCM_NONBLOCK) < 0) {
    return false;
  }
  if (snd_pcm_set_params(
          pcm, FormatOf(sound.bits), SND_PCM_ACCESS_RW_INTERLEAVED,
          static_cast<unsigned>(sound.channels),
          static_cast<unsigned>(sound.rate), 1, kLatencyMicroseconds) < 0) {
    snd_pcm_close(pcm);
    return false;
  }
  const auto length = std::chrono::duration_cast<Clock::duration>(
      std::chrono::duration<double>(sound.Seconds()));
  const auto deadline = Clock::now() + length + kMargin;
  const long frames = sound.Frames();
  const int frame_bytes = sound.FrameBytes();
  long done = 0;
  while (done < frames && Clock::now() < deadline) {
    const snd_pcm_sframes_t n =
        snd_pcm_writei(pcm, sound.samples.data() + done * frame_bytes,
                       static_cast<snd_pcm_uframes_t>(frames - done));
    if (n == -EAGAIN) {
      snd_pcm_wait(pcm, 20);
    } else if (n < 0) {
      if (snd_pcm_recover(pcm, static_cast<int>(n), 1) < 0) break;
    } else {
      done += n;
    }
  }
  // A sound shorter than the buffer has not started by itself yet.
  if (snd_pcm_state(pcm) == SND_PCM_STATE_PREPARED) snd_pcm_start(pcm);
  while (Clock::now() < deadline) {
    snd_pcm_sframes_t delay = 0;
    if (snd_pcm_delay(pcm, &delay) < 0 || delay <= 0) break;
    if (snd_pcm_state(pcm) != SND_PCM_STATE_RUNNING) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  snd_pcm_drop(pcm);
  snd_pcm_close(pcm);
  return true;
}

}  // namespace tolvane::gui
