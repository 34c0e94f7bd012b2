// "Import CSV…": the plant's export → preview with what was detected → the mapping (remembered
// with the turbine) → the mapped series plotted, the window chosen by dragging → the stability
// table with the failures marked → a new campaign. Large files are read off the GUI thread with
// progress and cancel.
#pragma once
#include <QWizard>
#include <string>
#include <vector>

#include "common/dialogs.h"
#include "turbiny/model.h"

namespace kal {

class ImportWizard : public QWizard {
  Q_OBJECT

 public:
  // The pages, as currentId() gives them.
  enum Strona { kPlik, kPodglad, kMapowanie, kSerie, kStabilnosc, kKampania };

  // `turbina` gives the points, their units and limits and the last mapping (Turbina::mapowanie).
  ImportWizard(const turbiny::Turbina& turbina, Dialogs& dialogs, QWidget* parent = nullptr);
  ~ImportWizard() override;

  // After accepted(): the campaign made from the means, the raw series and the mapping used.
  const turbiny::Kampania& kampania() const;
  const std::vector<turbiny::Seria>& serie() const;
  const std::string& mapowanie() const;  // JSON text, for Turbina::mapowanie

  // For tests: start at this file as if chosen in the file page.
  void ustawPlik(const QString& path);

  // True while a file is read or parsed in the background.
  bool zajety() const;

 private:
  struct Impl;
  Impl* d_;
};

}  // namespace kal
