// Helpers of the batch tool's tests: the tool run in-process over captured streams, JSON lines.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run.h"

namespace kal::test {

struct CliRun {
  int status = -1;
  std::string out, err;

  // The JSON objects of the output, one per line.
  std::vector<nlohmann::json> Json() const {
    std::vector<nlohmann::json> v;
    std::istringstream s(out);
    std::string line;
    while (std::getline(s, line)) v.push_back(nlohmann::json::parse(line));
    return v;
  }
};

// RunCli with argv {"kalorimo-calc", args...}, `input` as standard input.
inline CliRun RunToolV(const std::vector<std::string>& args, const std::string& input = "") {
  std::vector<std::string> store{"kalorimo-calc"};
  store.insert(store.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : store) argv.push_back(a.data());
  argv.push_back(nullptr);
  char* outBuf = nullptr;
  char* errBuf = nullptr;
  std::size_t outLen = 0, errLen = 0;
  std::FILE* out = open_memstream(&outBuf, &outLen);
  std::FILE* err = open_memstream(&errBuf, &errLen);
  std::istringstream in(input);
  CliRun r;
  r.status = cli::RunCli(static_cast<int>(store.size()), argv.data(), in, out, err);
  std::fclose(out);
  std::fclose(err);
  r.out.assign(outBuf, outLen);
  r.err.assign(errBuf, errLen);
  std::free(outBuf);
  std::free(errBuf);
  return r;
}

inline CliRun RunTool(std::initializer_list<std::string> args, const std::string& input = "") {
  return RunToolV(std::vector<std::string>(args), input);
}

}  // namespace kal::test
