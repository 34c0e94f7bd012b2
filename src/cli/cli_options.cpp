#include "cli/cli_options.h"

#include <getopt.h>
#include <strings.h>

#include <vector>

#include "common/jednostki.h"

namespace kal::cli {

namespace {

bool Choice(const char* arg, const std::vector<const char*>& names, int& index) {
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (strcasecmp(arg, names[i]) == 0) {
      index = static_cast<int>(i);
      return true;
    }
  }
  return false;
}

std::vector<const char*> UnitNameList() {
  std::vector<const char*> names;
  for (const JednostkaCisnienia& j : kJednostkiCisnienia) names.push_back(j.nazwa);
  return names;
}

// The units' names joined by `sep`: "MPa|bar|kPa".
std::string UnitNames(const char* sep) {
  std::string s;
  for (const char* n : UnitNameList()) s += (s.empty() ? "" : sep) + std::string(n);
  return s;
}

// "  p,t  p,h ...": the pairs, each after `sep`.
std::string PairNames(const char* sep) {
  std::string s;
  for (const PairInfo& p : kPairs) s += sep + std::string(p.name);
  return s;
}

}  // namespace

const char* UnitName(int unitIndex) {
  return kJednostkiCisnienia[unitIndex >= 0 && unitIndex < kLiczbaJednostek ? unitIndex : 0].nazwa;
}

std::string UsageText() {
  return "Użycie: kalorimo-calc [--data KATALOG] [--unit " + UnitNames("|") +
         "] [--locale comma|point]\n"
         "                      [--format text|json|csv] [--reference if97] PARA A B\n"
         "       kalorimo-calc [te same opcje] is P1 T1 P2 [--t2 T2 | --eta ETA | --h2 H2]\n"
         "       kalorimo-calc [te same opcje] --batch < plik\n"
         "PARA: " +
         PairList() +
         " (w dowolnej kolejności, np. t,p = p,t)\n"
         "Więcej: kalorimo-calc --help\n";
}

std::string HelpText() {
  return "kalorimo-calc - obliczanie parametrów pary wodnej z wiersza poleceń, tymi samymi\n"
         "równaniami i tą samą komendą \"Oblicz\" co okno kalkulatora Kalorimo.\n\n" +
         UsageText() +
         "\n"
         "Pary danych (litery: p ciśnienie, t temperatura [°C], h entalpia [kJ/kg],\n"
         "s entropia [kJ/(kg K)], x stopień suchości):\n" +
         PairNames("  ") +
         "\n"
         "A i B wpisuje się tak jak w okienkach okna: \"12,5\" i \"12.5\" znaczą to samo.\n"
         "Wartości A i B podaje się w kolejności liter pary (t,p 500 10 = p,t 10 500).\n"
         "Opcje podaje się przed PARA, więc wartość ze znakiem minus nie wymaga \"--\".\n\n"
         "Opcje:\n"
         "  -d, --data KATALOG    katalog danych z plikiem współczynników Kalorimo.dat\n"
         "                        (domyślnie, jak w oknie, katalog \"Kalorimo\" obok programu,\n"
         "                        a gdy tam nie można pisać: $XDG_DATA_HOME/Kalorimo,\n"
         "                        zwykle ~/.local/share/Kalorimo; brakujący katalog i plik\n"
         "                        tworzone są z danymi domyślnymi)\n"
         "  -u, --unit JEDN       jednostka ciśnienia A/B i wyniku: MPa (domyślnie), bar, kPa;\n"
         "                        wybierana z listy jednostek jak w oknie\n"
         "  -l, --locale SEP      separator dziesiętny tekstów okna: comma (domyślnie) lub point\n"
         "  -f, --format FORMAT   text (domyślnie), json lub csv\n"
         "  -b, --batch           czyta wiersze \"PARA A B\" ze standardowego wejścia; '#' zaczyna\n"
         "                        komentarz, puste wiersze są pomijane; wartość z odstępem\n"
         "                        w cudzysłowie (\"1 500\")\n"
         "  -r, --reference if97  obok wyniku te same dane A, B policzone wg IAPWS-IF97\n"
         "                        (własna biblioteka: obszary 1-4, lepkość IAPWS 2008) i różnica\n"
         "                        równania kalkulatora - IF97; ciśnienie IF97 zawsze w MPa\n"
         "  -h, --help            ten opis\n\n"
         "Każde obliczenie zaczyna się od stanu świeżo uruchomionego kalkulatora: wynik wiersza\n"
         "nie zależy od wierszy wcześniejszych. Program nie używa ani nie zapisuje plików\n"
         "Kalorimo.tmp i Notes.txt. Plik współczynników Kalorimo.dat czytany jest raz na\n"
         "przebieg, przy pierwszym obliczeniu: zmiana pliku w trakcie --batch nie działa na\n"
         "dalsze wiersze (w oknie kalkulatora działa od następnego obliczenia).\n\n"
         "Okna dialogowe odpowiadane są bez człowieka: okna z przyciskiem OK są notowane,\n"
         "pytanie \"Zostawić ...?\" dostaje odpowiedź Nie, okno nowej wartości jest anulowane\n"
         "(wartość pusta, czyli 0), raport błędu \"Opis błędu \" dostaje odpowiedź Tak\n"
         "(kontynuuj). Każde okno jest wypisywane na standardowe wyjście błędów z tytułem.\n\n"
         "Formaty:\n"
         "  text  krótki blok na stan: teksty okienek z polskimi nazwami i jednostkami\n"
         "  json  jeden obiekt w wierszu: line, pair, input [A, B], unit (jednostka okienka\n"
         "        ciśnienia wg listy jednostek po obliczeniu; para t,h w obszarze pary mokrej\n"
         "        pokazuje ciśnienie w MPa, jak okno), ok, boxes (10 tekstów\n"
         "        okienek Text_IS), wet (12 tekstów okna \"Para mokra\" albo null), state\n"
         "        (pPary pParyWe tPary hPary sPary vPary xPary tNasPary ob1 h1 s1 ob2 h2 s2\n"
         "        obx hx sx pIter, 9 cyfr znaczących: każda liczba pojedynczej precyzji\n"
         "        wczytuje się dokładnie), Blad, messages [{title, text}], error (null albo\n"
         "        {number, description} błędu wykonania), skipped; wiersz bez poprawnego polecenia:\n"
         "        ok false, pair null, komunikat w messages\n"
         "  csv   nagłówek i wiersz na obliczenie: line,pair,A,B,p_MPa,t_C,h_kJ_kg,s_kJ_kgK,\n"
         "        v_m3_kg,x,ts_C,r_kJ_kg,mu_Pa_s,nu_m2_s,ok,message; t, h, s, v, r, mu, nu to\n"
         "        liczby z okienek (mu i nu w Pa s i m2/s), p_MPa = pParyWe, x = xPary,\n"
         "        ts_C = tNasPary; przy ok = false pola liczb są puste\n\n"
         "Z --reference if97 (IF97 dostaje dokładnie liczby, które równania wzięły z okienek;\n"
         "okienko, z którego nie wzięły liczby, np. \"1e1\" po pytaniu korekty, daje odmowę IF97):\n"
         "  json  dodatkowo \"if97\": {region (1, 2, 3; 4 para mokra), p [MPa], t, h, s, v, x (tylko\n"
         "        para mokra), mu [Pa s] (para mokra: null), dp (t,h i t,s: o ile ciśnienie jest\n"
         "        nieokreślone, MPa), error (null albo powód odmowy)} i \"diff\": {p, t, h, s, v, mu}\n"
         "        = wynik kalkulatora - IF97 (null, gdy którejś wartości brak)\n"
         "  csv   kolumny na końcu: if97_region, if97_p_MPa, if97_t_C, if97_h_kJ_kg, if97_s_kJ_kgK,\n"
         "        if97_v_m3_kg, if97_x, if97_mu_Pa_s, if97_error, if97_diff_p_MPa, if97_diff_t_C,\n"
         "        if97_diff_h_kJ_kg, if97_diff_s_kJ_kgK, if97_diff_v_m3_kg, if97_diff_mu_Pa_s\n"
         "  text  wiersz z obszarem IF97 i druga kolumna z wartościami IF97\n"
         "Nigdzie nie pojawia się NaN: brak wartości to null (json) albo puste pole.\n\n"
         "Rozprężanie w odcinku turbiny (is, jak okno \"Wykres I-S\"):\n"
         "  is P1 T1 P2 [--t2 T2 | --eta ETA | --h2 H2]\n"
         "                         w --batch: is P1 T1 P2 [t2=T2 | eta=ETA | h2=H2]\n"
         "  Wlot 1 to stan z pary p,t (P1 w jednostce --unit, T1 w °C), P2 to ciśnienie pary\n"
         "  wylotowej w kPa; punkt 2s z pary p,s dla (p2, s1), punkt 2 z temperatury T2 (para\n"
         "  przegrzana, para p,t), ze sprawności wewnętrznej ETA (ułamek z (0, 1], para p,h przy\n"
         "  h1 - ETA*Δhs) albo z entalpii H2 w kJ/kg (para mokra z bilansu cieplnego, para p,h\n"
         "  przy (p2, H2)); bez T2, ETA i H2 tylko 2s. Liczby z przecinkiem albo kropką.\n"
         "  Wylot zmierzony (T2, H2) poniżej końca izentropy (s2 < s1, Δh <= 0, ηi > 100 %) to\n"
         "  błąd pomiaru: liczby zostają, ale ok jest false, unphysical true i komunikat mówi,\n"
         "  co jest niemożliwe (kod wyjścia 1). Punkt 2s leży na p2; w parze mokrej równania\n"
         "  liczą go w całostopniowej temperaturze nasycenia p2 (saturation_2s: t i jej p).\n"
         "  json: line, kind \"is\", input [P1, T1, P2, T2|ETA|H2|null], mode (t2, eta, h2 albo\n"
         "        null), ok, unphysical, inlet, isentropic, saturation_2s ({t, p} albo null),\n"
         "        actual ({p, t, h, s, v, x} albo null; p w MPa), exhaust_kPa, dh_s, dh, eta,\n"
         "        messages, error; liczby z 9 cyframi znaczącymi\n"
         "  csv:  własny nagłówek (line,kind,P1,T1,P2_kPa,mode,value,p1_MPa,...,dh_s,dh,eta,ok,\n"
         "        message), wypisywany przed pierwszym wierszem is; błędny wiersz is też w tym\n"
         "        układzie (jego tekst w P1, ok false, powód w message)\n"
         "  text: punkty 1, 2s, 2, spadki Δhs, Δh i sprawność ηi w %\n"
         "  Z --reference if97 te same P1, T1, P2 i T2/ETA/H2 wg IF97 (1 z p,t; 2s z p,s przy\n"
         "  p2 = P2/1000 MPa i s1 z IF97; 2 z p,t, z p,h przy h1 - ETA*Δhs z IF97 albo z p,h\n"
         "  przy (p2, H2)); IF97 bierze dokładnie te liczby, które przyjęły równania (okienko\n"
         "  bez liczby: IF97 nie liczy):\n"
         "  json: \"if97\": {inlet, isentropic, actual ({region, p, t, h, s, v, x} albo null),\n"
         "        dh_s, dh, eta, unphysical, error} i \"diff\": {inlet, isentropic,\n"
         "        actual ({p, t, h, s, x}),\n"
         "        dh_s, dh, eta} = wynik kalkulatora - IF97 (x tylko dla pary mokrej po obu stronach)\n"
         "  csv:  po message kolumny if97_p1_MPa ... if97_eta, if97_error, if97_diff_p1_MPa ...\n"
         "        if97_diff_eta (te same nazwy co kolumny kalkulatora)\n"
         "  text: pod każdym punktem wiersz IF97, przy Δhs, Δh, ηi druga kolumna i różnica\n\n"
         "ok jest false, gdy pokazało się jakiekolwiek okno komunikatu, wystąpił błąd wykonania,\n"
         "ustawiony jest znacznik Blad albo komenda wyczyściła Blad i pominęła wyniki bez\n"
         "komunikatu (skipped: true, okienka wyników puste).\n\n"
         "Wiersz dłuższy niż 4096 bajtów jest błędnym wierszem (w wyniku jego początek).\n"
         "Znak BOM UTF-8 na początku wejścia jest pomijany. W CSV pole tekstowe zaczynające\n"
         "się od = + - @ lub tabulatora (a nie będące liczbą) dostaje na początku apostrof,\n"
         "żeby arkusz nie wziął go za formułę.\n\n"
         "Kod wyjścia: 0 gdy wszystkie obliczenia ok, 1 gdy któreś nie, 2 przy błędnym\n"
         "wywołaniu, 3 gdy nie udał się zapis wyników (np. pełny dysk), odczyt wejścia\n"
         "albo zabrakło pamięci; wyniki obliczone wcześniej są wtedy zapisane.\n\n"
         "Przykłady:\n"
         "  kalorimo-calc p,t 10 500\n"
         "  kalorimo-calc --format json is 10 500 5 --eta 0,85\n"
         "  kalorimo-calc is 10 500 5 --h2 2350\n"
         "  printf 'p,t 10 500\\nh,s 3000 7\\n' | kalorimo-calc --unit bar --format csv --batch\n";
}

ArgsStatus ParseArgs(int argc, char** argv, Options& o, std::string& error) {
  static const option kLong[] = {
      {"data", required_argument, nullptr, 'd'},   {"unit", required_argument, nullptr, 'u'},
      {"locale", required_argument, nullptr, 'l'}, {"format", required_argument, nullptr, 'f'},
      {"batch", no_argument, nullptr, 'b'},        {"reference", required_argument, nullptr, 'r'},
      {"help", no_argument, nullptr, 'h'},         {nullptr, 0, nullptr, 0}};
  optind = 0;  // full re-initialisation, so the parser can run more than once in a process
  opterr = 0;
  int c;
  while ((c = getopt_long(argc, argv, "+:d:u:l:f:br:h", kLong, nullptr)) != -1) {
    int k = 0;
    switch (c) {
      case 'd':
        o.settings.dataDir = optarg;
        break;
      case 'u':
        if (!Choice(optarg, UnitNameList(), k)) {
          error = std::string("nieznana jednostka \"") + optarg + "\" (" + UnitNames(", ") + ")";
          return ArgsStatus::Usage;
        }
        o.settings.unitIndex = k;
        break;
      case 'l':
        if (!Choice(optarg, {"comma", "point"}, k)) {
          error = std::string("nieznany separator \"") + optarg + "\" (comma, point)";
          return ArgsStatus::Usage;
        }
        o.settings.decimalSep = k == 0 ? ',' : '.';
        break;
      case 'f':
        if (!Choice(optarg, {"text", "json", "csv"}, k)) {
          error = std::string("nieznany format \"") + optarg + "\" (text, json, csv)";
          return ArgsStatus::Usage;
        }
        o.format = static_cast<Format>(k);
        break;
      case 'b':
        o.batch = true;
        break;
      case 'r':
        if (!Choice(optarg, {"if97"}, k)) {
          error = std::string("nieznane odniesienie \"") + optarg + "\" (if97)";
          return ArgsStatus::Usage;
        }
        o.settings.referenceIf97 = true;
        break;
      case 'h':
        return ArgsStatus::Help;
      case ':':
        error = std::string("opcja ") + argv[optind - 1] + " wymaga wartości";
        return ArgsStatus::Usage;
      default:
        error = std::string("nieznana opcja ") + argv[optind - 1];
        return ArgsStatus::Usage;
    }
  }
  int rest = argc - optind;
  if (o.batch) {
    if (rest != 0) {
      error = "przy --batch obliczenia czytane są ze standardowego wejścia, bez PARA A B";
      return ArgsStatus::Usage;
    }
    return ArgsStatus::Run;
  }
  if (rest >= 1 && (std::string(argv[optind]) == "is" || std::string(argv[optind]) == "IS")) {
    o.request.is = true;
    return ParseIs(std::vector<std::string>(argv + optind + 1, argv + argc), true, o.request.isRequest, error)
               ? ArgsStatus::Run
               : ArgsStatus::Usage;
  }
  if (rest != 3) {
    error = rest == 0 ? "brak PARA A B" : "oczekiwano PARA A B, podano " + std::to_string(rest) + " argument(y/ów)";
    return ArgsStatus::Usage;
  }
  bool swapped = false;
  if (!ParsePair(argv[optind], o.request.pair, swapped)) {
    error = std::string("nieznana para \"") + argv[optind] + "\"";
    return ArgsStatus::Usage;
  }
  o.request.a = argv[optind + (swapped ? 2 : 1)];
  o.request.b = argv[optind + (swapped ? 1 : 2)];
  return ArgsStatus::Run;
}

}  // namespace kal::cli
