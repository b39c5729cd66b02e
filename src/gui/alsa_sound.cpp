#include "gui/alsa_sound.h"

namespace tolvane::gui {

void AlsaSoundPlayer::PlaySync(const std::string&) {}

}  // namespace tolvane::gui
