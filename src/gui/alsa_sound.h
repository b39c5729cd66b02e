#pragma once

#include <string>

#include "platform/services.h"

namespace tolvane::gui {

// Plays wave files through ALSA and returns when the sound has ended.
class AlsaSoundPlayer : public SoundPlayer {
 public:
  void PlaySync(const std::string& file) override;
};

}  // namespace tolvane::gui
