// "Eksport XLSX…": the sheets "Odczyty", "Wyniki" and "Trend", numbers as numbers and dates as the
// spreadsheet's dates, written by libxlsxwriter into a scratch folder and then over the target.
#include <xlsxwriter.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <optional>
#include <set>
#include <string>

#include "gui/turbina_raport.h"
#include "gui/turbina_raport_zapis.h"
#include "turbiny/czas.h"
#include "turbiny/raport_tabele.h"

namespace kal {

namespace {

using turbiny::WynikKampanii;
using turbiny::WynikOdcinka;

struct Formaty {
  lxw_format* naglowek = nullptr;
  lxw_format* data = nullptr;
  lxw_format* procent = nullptr;
  lxw_format* liczba = nullptr;
};

// "2025-10-14T10:00" as the spreadsheet's date and time; nullopt for a text of another shape.
std::optional<lxw_datetime> DataArkusza(const std::string& data) {
  const std::optional<double> sekundy = turbiny::SekundyDatyKampanii(data);
  if (!sekundy) return std::nullopt;
  const std::optional<std::string> k = turbiny::TekstIso(*sekundy);  // YYYY-MM-DDThh:mm:ss[.fff]
  if (k->size() < 19) return std::nullopt;
  auto liczba = [&](std::size_t od, std::size_t ile) { return std::stoi(k->substr(od, ile)); };
  lxw_datetime d{};
  d.year = liczba(0, 4);
  d.month = liczba(5, 2);
  d.day = liczba(8, 2);
  d.hour = liczba(11, 2);
  d.min = liczba(14, 2);
  d.sec = std::stod(k->substr(17));
  if (d.year < 1900) return std::nullopt;
  return d;
}

// One sheet filled row by row.
class Arkusz {
 public:
  Arkusz(lxw_workbook* wb, const char* nazwa, const Formaty& f) : ws_(workbook_add_worksheet(wb, nazwa)), f_(f) {}
  bool ok() const { return ws_ != nullptr; }

  void naglowek(const std::vector<std::string>& teksty) {
    for (const std::string& t : teksty) tekst(t, f_.naglowek);
    nowyWiersz();
  }
  void tekst(const std::string& t, lxw_format* f = nullptr) {
    if (!t.empty()) worksheet_write_string(ws_, w_, k_, t.c_str(), f);
    ++k_;
  }
  void liczba(const std::optional<double>& v, lxw_format* f = nullptr) {
    if (v && std::isfinite(*v)) worksheet_write_number(ws_, w_, k_, *v, f ? f : f_.liczba);
    ++k_;
  }
  void procent(const std::optional<double>& v) { liczba(v, f_.procent); }
  void logiczna(const std::optional<bool>& v) {
    if (v) worksheet_write_boolean(ws_, w_, k_, *v ? 1 : 0, nullptr);
    ++k_;
  }
  void data(const std::string& t) {
    if (std::optional<lxw_datetime> d = DataArkusza(t)) {
      worksheet_write_datetime(ws_, w_, k_, &*d, f_.data);
      ++k_;
    } else {
      tekst(t);
    }
  }
  void nowyWiersz() {
    ++w_;
    k_ = 0;
  }
  void szerokosci(double pierwsza, double reszta, lxw_col_t ile) {
    worksheet_set_column(ws_, 0, 0, pierwsza, nullptr);
    if (ile > 1) worksheet_set_column(ws_, 1, static_cast<lxw_col_t>(ile - 1), reszta, nullptr);
    worksheet_freeze_panes(ws_, 1, 0);
  }

 private:
  lxw_worksheet* ws_;
  const Formaty& f_;
  lxw_row_t w_ = 0;
  lxw_col_t k_ = 0;
};

std::optional<double> Opt(bool jest, double v) { return jest ? std::optional<double>(v) : std::nullopt; }

void Odczyty(Arkusz& a, const turbiny::Dokument& d, const turbiny::Kampania& k) {
  a.naglowek({"Turbina", "Pomiar", "Data", "Rodzaj", "Punkt", "Nazwa punktu", "p", "Jednostka p", "Nadciśnienie",
              "u losowe p", "t [°C]", "u losowe t [K]", "h [kJ/kg]", "U(h) [kJ/kg]", "n", "Ciśnienie otoczenia [kPa]"});
  for (const turbiny::PunktPomiarowy& p : d.turbina.punkty) {
    a.tekst(d.turbina.nazwa);
    a.tekst(k.id);
    a.data(k.data);
    a.tekst(turbiny::TekstRodzaju(k.rodzaj));
    a.tekst(p.id);
    a.tekst(p.nazwa);
    auto it = k.odczyty.find(p.id);
    const turbiny::Odczyt o = it == k.odczyty.end() ? turbiny::Odczyt{} : it->second;
    a.liczba(o.p);
    a.tekst(p.jednostkaP);
    a.logiczna(p.nadcisnienie);
    a.liczba(o.u_p_random);
    a.liczba(o.t);
    a.liczba(o.u_t_random);
    a.liczba(o.h);
    a.liczba(o.U_h);
    a.liczba(o.n ? std::optional<double>(static_cast<double>(*o.n)) : std::nullopt);
    a.liczba(k.otoczenieKPa);
    a.nowyWiersz();
  }
  a.szerokosci(10, 14, 16);
}

void Wyniki(Arkusz& a, const WynikKampanii& w) {
  a.naglowek({"Pomiar",
              "Data",
              "Odcinek",
              "Wlot",
              "Wylot",
              "Poprawny",
              "Δhs równania [kJ/kg]",
              "Δhs IF97 [kJ/kg]",
              "Δh równania [kJ/kg]",
              "Δh IF97 [kJ/kg]",
              "Sprawność ηi równania",
              "Sprawność ηi IF97",
              "Różnica ηi",
              "U95 ηi (k = 2)",
              "Przeważa",
              "ηi projektowa",
              "Δ projekt równania",
              "Δ projekt IF97",
              "Pomiar bazowy",
              "Δ baza równania",
              "Δ baza IF97",
              "U95 Δ baza",
              "Istotna równania",
              "Istotna IF97",
              "Uwagi"});
  for (const WynikOdcinka& o : w.odcinki) {
    const bool budzet = o.budzet && o.budzet->ok;
    a.tekst(w.kampania);
    a.data(w.data);
    a.tekst(o.nazwa);
    a.tekst(o.wlot);
    a.tekst(o.wylot);
    a.logiczna(o.ok);
    a.liczba(Opt(o.fits.izentropa.has_value(), o.fits.dhs));
    a.liczba(o.if97.dhs);
    a.liczba(o.fits.dh);
    a.liczba(o.if97.dh);
    a.procent(o.fits.eta);
    a.procent(o.if97.eta);
    a.procent(o.maEta() ? std::optional<double>(*o.fits.eta - *o.if97.eta) : std::nullopt);
    a.procent(Opt(budzet, budzet ? o.budzet->U95 : 0));
    a.tekst(budzet ? o.budzet->dominujace : "");
    a.procent(o.etaProjekt);
    a.procent(Opt(o.dEtaProjekt.has_value(), o.dEtaProjekt ? o.dEtaProjekt->fits : 0));
    a.procent(Opt(o.dEtaProjekt.has_value(), o.dEtaProjekt ? o.dEtaProjekt->if97 : 0));
    a.tekst(o.baza.value_or(""));
    a.procent(Opt(o.dEtaBaza.has_value(), o.dEtaBaza ? o.dEtaBaza->fits : 0));
    a.procent(Opt(o.dEtaBaza.has_value(), o.dEtaBaza ? o.dEtaBaza->if97 : 0));
    a.procent(o.U95dEtaBaza);
    a.logiczna(o.istotne ? std::optional<bool>(o.istotne->first) : std::nullopt);
    a.logiczna(o.istotne ? std::optional<bool>(o.istotne->second) : std::nullopt);
    a.tekst(o.niefizyczne && o.komunikat.empty() ? "niefizyczne — sprawdź pomiary" : o.komunikat);
    a.nowyWiersz();
  }
  a.szerokosci(14, 13, 25);
}

// Every campaign a row; per section (in the turbine's order) ηi by both formulations and U95.
void Trend(Arkusz& a, const turbiny::Dokument& d, const std::vector<WynikKampanii>& wyniki) {
  std::vector<std::string> h{"Pomiar", "Data", "Rodzaj"};
  for (const turbiny::Odcinek& o : d.turbina.odcinki) {
    h.push_back(o.nazwa + " ηi równania");
    h.push_back(o.nazwa + " ηi IF97");
    h.push_back(o.nazwa + " U95");
  }
  a.naglowek(h);
  for (const WynikKampanii& w : wyniki) {
    a.tekst(w.kampania);
    a.data(w.data);
    a.tekst(turbiny::TekstRodzaju(w.rodzaj));
    for (const turbiny::Odcinek& s : d.turbina.odcinki) {
      const WynikOdcinka* o = nullptr;
      for (const WynikOdcinka& x : w.odcinki)
        if (x.nazwa == s.nazwa) o = &x;
      const bool budzet = o && o->budzet && o->budzet->ok;
      a.procent(o ? o->fits.eta : std::nullopt);
      a.procent(o ? o->if97.eta : std::nullopt);
      a.procent(Opt(budzet, budzet ? o->budzet->U95 : 0));
    }
    a.nowyWiersz();
  }
  a.szerokosci(14, 16, static_cast<lxw_col_t>(h.size()));
}

}  // namespace

bool EksportXlsx(const turbiny::Dokument& d, const std::vector<turbiny::WynikKampanii>& wyniki, std::size_t indeks,
                 const QString& path, QString& blad) {
  if (!SprawdzIndeks(indeks, d.kampanie.size(), wyniki.size(), blad)) return false;
  QTemporaryDir robocze;
  if (!robocze.isValid()) {
    blad = QStringLiteral("Nie można utworzyć skoroszytu „%1”: brak miejsca na plik roboczy (%2).")
               .arg(path, robocze.errorString());
    return false;
  }
  const QString tymczasowy = robocze.filePath(QStringLiteral("eksport.xlsx"));
  lxw_workbook_options opcje{};
  const QByteArray folder = QFile::encodeName(robocze.path());
  opcje.tmpdir = const_cast<char*>(folder.constData());
  lxw_workbook* wb = workbook_new_opt(QFile::encodeName(tymczasowy).constData(), &opcje);
  if (!wb) {
    blad = QStringLiteral("Nie można utworzyć skoroszytu „%1”: biblioteka arkuszy odmówiła pracy.").arg(path);
    return false;
  }
  Formaty f;
  f.naglowek = workbook_add_format(wb);
  format_set_bold(f.naglowek);
  format_set_bg_color(f.naglowek, 0xE4E8F0);
  format_set_text_wrap(f.naglowek);
  f.data = workbook_add_format(wb);
  format_set_num_format(f.data, "dd.mm.yyyy hh:mm");
  f.procent = workbook_add_format(wb);
  format_set_num_format(f.procent, "0.00%");
  f.liczba = workbook_add_format(wb);
  format_set_num_format(f.liczba, "General");
  {
    Arkusz odczyty(wb, "Odczyty", f), wyn(wb, "Wyniki", f), trend(wb, "Trend", f);
    if (odczyty.ok() && wyn.ok() && trend.ok()) {
      Odczyty(odczyty, d, d.kampanie[indeks]);
      Wyniki(wyn, wyniki[indeks]);
      Trend(trend, d, wyniki);
    }
  }
  const lxw_error e = workbook_close(wb);
  if (e != LXW_NO_ERROR) {
    blad = QStringLiteral("Nie można utworzyć skoroszytu „%1”: %2.").arg(path, QString::fromUtf8(lxw_strerror(e)));
    return false;
  }
  QFile plik(tymczasowy);
  if (!plik.open(QIODevice::ReadOnly)) {
    blad = QStringLiteral("Nie można odczytać roboczego skoroszytu „%1”: %2.").arg(tymczasowy, plik.errorString());
    return false;
  }
  return ZapiszBajty(path, plik.readAll(), QStringLiteral("skoroszytu"), blad);
}

}  // namespace kal
