// "turbine calc": every (or one) campaign of a turbine document, as JSON lines, CSV rows or Polish
// text blocks.
#include <cmath>
#include <nlohmann/json.hpp>

#include "cli/output.h"
#include "cli/run.h"
#include "cli/turbine.h"
#include "common/number_text.h"
#include "turbiny/obliczenia.h"
#include "turbiny/raport_tabele.h"

namespace kal::cli {

namespace {

using turbiny::ParaEta;
using turbiny::WynikKampanii;
using turbiny::WynikOdcinka;

std::string D9(double v) { return Text9(v, "null"); }

std::string D9(const std::optional<double>& v) { return v ? D9(*v) : "null"; }

std::string F9(float v) { return std::isfinite(v) ? Num9(v) : "null"; }

std::string Js(const std::string& s) {
  return nlohmann::json(s).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::string JsOpt(const std::optional<std::string>& s) { return s ? Js(*s) : "null"; }

std::string Bool(bool b) { return b ? "true" : "false"; }

std::string PunktJson(const std::optional<Punkt>& p) {
  if (!p) return "null";
  return "{\"p\":" + F9(p->p) + ",\"t\":" + F9(p->t) + ",\"h\":" + F9(p->h) + ",\"s\":" + F9(p->s) +
         ",\"v\":" + F9(p->v) + ",\"x\":" + F9(p->x) + "}";
}

std::string PunktJson(const std::optional<if97::Result>& q) {
  if (!q) return "null";
  return "{\"region\":" + std::to_string(q->region) + ",\"p\":" + D9(q->p) + ",\"t\":" + D9(q->t) +
         ",\"h\":" + D9(q->h) + ",\"s\":" + D9(q->s) + ",\"v\":" + D9(q->v) +
         ",\"x\":" + (q->region == 4 ? D9(q->x) : std::string("null")) + "}";
}

std::string ParaJson(const std::optional<ParaEta>& p) {
  return p ? "{\"fits\":" + D9(p->fits) + ",\"if97\":" + D9(p->if97) + "}" : "null";
}

// The numbers each formulation has for a section (nullopt where it has none).
struct Spadki {
  std::optional<double> dhs, dh, eta;
};

Spadki Fits(const WynikOdcinka& o) {
  Spadki s;
  if (o.fits.izentropa) s.dhs = o.fits.dhs;
  s.dh = o.fits.dh;
  s.eta = o.fits.eta;
  return s;
}

Spadki If97(const WynikOdcinka& o) { return {o.if97.dhs, o.if97.dh, o.if97.eta}; }

std::optional<double> Roznica(const std::optional<double>& a, const std::optional<double>& b) {
  if (a && b) return *a - *b;
  return std::nullopt;
}

std::optional<Punkt> WlotFits(const WynikOdcinka& o) {
  if (o.fitsWlot) return o.fits.wlot;
  return std::nullopt;
}

void SekcjaJson(std::string& out, const WynikOdcinka& o) {
  const Spadki f = Fits(o), g = If97(o);
  out += "{\"name\":" + Js(o.nazwa) + ",\"inlet\":" + Js(o.wlot) + ",\"exhaust\":" + Js(o.wylot) +
         ",\"ok\":" + Bool(o.ok) + ",\"message\":" + (o.komunikat.empty() ? "null" : Js(o.komunikat));
  out += ",\"fits\":{\"inlet\":" + PunktJson(WlotFits(o)) + ",\"isentropic\":" + PunktJson(o.fits.izentropa) +
         ",\"actual\":" + PunktJson(o.fits.rzeczywisty) + ",\"dh_s\":" + D9(f.dhs) + ",\"dh\":" + D9(f.dh) +
         ",\"eta\":" + D9(f.eta) + "}";
  out += ",\"if97\":{\"inlet\":" + PunktJson(o.if97.wlot) + ",\"isentropic\":" + PunktJson(o.if97.izentropa) +
         ",\"actual\":" + PunktJson(o.if97.rzeczywisty) + ",\"dh_s\":" + D9(g.dhs) + ",\"dh\":" + D9(g.dh) +
         ",\"eta\":" + D9(g.eta) + "}";
  out += ",\"diff\":{\"dh_s\":" + D9(Roznica(f.dhs, g.dhs)) + ",\"dh\":" + D9(Roznica(f.dh, g.dh)) +
         ",\"eta\":" + D9(Roznica(f.eta, g.eta)) + "}";
  const bool budzet = o.budzet && o.budzet->ok;
  out += ",\"U95_eta\":" + (budzet ? D9(o.budzet->U95) : std::string("null")) + ",\"budget\":[";
  if (budzet) {
    bool first = true;
    for (const turbiny::SkladnikBudzetu& s : o.budzet->skladniki) {
      out += (first ? "" : ",") + std::string("{\"input\":") + Js(s.wejscie) + ",\"c\":" + D9(s.c) +
             ",\"u\":" + D9(s.u) + ",\"share\":" + D9(s.udzial) + "}";
      first = false;
    }
  }
  out += "],\"dominant\":" + (budzet && !o.budzet->dominujace.empty() ? Js(o.budzet->dominujace) : "null");
  out += ",\"eta_design\":" + D9(o.etaProjekt) + ",\"d_eta_design\":" + ParaJson(o.dEtaProjekt);
  out += ",\"baseline\":" + JsOpt(o.baza) + ",\"d_eta_baseline\":" + ParaJson(o.dEtaBaza) +
         ",\"U95_d_eta_baseline\":" + D9(o.U95dEtaBaza) + ",\"significant\":";
  out += o.istotne ? "{\"fits\":" + Bool(o.istotne->first) + ",\"if97\":" + Bool(o.istotne->second) + "}" : "null";
  out += "}";
}

void KampaniaJson(std::string& out, const WynikKampanii& w) {
  out += "{\"kind\":\"turbine\",\"turbine\":" + Js(w.turbina) + ",\"campaign\":" + Js(w.kampania) +
         ",\"date\":" + Js(w.data) + ",\"ok\":" + Bool(w.ok) + ",\"messages\":[";
  for (std::size_t i = 0; i < w.komunikaty.size(); ++i) out += (i ? "," : "") + Js(w.komunikaty[i]);
  out += "],\"sections\":[";
  for (std::size_t i = 0; i < w.odcinki.size(); ++i) {
    if (i) out += ",";
    SekcjaJson(out, w.odcinki[i]);
  }
  out += "]}\n";
}

// CSV: numbers with 9 significant digits and a decimal point, empty where there is none.
std::string C9(const std::optional<double>& v) { return v && std::isfinite(*v) ? D9(*v) : ""; }
std::string C9(double v) { return std::isfinite(v) ? D9(v) : ""; }
std::string C9f(float v) { return std::isfinite(v) ? Num9(v) : ""; }

const char* const kPunktyCsv[] = {"p1_MPa", "t1_C",   "h1",   "s1", "x1", "p2s_MPa", "t2s_C", "h2s", "s2s",
                                  "x2s",    "p2_MPa", "t2_C", "h2", "s2", "x2",      "dh_s",  "dh",  "eta"};

void NaglowekCsv(std::string& out) {
  out += "turbine,campaign,date,kind,section,inlet,exhaust,ok,message";
  for (const char* f : {"fits_", "if97_"})
    for (const char* k : kPunktyCsv) out += std::string(",") + f + k;
  out +=
      ",diff_dh_s,diff_dh,diff_eta,U95_eta,dominant,dominant_share,eta_design,d_eta_design_fits,d_eta_design_if97,"
      "baseline,d_eta_baseline_fits,d_eta_baseline_if97,U95_d_eta_baseline,significant_fits,significant_if97\n";
}

void WierszCsv(std::string& out, const WynikKampanii& w, const WynikOdcinka& o) {
  auto pole = [&](const std::string& s) {
    out += ',';
    CsvText(out, s);
  };
  CsvText(out, w.turbina);
  pole(w.kampania);
  pole(w.data);
  pole(turbiny::NazwaRodzaju(w.rodzaj));
  pole(o.nazwa);
  pole(o.wlot);
  pole(o.wylot);
  out += o.ok ? ",true" : ",false";
  pole(o.komunikat);
  auto punktF = [&](const std::optional<Punkt>& p, bool wlot) {
    if (!p) {
      out += ",,,,,";
      return;
    }
    out += "," + C9f(p->p) + "," + C9f(p->t) + "," + C9f(p->h) + "," + C9f(p->s) + ",";
    if (!wlot) out += C9f(p->x);
  };
  auto punktG = [&](const std::optional<if97::Result>& q) {
    if (!q) {
      out += ",,,,,";
      return;
    }
    out += "," + C9(q->p) + "," + C9(q->t) + "," + C9(q->h) + "," + C9(q->s) + ",";
    if (q->region == 4) out += C9(q->x);
  };
  const Spadki f = Fits(o), g = If97(o);
  punktF(WlotFits(o), true);
  punktF(o.fits.izentropa, false);
  punktF(o.fits.rzeczywisty, false);
  out += "," + C9(f.dhs) + "," + C9(f.dh) + "," + C9(f.eta);
  punktG(o.if97.wlot);
  punktG(o.if97.izentropa);
  punktG(o.if97.rzeczywisty);
  out += "," + C9(g.dhs) + "," + C9(g.dh) + "," + C9(g.eta);
  out += "," + C9(Roznica(f.dhs, g.dhs)) + "," + C9(Roznica(f.dh, g.dh)) + "," + C9(Roznica(f.eta, g.eta));
  const bool budzet = o.budzet && o.budzet->ok;
  out += "," + (budzet ? C9(o.budzet->U95) : std::string());
  pole(budzet ? o.budzet->dominujace : "");
  std::optional<double> udzial;
  if (budzet)
    for (const turbiny::SkladnikBudzetu& s : o.budzet->skladniki)
      if (s.wejscie == o.budzet->dominujace) udzial = s.udzial;
  out += "," + C9(udzial) + "," + C9(o.etaProjekt);
  out += "," + (o.dEtaProjekt ? C9(o.dEtaProjekt->fits) + "," + C9(o.dEtaProjekt->if97) : std::string(","));
  pole(o.baza.value_or(""));
  out += "," + (o.dEtaBaza ? C9(o.dEtaBaza->fits) + "," + C9(o.dEtaBaza->if97) : std::string(","));
  out += "," + C9(o.U95dEtaBaza);
  out += o.istotne ? "," + Bool(o.istotne->first) + "," + Bool(o.istotne->second) : std::string(",,");
  out += "\n";
}

// Text: Polish, decimal comma.
constexpr char kSep = ',';

// The report shares these texts, so its numbers are the ones printed here.
std::string Proc(double fraction) { return turbiny::TekstProcent(fraction); }

// A difference of efficiencies, in percentage points with its sign.
std::string PunktyProc(double roznica) { return turbiny::TekstPunktyProcentowe(roznica); }

const char* RodzajTekst(turbiny::RodzajKampanii r) { return turbiny::TekstRodzaju(r); }

void WierszPunktu(std::string& out, const char* nazwa, const char* wzor, double p, double t, double h, double s,
                  std::optional<double> x) {
  char buf[220];
  std::snprintf(buf, sizeof buf, "    %-3s %-8s p %s MPa  t %s °C  h %s kJ/kg  s %s kJ/(kg K)%s\n", nazwa, wzor,
                kal::Format(p, "#0.000##", kSep).c_str(), kal::Format(t, "##0.0", kSep).c_str(),
                kal::Format(h, "# ##0.0", kSep).c_str(), kal::Format(s, "0.0000", kSep).c_str(),
                x ? ("  x " + kal::Format(*x, "0.000", kSep)).c_str() : "");
  out += buf;
}

void OdcinekTekst(std::string& out, const WynikOdcinka& o) {
  out += "  Odcinek " + o.nazwa + " (" + o.wlot + " → " + o.wylot + ")" + (o.ok ? "" : "  — ODRZUCONY") + "\n";
  auto fits = [&](const char* n, const std::optional<Punkt>& p) {
    if (p)
      WierszPunktu(out, n, "równania", p->p, p->t, p->h, p->s, p->x < 1 ? std::optional<double>(p->x) : std::nullopt);
  };
  auto if97 = [&](const char* n, const std::optional<if97::Result>& q) {
    if (q)
      WierszPunktu(out, n, "IF97", q->p, q->t, q->h, q->s, q->region == 4 ? std::optional<double>(q->x) : std::nullopt);
  };
  fits("1", WlotFits(o));
  if97("1", o.if97.wlot);
  fits("2s", o.fits.izentropa);
  if97("2s", o.if97.izentropa);
  fits("2", o.fits.rzeczywisty);
  if97("2", o.if97.rzeczywisty);
  const Spadki f = Fits(o), g = If97(o);
  auto spadek = [&](const char* nazwa, const std::optional<double>& a, const std::optional<double>& b) {
    if (!a && !b) return;
    std::string l = std::string("    ") + nazwa;
    auto kj = turbiny::TekstKJ;
    l += a ? kj(*a) : "—";
    l += "   IF97 " + (b ? kj(*b) : "—");
    if (a && b) l += "   różnica " + kj(*a - *b);
    out += l + "\n";
  };
  spadek("Δhs = ", f.dhs, g.dhs);
  spadek("Δh  = ", f.dh, g.dh);
  if (f.eta || g.eta) {
    out += "    ηi  = " + (f.eta ? Proc(*f.eta) : "—") + "   IF97 " + (g.eta ? Proc(*g.eta) : "—");
    if (f.eta && g.eta) out += "   różnica " + PunktyProc(*f.eta - *g.eta);
    out += "\n";
  }
  if (o.budzet && o.budzet->ok) {
    const turbiny::Budzet& b = *o.budzet;
    out += "    U95(ηi) = " + Proc(b.U95) + " (k = 2)";
    if (!b.dominujace.empty()) out += ", przeważa " + b.dominujace;
    out += "\n    budżet:";
    for (std::size_t i = 0; i < b.skladniki.size(); ++i)
      out += (i ? ", " : " ") + b.skladniki[i].wejscie + " " + Proc(b.skladniki[i].udzial);
    out += "\n";
  }
  if (o.dEtaProjekt)
    out += "    względem projektu (" + Proc(*o.etaProjekt) + "): " + PunktyProc(o.dEtaProjekt->fits) + " (równania), " +
           PunktyProc(o.dEtaProjekt->if97) + " (IF97)\n";
  if (o.dEtaBaza) {
    out += "    względem pomiaru bazowego " + *o.baza + ": " + PunktyProc(o.dEtaBaza->fits) + " (równania), " +
           PunktyProc(o.dEtaBaza->if97) + " (IF97)";
    if (o.U95dEtaBaza) {
      out += ", U95 " + PunktyProc(*o.U95dEtaBaza).substr(1) + (o.zachowawczo ? " (zachowawczo)" : "");
      out += o.istotne->first || o.istotne->second
                 ? std::string(" — różnica istotna") + (o.istotne->first && o.istotne->second ? ""
                                                        : o.istotne->first                    ? " (równania)"
                                                                                              : " (IF97)")
                 : " — różnica nieistotna";
    }
    out += "\n";
  }
  if (!o.komunikat.empty()) out += "    ! " + o.komunikat + "\n";
}

void KampaniaTekst(std::string& out, const WynikKampanii& w, const turbiny::Kampania& k) {
  out += "Turbina " + w.turbina + " — pomiar " + w.kampania + ", " + w.data + ", " + RodzajTekst(w.rodzaj);
  if (!k.etykieta.empty()) out += " (" + k.etykieta + ")";
  if (k.mocMW) {
    std::string m = kal::Format(*k.mocMW, "# ##0.0", kSep);
    while (!m.empty() && m.front() == ' ') m.erase(0, 1);
    out += ", " + m + " MW";
  }
  out += "\n";
  out += "  pomiar bazowy: " + (w.baza ? *w.baza : std::string("brak")) + "\n";
  for (const WynikOdcinka& o : w.odcinki) OdcinekTekst(out, o);
  for (const std::string& m : w.komunikaty) out += "  ! " + m + "\n";
  out += w.ok ? "  wynik: wszystkie odcinki poprawne\n\n" : "  wynik: nie wszystkie odcinki poprawne\n\n";
}

}  // namespace

int TurbineCalc(const turbiny::Dokument& doc, const std::optional<std::string>& campaign, Format format, std::FILE* out,
                std::FILE* err) {
  std::vector<WynikKampanii> wyniki;
  std::vector<std::size_t> indeksy;
  if (campaign) {
    std::size_t i = 0;
    while (i < doc.kampanie.size() && doc.kampanie[i].id != *campaign) ++i;
    if (i == doc.kampanie.size()) {
      std::fprintf(err, "kalorimo-calc turbine calc: brak pomiaru \"%s\" w dokumencie turbiny %s\n", campaign->c_str(),
                   doc.turbina.nazwa.c_str());
      return kExitUsage;
    }
    wyniki.push_back(turbiny::ObliczKampanie(doc, i));
    indeksy.push_back(i);
  } else {
    wyniki = turbiny::ObliczWszystkie(doc);
    for (std::size_t i = 0; i < doc.kampanie.size(); ++i) indeksy.push_back(i);
  }
  std::string text;
  if (format == Format::Csv) NaglowekCsv(text);
  if (format == Format::Text && wyniki.empty()) text += "Turbina " + doc.turbina.nazwa + ": brak pomiarów\n";
  bool ok = true;
  for (std::size_t n = 0; n < wyniki.size(); ++n) {
    const WynikKampanii& w = wyniki[n];
    ok = ok && w.ok;
    if (format == Format::Json) {
      KampaniaJson(text, w);
    } else if (format == Format::Csv) {
      for (const WynikOdcinka& o : w.odcinki) WierszCsv(text, w, o);
    } else {
      KampaniaTekst(text, w, doc.kampanie[indeksy[n]]);
    }
  }
  if (std::fwrite(text.data(), 1, text.size(), out) != text.size() || std::fflush(out) != 0) {
    std::fputs("kalorimo-calc turbine calc: nie można zapisać wyników\n", err);
    return kExitIo;
  }
  return ok ? kExitOk : kExitFailed;
}

}  // namespace kal::cli
