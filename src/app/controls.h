// Controls of a window as plain data, rendered by the Qt views and read by the tests.
#pragma once
#include <string>

namespace kal {

struct TextBox {
  std::string Text;
  bool Enabled = true;
  bool Visible = true;
};

struct CheckBox {
  std::string Caption;
  int Value = 0;  // 1 = ticked
  bool Enabled = true;
};

struct Label {
  std::string Caption;
  bool Visible = true;
};

struct MenuItem {
  std::string Caption;  // with its & accelerator
  bool Enabled = true;
  bool Visible = true;
};

struct Geometry {  // twips
  double Left = 0, Top = 0, Width = 0, Height = 0;
};

}  // namespace kal
