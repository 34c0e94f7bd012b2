#include "gui/turbina_import_wizard.h"

namespace kal {

// Filled in with the wizard's pages.
struct ImportWizard::Impl {
  turbiny::Kampania kampania;
  std::vector<turbiny::Seria> serie;
  std::string mapowanie;
};

ImportWizard::ImportWizard(const turbiny::Turbina&, Dialogs&, QWidget* parent) : QWizard(parent), d_(new Impl) {}
ImportWizard::~ImportWizard() { delete d_; }
const turbiny::Kampania& ImportWizard::kampania() const { return d_->kampania; }
const std::vector<turbiny::Seria>& ImportWizard::serie() const { return d_->serie; }
const std::string& ImportWizard::mapowanie() const { return d_->mapowanie; }
void ImportWizard::ustawPlik(const QString&) {}

}  // namespace kal
