// The wet-steam window "Para mokra" as data: twelve read-only boxes filled from the steam state.
#pragma once
#include <array>
#include <string>

#include "app/controls.h"

namespace kal {

struct FrmParaMokra {
  std::string Caption = "Para mokra";
  bool Loaded = false;
  bool Visible = false;
  Geometry geom{0, 0, 6588, 7140};  // client area at design; left/top/height set on load
  std::array<TextBox, 12> txtMokra{};
  std::string Command1Caption = "Exit";
};

}  // namespace kal
