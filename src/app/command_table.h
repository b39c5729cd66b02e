#pragma once

#include <span>

#include "app/application.h"

namespace tolvane {

class TFrmPrice;

using Handler = void (TFrmPrice::*)(const Sender&);

// One entry of the main menu. A parent of nullptr is a top-level menu; an
// entry without a handler carries no command (or opens a submenu).
struct MenuEntry {
  const char* name;
  const char* caption;
  const char* parent;
  Handler handler;
};

// One flat button of the tool bar (position x) or side bar (position y).
struct ButtonEntry {
  const char* name;
  const char* hint;
  int position;
  Handler handler;
};

std::span<const MenuEntry> MainMenuEntries();
std::span<const ButtonEntry> ToolbarButtons();
std::span<const ButtonEntry> SideBarButtons();

}  // namespace tolvane
