// Platform services of the running application, with Qt.
#pragma once
#include <QString>

#include "common/platform.h"

namespace kal {

// The locale's long time format without its time-zone part ("HH:mm:ss t" -> "HH:mm:ss").
QString TimeFormatWithoutZone(const QString& format);

class QtPlatform : public Platform {
 public:
  std::string ExecutableDir() override;
  bool StartDetached(const std::string& program, const std::vector<std::string>& args) override;
  bool OpenInEditor(const std::string& path) override;
  [[noreturn]] void EndApplication() override;
  std::string TimeOfDayText() override;
};

}  // namespace kal
