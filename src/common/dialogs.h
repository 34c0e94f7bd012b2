// The only way the system talks to the user: modal message boxes and the input box.
// The GUI implements it with Qt; the tests with a scripted double; the CLI answers by itself.
#pragma once
#include <string>

namespace kal {

inline constexpr const char* kAppTitle = "Kalorimo";  // an empty title means this one

enum class Buttons { OK, YesNo };
enum class Icon { None, Information, Exclamation };
enum class Answer { Ok, Yes, No };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // `text` may hold CR LF line breaks; an empty `title` shows kAppTitle.
  virtual Answer MsgBox(const std::string& text, Buttons buttons, Icon icon, const std::string& title) = 0;
  // Returns the typed text, empty when the user cancels.
  virtual std::string InputBox(const std::string& prompt, const std::string& title) = 0;
};

}  // namespace kal
