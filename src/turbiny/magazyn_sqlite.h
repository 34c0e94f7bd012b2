// The SQLite file behind Magazyn, with what the batch tool and the tests need beyond the interface:
// the wait for a busy file and a refusal of the file itself told apart from a refused change.
#pragma once
#include <memory>
#include <string>

#include "turbiny/magazyn.h"

namespace kal::turbiny {

// The file itself was refused: not a database, damaged, of a newer version, read-only, busy,
// or it could not be read or written. Other BladTurbiny refusals concern the data (a turbine
// already there, a campaign of a turbine that is not).
class BladPlikuBazy : public BladTurbiny {
 public:
  using BladTurbiny::BladTurbiny;
};

struct OpcjeBazy {
  bool tylkoOdczyt = false;
  int czekanieMs = 10000;  // how long a busy file is waited for
};

// The store is used by one thread at a time (each window or thread opens its own).
std::unique_ptr<Magazyn> OtworzBazeSqlite(const std::string& sciezka, const OpcjeBazy& opcje);

}  // namespace kal::turbiny
