// The batch tool's line reader and its JSON line on arbitrary bytes: the reader never reads out
// of bounds, a request it accepts reads back the same when written out quoted, and the JSON line
// built from any texts is valid JSON that gives the texts back (invalid UTF-8 replaced).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "cli/cli_line.h"
#include "cli/output.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  kal::cli::Request rq;
  std::string why;
  kal::cli::LineKind kind = kal::cli::ParseLine(line, rq, why);
  if (kind == kal::cli::LineKind::Bad && why.empty()) std::abort();
  if (kind != kal::cli::LineKind::Calc) return 0;

  if (rq.a.find_first_of("\"#") == std::string::npos && rq.b.find_first_of("\"#") == std::string::npos &&
      rq.a.find_first_of("\r\n") == std::string::npos && rq.b.find_first_of("\r\n") == std::string::npos) {
    std::string again = std::string(kal::cli::Info(rq.pair).name) + " \"" + rq.a + "\" \"" + rq.b + "\"";
    kal::cli::Request back;
    if (kal::cli::ParseLine(again, back, why) != kal::cli::LineKind::Calc) std::abort();
    if (back.pair != rq.pair || back.a != rq.a || back.b != rq.b) std::abort();
  }

  kal::cli::LineResult r;
  r.pairName = kal::cli::Info(rq.pair).name;
  r.a = rq.a;
  r.b = rq.b;
  r.boxes[0] = rq.a;
  r.messages.push_back({rq.b, rq.a});
  std::string out;
  kal::cli::AppendJson(out, r, kal::cli::Settings{});
  nlohmann::json j = nlohmann::json::parse(out, nullptr, false);
  if (j.is_discarded()) std::abort();
  bool plain = nlohmann::json::accept("\"" + rq.a + "\"") && rq.a.find_first_of("\"\\") == std::string::npos;
  if (plain && j["input"][0].get<std::string>() != rq.a) std::abort();
  kal::cli::BoxNumber(rq.a, ',');
  kal::cli::BoxNumber(rq.b, '.');
  return 0;
}
