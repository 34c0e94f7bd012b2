// Property sweep: many calculations of every pair on the headless model, with values drawn
// across and beyond every range, each checked for a sound end (finite boxes, a message box or
// a run-time error in the error report).
#pragma once
#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "cli/calc.h"
#include "cli/cli_line.h"

namespace kal::cli {

// One drawn calculation: the pair, the texts typed and the window's unit and locale.
struct SweepCase {
  Request request;
  int unitIndex = 0;  // 0 MPa, 1 bar, 2 kPa
  char decimalSep = ',';
};

// Draws the cases of a sweep; the same seed gives the same cases on every platform (the
// engine's own integer arithmetic, not the library's distributions).
class SweepDraw {
 public:
  explicit SweepDraw(std::uint64_t seed);
  ~SweepDraw();
  SweepDraw(const SweepDraw&) = delete;
  SweepDraw& operator=(const SweepDraw&) = delete;
  SweepCase Next();

 private:
  struct Curves;  // saturation line and saturated properties from the default coefficients
  std::uint64_t Bits();
  double Uniform(double lo, double hi);
  int Below(int n);
  double Pressure();
  double Temperature(double p);
  double Enthalpy(double p);
  double Entropy(double p);
  double Dryness();
  std::string Text(double value, char sep);
  std::uint64_t state_;
  Curves* curves_;
};

// What one calculation must not show: "nan"/"inf" in a box or a message, a box wider than any
// state of water needs, or the error flag left set. Returns the fault, empty when the end is
// sound. A rejection without a box (a pressure below the saturation line's range) is sound:
// the result boxes stay empty.
std::string CheckEnd(const SweepCase& c, const LineResult& r);

// The first result box wider than any state of water needs ("box 6", "wet box 2"), "" when
// none: a finite value of an absurd input that no range check stopped.
std::string WideBox(const SweepCase& c, const LineResult& r);

// A message box's text with every number replaced by '#', for counting messages by kind.
std::string MessageKind(const Message& m);

struct SweepFigures {
  long calculations = 0;
  long ok = 0;           // finite results, no box
  long withMessage = 0;  // ended with at least one message box (no run-time error)
  long withError = 0;    // ended in the error report
  long faults = 0;
  long skipped = 0;                      // ended without a box and without some result (a silent rejection)
  std::map<std::string, long> messages;  // by kind
  std::map<int, long> errors;            // by run-time error number
  std::map<std::string, long> pairs;     // calculations by pair
  // Implausible values shown (WideBox), by "pair box": count and the first case.
  std::map<std::string, std::pair<long, std::string>> implausible;
  std::vector<std::string> firstFaults;  // the first few, with their inputs
  double slowestSeconds = 0;
  SweepCase slowest;
  std::size_t mostBoxes = 0;  // most boxes shown by one calculation, and its inputs
  SweepCase mostBoxesCase;
};

struct SweepOptions {
  long count = 1000;
  std::uint64_t seed = 1;
  std::string dataDir;            // a data folder the sweep may use (created when missing)
  bool timing = false;            // measure each calculation (the tool; never the tests)
  std::FILE* progress = nullptr;  // a line every 10 000 calculations when set
  std::size_t keepFaults = 20;    // how many faults to keep with their inputs
};

// Runs the sweep. Each calculation is a fresh model, exactly as kalorimo-calc runs one line.
SweepFigures RunSweep(const SweepOptions& options);

// Renders a case as a kalorimo-calc batch line with its options.
std::string Describe(const SweepCase& c);

void PrintFigures(std::FILE* out, const SweepFigures& f);

}  // namespace kal::cli
