// The workbench's storage behind one narrow interface: the engine and the views talk to Magazyn
// only, so a shared server database can stand beside the SQLite file later.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "turbiny/model.h"

namespace kal::turbiny {

// Every method is one transaction; a refusal throws BladTurbiny with a Polish message naming the
// file and the reason, and leaves nothing of its change behind.
class Magazyn {
 public:
  virtual ~Magazyn() = default;
  virtual std::vector<std::string> Turbiny() = 0;                         // names, sorted
  virtual std::optional<Dokument> Wczytaj(const std::string& nazwa) = 0;  // with all campaigns
  // A whole document; a turbine of that name already there is refused unless `zastap`.
  virtual void Importuj(const Dokument& d, bool zastap) = 0;
  // The turbine's points, sections and mapping; its campaigns stay.
  virtual void ZapiszTurbine(const Turbina& t) = 0;
  // A campaign (replaced when its id is there) with the raw series it came from (may be empty).
  virtual void ZapiszKampanie(const std::string& turbina, const Kampania& k, const std::vector<Seria>& surowe) = 0;
  // A campaign from a CSV import and the mapping it was read by (kept as Turbina::mapowanie for the
  // next import), both or neither.
  virtual void ZapiszImport(const std::string& turbina, const std::string& mapowanie, const Kampania& k,
                            const std::vector<Seria>& surowe) = 0;
  virtual void UsunKampanie(const std::string& turbina, const std::string& kampania) = 0;
  virtual std::vector<Seria> Surowe(const std::string& turbina, const std::string& kampania) = 0;
};

// The SQLite file (created when missing unless `tylkoOdczyt`), checked when opened.
std::unique_ptr<Magazyn> OtworzBaze(const std::string& sciezka, bool tylkoOdczyt = false);

}  // namespace kal::turbiny
