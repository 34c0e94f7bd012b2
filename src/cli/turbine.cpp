#include "cli/turbine.h"

#include <getopt.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "cli/run.h"
#include "turbiny/dokument.h"

namespace kal::cli {

int CzytajPlik(const std::string& path, std::string& text) {
  errno = 0;
  std::ifstream f(path, std::ios::binary);
  if (!f) return errno ? errno : ENOENT;
  std::ostringstream ss;
  ss << f.rdbuf();
  if (f.bad()) return errno ? errno : EIO;
  text = ss.str();
  return 0;
}

std::string TurbineHelpText() {
  return "kalorimo-calc turbine POLECENIE … — stanowisko badań turbin (Turbiny)\n"
         "\n"
         "  turbine calc PLIK.json [--campaign ID] [--format json|csv|text]\n"
         "      sprawności odcinków w każdym (albo jednym) pomiarze dokumentu turbiny, bez bazy\n"
         "  turbine stability --csv PLIK --mapping M.json [--from T] [--to T] [--turbine-file PLIK.json]\n"
         "      statystyki kolumn i ocena stabilności serii pomiarowej\n"
         "  turbine list [--db BAZA]                       turbiny w bazie\n"
         "  turbine import PLIK.json [--replace] [--db BAZA]  turbina z pomiarami do bazy\n"
         "  turbine export NAZWA [--db BAZA]               dokument turbiny na standardowe wyjście\n"
         "  turbine calc NAZWA [--campaign ID] [--db BAZA] obliczenie pomiarów turbiny z bazy\n"
         "  turbine import-csv NAZWA --csv PLIK --mapping M.json --campaign ID --date D --kind K\n"
         "                     [--from T] [--to T] [--db BAZA]  nowy pomiar z serii\n"
         "\n"
         "Baza domyślnie: turbiny.db w katalogu danych (--data KATALOG).\n"
         "Rodzaje pomiaru (--kind): acceptance, after-overhaul, routine.\n"
         "Kod wyjścia: 0 wszystko poprawne, 1 odcinek lub kolumna odrzucone albo niestabilne,\n"
         "2 błędne wywołanie, 3 nie udało się odczytać lub zapisać pliku.\n";
}

namespace {

bool ParseTurbineArgs(int argc, char** argv, TurbineArgs& a, std::string& error, bool& help) {
  enum { kCampaign = 1000, kDb, kData, kCsv, kMapping, kFrom, kTo, kTurbineFile, kDate, kKind, kReplace, kFormat };
  static const option kOptions[] = {{"campaign", required_argument, nullptr, kCampaign},
                                    {"db", required_argument, nullptr, kDb},
                                    {"data", required_argument, nullptr, kData},
                                    {"csv", required_argument, nullptr, kCsv},
                                    {"mapping", required_argument, nullptr, kMapping},
                                    {"from", required_argument, nullptr, kFrom},
                                    {"to", required_argument, nullptr, kTo},
                                    {"turbine-file", required_argument, nullptr, kTurbineFile},
                                    {"date", required_argument, nullptr, kDate},
                                    {"kind", required_argument, nullptr, kKind},
                                    {"replace", no_argument, nullptr, kReplace},
                                    {"format", required_argument, nullptr, kFormat},
                                    {"help", no_argument, nullptr, 'h'},
                                    {nullptr, 0, nullptr, 0}};
  optind = 1;
  opterr = 0;
  for (;;) {
    // Options may stand anywhere among the words: take the words before the next option and go on
    // ("+" stops getopt at the first word, the command itself).
    while (optind < argc && argv[optind][0] != '-') {
      if (a.command.empty())
        a.command = argv[optind];
      else
        a.words.push_back(argv[optind]);
      ++optind;
    }
    int index = 0;
    const int c = getopt_long(argc, argv, "+h", kOptions, &index);
    if (c == -1) break;
    const std::string v = optarg ? optarg : "";
    switch (c) {
      case kCampaign:
        a.campaign = v;
        break;
      case kDb:
        a.db = v;
        break;
      case kData:
        a.dataDir = v;
        break;
      case kCsv:
        a.csv = v;
        break;
      case kMapping:
        a.mapping = v;
        break;
      case kFrom:
        a.from = v;
        break;
      case kTo:
        a.to = v;
        break;
      case kTurbineFile:
        a.turbineFile = v;
        break;
      case kDate:
        a.date = v;
        break;
      case kKind:
        a.kind = v;
        break;
      case kReplace:
        a.replace = true;
        break;
      case kFormat:
        if (v == "json")
          a.format = Format::Json;
        else if (v == "csv")
          a.format = Format::Csv;
        else if (v == "text")
          a.format = Format::Text;
        else {
          error = "nieznany format \"" + v + "\" (json, csv albo text)";
          return false;
        }
        break;
      case 'h':
        help = true;
        return true;
      default:
        error = optopt ? std::string("nieznana opcja lub brak jej wartości: -") + static_cast<char>(optopt)
                       : std::string("nieznana opcja lub brak jej wartości: ") + argv[optind - 1];
        return false;
    }
  }
  for (int i = optind; i < argc; ++i) {
    if (a.command.empty())
      a.command = argv[i];
    else
      a.words.push_back(argv[i]);
  }
  if (a.command.empty()) {
    error = "brak polecenia (calc, stability, list, import, export, import-csv)";
    return false;
  }
  return true;
}

}  // namespace

int RunTurbine(int argc, char** argv, std::FILE* out, std::FILE* err) {
  TurbineArgs a;
  std::string error;
  bool help = false;
  // argv[0] is "turbine": getopt starts at 1, the words after it.
  if (!ParseTurbineArgs(argc, argv, a, error, help)) {
    std::fprintf(err, "kalorimo-calc turbine: %s\n", error.c_str());
    return kExitUsage;
  }
  if (help) {
    const std::string h = TurbineHelpText();
    return std::fwrite(h.data(), 1, h.size(), out) == h.size() ? kExitOk : kExitIo;
  }
  if (a.command == "stability") return TurbineStability(a, out, err);
  if (a.command == "calc" && !a.db && a.words.size() == 1 && a.words[0].size() > 5 &&
      a.words[0].compare(a.words[0].size() - 5, 5, ".json") == 0) {
    std::string text;
    const int e = CzytajPlik(a.words[0], text);
    if (e != 0) {
      std::fprintf(err, "kalorimo-calc turbine: nie można odczytać pliku %s: %s\n", a.words[0].c_str(),
                   std::strerror(e));
      return kExitIo;
    }
    try {
      return TurbineCalc(turbiny::WczytajDokument(text), a.campaign, a.format, out, err);
    } catch (const turbiny::BladTurbiny& b) {
      std::fprintf(err, "kalorimo-calc turbine: %s: %s\n", a.words[0].c_str(), b.what());
      return kExitIo;
    }
  }
  if (a.command == "calc" || a.command == "list" || a.command == "import" || a.command == "export" ||
      a.command == "import-csv")
    return TurbineDatabase(a, out, err);
  std::fprintf(err, "kalorimo-calc turbine: nieznane polecenie \"%s\"\n%s", a.command.c_str(),
               TurbineHelpText().c_str());
  return kExitUsage;
}

}  // namespace kal::cli
