#include "gui/alsa_sound.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <tuple>

namespace tolvane::gui {
namespace {

std::string Le32(std::uint32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((v >> (8 * i)) & 0xff);
  return s;
}
std::string Le16(std::uint16_t v) { return Le32(v).substr(0, 2); }

std::string Chunk(const std::string& id, const std::string& body) {
  std::string c = id + Le32(static_cast<std::uint32_t>(body.size())) + body;
  if (body.size() % 2 == 1) c += '\0';
  return c;
}

std::string Format(std::uint16_t tag, int channels, int rate, int bits) {
  const int align = channels * bits / 8;
  return Chunk("fmt ", Le16(tag) + Le16(static_cast<std::uint16_t>(channels)) +
                           Le32(static_cast<std::uint32_t>(rate)) +
                           Le32(static_cast<std::uint32_t>(rate * align)) +
                           Le16(static_cast<std::uint16_t>(align)) +
                           Le16(static_cast<std::uint16_t>(bits)));
}

std::string Riff(const std::string& chunks) {
  return "RIFF" + Le32(static_cast<std::uint32_t>(chunks.size() + 4)) + "WAVE" +
         chunks;
}

// A wave file read wrongly would play noise, or nothing where the pop
// belongs; anything that is not plain PCM must fall back to the default.
TEST(AlsaSoundTest, ReadsPcmWaveFilesOnly) {
  const std::string pcm16 = Format(1, 2, 8000, 16);
  // What the file is, its bytes, its frames when it can be played.
  const std::tuple<const char*, std::string, std::optional<long>> kCases[] = {
      {"stereo 16-bit", Riff(pcm16 + Chunk("data", std::string(400, 'x'))),
       100},
      {"odd chunk before the data",
       Riff(pcm16 + Chunk("LIST", "abc") + Chunk("data", std::string(8, 'x'))),
       2},
      {"cut-off data keeps whole frames",
       Riff(pcm16 + "data" + Le32(4000) + std::string(10, 'x')), 2},
      {"8-bit mono", Riff(Format(1, 1, 11025, 8) + Chunk("data", "abc")), 3},
      {"floating point", Riff(Format(3, 1, 8000, 32) + Chunk("data", "abcd")),
       std::nullopt},
      {"data before format",
       Riff(Chunk("data", "abcd") + Format(1, 1, 8000, 16)), std::nullopt},
      {"no data", Riff(pcm16), std::nullopt},
      {"less than a frame", Riff(pcm16 + Chunk("data", "abc")), std::nullopt},
      {"not a wave file", "ID3\x03 some mp3 bytes", std::nullopt},
      {"empty", "", std::nullopt},
  };
  for (const auto& [what, bytes, frames] : kCases) {
    const std::optional<PcmSound> sound = ParsePcmWave(bytes);
    EXPECT_EQ(sound ? std::optional(sound->Frames()) : std::nullopt, frames)
        << what;
  }
}

}  // namespace
}  // namespace tolvane::gui
