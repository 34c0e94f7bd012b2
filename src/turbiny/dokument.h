// The turbine document (JSON, UTF-8, "format": "kalorimo-turbina", "version": 1): the interchange
// format of a turbine with its campaigns and the batch tool's input.
#pragma once
#include <string>

#include "turbiny/model.h"

namespace kal::turbiny {

// Throws BladTurbiny naming the field and why: not JSON, another format or a newer version, a
// missing required field, a wrong type, a duplicate id, a section or reading naming an unknown point.
// Unknown keys are left out and do not fail.
Dokument WczytajDokument(const std::string& json);

// The document as JSON text (the mapping as a JSON object, the readings in the points' order);
// WczytajDokument(ZapiszDokument(d)) gives d back. Throws BladTurbiny when the mapping is no JSON object.
std::string ZapiszDokument(const Dokument& d);

}  // namespace kal::turbiny
