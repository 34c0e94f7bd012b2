// Platform services the system needs besides the user interface.
#pragma once
#include <string>
#include <vector>

namespace kal {

class Platform {
 public:
  virtual ~Platform() = default;
  // Folder of the executable, without a trailing separator.
  virtual std::string ExecutableDir() = 0;
  // Start a program detached, in a normal window that does not take the focus; no waiting.
  // Returns false when it could not be started.
  virtual bool StartDetached(const std::string& program, const std::vector<std::string>& args) = 0;
  // Open a text file in the desktop's editor; false when no editor could take it.
  virtual bool OpenInEditor(const std::string& path) { return StartDetached("xdg-open", {path}); }
  // End the application at once (the error report's "No"). In tests it is only recorded.
  virtual void EndApplication() = 0;
  // Current time of day in the user's time format (hours, minutes, seconds).
  virtual std::string TimeOfDayText() = 0;
  // The per-user data folder, $XDG_DATA_HOME/Kalorimo or ~/.local/share/Kalorimo; "" when
  // neither variable names an absolute folder.
  virtual std::string UserDataDir();
};

// The folder of the running executable as the file system names it (bytes, whatever their
// encoding), without a trailing separator; "." when it cannot be found.
std::string KatalogProgramu();

}  // namespace kal
