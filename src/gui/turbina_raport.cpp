#include "gui/turbina_raport.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <exception>

#include "gui/turbina_raport_zapis.h"
#include "gui/turbina_wyniki.h"
#include "turbiny/raport_tabele.h"

namespace kal {

namespace {

using turbiny::Tabela;

QString Q(const std::string& s) { return QString::fromStdString(s); }

// A text right-aligned in its cell: a number, a signed difference or the dash of a missing one.
bool Liczbowy(const std::string& s) {
  if (s.empty()) return false;
  const unsigned char c = static_cast<unsigned char>(s[0]);
  return (c >= '0' && c <= '9') || c == '+' || c == '-' || s.rfind("—", 0) == 0;
}

// The pages of the report top to bottom: a cursor that starts a new page when a block does not fit.
class Uklad {
 public:
  Uklad(QPdfWriter& w, QPainter& p, QString stopka) : w_(w), p_(p), stopka_(std::move(stopka)) {
    szer_ = w_.width();
    dol_ = w_.height() - mm(8);
    rysujStopke();
  }

  double mm(double v) const { return v * w_.resolution() / 25.4; }
  double szerokosc() const { return szer_; }

  QFont czcionka(double pt, bool gruba = false) const {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(pt);
    f.setBold(gruba);
    return f;
  }

  void wymagaj(double h) {
    if (y_ + h > dol_) nowaStrona();
  }

  void nowaStrona() {
    if (y_ == 0) return;
    w_.newPage();
    y_ = 0;
    ++strona_;
    rysujStopke();
  }

  void odstep(double v) { y_ += v; }

  // Lines of text, wrapped to the page's width.
  void akapit(const QString& t, double pt, bool gruba = false) {
    p_.setFont(czcionka(pt, gruba));
    const QRectF r = p_.boundingRect(QRectF(0, 0, szer_, 1e6), Qt::TextWordWrap, t);
    wymagaj(r.height());
    p_.setPen(Qt::black);
    p_.drawText(QRectF(0, y_, szer_, r.height()), Qt::TextWordWrap, t);
    y_ += r.height();
  }

  void tabela(const Tabela& t) {
    if (t.wiersze.empty()) return;
    const std::size_t n = t.naglowek.size();
    double pt = 8.0;
    std::vector<double> kol(n, 0);
    const double pad = mm(1.2);
    for (int proba = 0; proba < 12; ++proba) {  // smaller letters until the table fits the width
      const QFontMetricsF fm(czcionka(pt), &w_), fmb(czcionka(pt, true), &w_);
      for (std::size_t i = 0; i < n; ++i) {
        kol[i] = fmb.horizontalAdvance(Q(t.naglowek[i])) + 2 * pad;
        for (const auto& w : t.wiersze)
          if (i < w.size()) kol[i] = std::max(kol[i], fm.horizontalAdvance(Q(w[i])) + 2 * pad);
      }
      double suma = 0;
      for (double k : kol) suma += k;
      if (suma <= szer_ || pt <= 5.5) break;
      pt = std::max(5.5, pt * std::min(0.95, szer_ / suma));
    }
    const QFontMetricsF fm(czcionka(pt), &w_);
    const double wys = fm.height() * 1.45;
    akapitTytulu(Q(t.tytul), wys * 3);
    naglowekTabeli(t, kol, pt, wys, pad);
    for (const auto& w : t.wiersze) {
      if (y_ + wys > dol_) {
        wymagaj(wys * 2);
        naglowekTabeli(t, kol, pt, wys, pad);
      }
      p_.setFont(czcionka(pt));
      double x = 0;
      for (std::size_t i = 0; i < n && i < w.size(); ++i) {
        const QRectF c(x + pad, y_, kol[i] - 2 * pad, wys);
        p_.drawText(c, Qt::AlignVCenter | (i > 0 && Liczbowy(w[i]) ? Qt::AlignRight : Qt::AlignLeft), Q(w[i]));
        x += kol[i];
      }
      y_ += wys;
      p_.setPen(QPen(QColor(200, 200, 200), mm(0.15)));
      p_.drawLine(QPointF(0, y_), QPointF(x, y_));
      p_.setPen(Qt::black);
    }
    y_ += mm(4);
  }

  // A chart drawn by its widget into a picture of screen proportions, then onto the page, so its
  // lines and letters keep the sizes they have on screen.
  template <class Rysuj>
  void wykres(const QString& tytul, const QString& podpis, Rysuj rysuj) {
    const double h = szer_ * 0.62;
    akapitTytulu(tytul, h + mm(12));
    const QSize logiczny(900, static_cast<int>(900 * 0.62));
    const qreal gestosc = 3;
    QImage obraz(logiczny * gestosc, QImage::Format_RGB32);
    obraz.setDevicePixelRatio(gestosc);
    obraz.fill(Qt::white);
    {
      QPainter ip(&obraz);
      ip.setRenderHint(QPainter::Antialiasing);
      rysuj(ip, QRectF(QPointF(0, 0), QSizeF(logiczny)));
    }
    const QRectF cel(0, y_, szer_, h);
    p_.drawImage(cel, obraz);
    p_.setPen(QPen(QColor(160, 160, 160), mm(0.2)));
    p_.drawRect(cel);
    p_.setPen(Qt::black);
    y_ += h + mm(1.5);
    akapit(podpis, 7.5);
    y_ += mm(4);
  }

 private:
  void akapitTytulu(const QString& t, double zaNim) {
    p_.setFont(czcionka(10, true));
    const double h = QFontMetricsF(p_.font(), &w_).height() * 1.4;
    wymagaj(h + zaNim);
    p_.drawText(QRectF(0, y_, szer_, h), Qt::AlignLeft | Qt::AlignVCenter, t);
    y_ += h;
  }

  void naglowekTabeli(const Tabela& t, const std::vector<double>& kol, double pt, double wys, double pad) {
    double x = 0;
    p_.setFont(czcionka(pt, true));
    double suma = 0;
    for (double k : kol) suma += k;
    p_.fillRect(QRectF(0, y_, suma, wys), QColor(228, 232, 240));
    for (std::size_t i = 0; i < kol.size(); ++i) {
      p_.drawText(QRectF(x + pad, y_, kol[i] - 2 * pad, wys), Qt::AlignVCenter | Qt::AlignLeft, Q(t.naglowek[i]));
      x += kol[i];
    }
    y_ += wys;
  }

  void rysujStopke() {
    p_.save();
    p_.setFont(czcionka(7));
    p_.setPen(QColor(90, 90, 90));
    p_.drawText(QRectF(0, dol_ + mm(2), szer_, mm(6)), Qt::AlignLeft | Qt::AlignVCenter, stopka_);
    p_.drawText(QRectF(0, dol_ + mm(2), szer_, mm(6)), Qt::AlignRight | Qt::AlignVCenter,
                QStringLiteral("strona %1").arg(strona_));
    p_.restore();
  }

  QPdfWriter& w_;
  QPainter& p_;
  QString stopka_;
  double szer_ = 0, dol_ = 0, y_ = 0;
  int strona_ = 1;
};

void Tresc(Uklad& u, const turbiny::Dokument& d, const std::vector<turbiny::WynikKampanii>& wyniki,
           std::size_t indeks) {
  const turbiny::Kampania& k = d.kampanie[indeks];
  const turbiny::WynikKampanii& w = wyniki[indeks];
  u.akapit(QStringLiteral("Sprawność wewnętrzna turbiny %1").arg(Q(d.turbina.nazwa)), 16, true);
  if (!d.turbina.opis.empty()) u.akapit(Q(d.turbina.opis), 10);
  u.odstep(u.mm(2));
  for (const std::string& l : turbiny::OpisKampanii(d, indeks, w)) u.akapit(Q(l), 9);
  u.odstep(u.mm(4));
  u.tabela(turbiny::TabelaPunktow(d.turbina));
  u.tabela(turbiny::TabelaOdczytow(d.turbina, k));
  u.tabela(turbiny::TabelaWynikow(w));
  u.tabela(turbiny::TabelaPorownan(w));
  for (const turbiny::WynikOdcinka& o : w.odcinki)
    if (o.zachowawczo) {
      u.odstep(-u.mm(3));
      u.akapit(QStringLiteral("* niepewność różnicy oszacowana zachowawczo: jeden z pomiarów nie ma składowych "
                              "losowych (u_Δ² = u_c,a² + u_c,b²)"),
               7);
      u.odstep(u.mm(4));
      break;
    }
  for (const turbiny::WynikOdcinka& o : w.odcinki) u.tabela(turbiny::TabelaBudzetu(o));
  std::vector<std::string> uwagi;
  for (const turbiny::WynikOdcinka& o : w.odcinki)
    if (!o.komunikat.empty()) uwagi.push_back(o.nazwa + ": " + o.komunikat);
  uwagi.insert(uwagi.end(), w.komunikaty.begin(), w.komunikaty.end());
  if (!uwagi.empty()) {
    u.akapit(QStringLiteral("Uwagi"), 10, true);
    for (const std::string& m : uwagi) u.akapit(QStringLiteral("• ") + Q(m), 8);
    u.odstep(u.mm(4));
  }
  u.akapit(w.ok ? QStringLiteral("Wynik: wszystkie odcinki poprawne.")
                : QStringLiteral("Wynik: nie wszystkie odcinki poprawne."),
           9, true);
  u.odstep(u.mm(6));

  u.nowaStrona();  // both charts on a page of their own
  const std::optional<std::size_t> b = turbiny::IndeksBazowego(d, indeks);
  LiniaISWidget linia;
  linia.pokaz(w, b && *b < wyniki.size() ? &wyniki[*b] : nullptr);
  u.wykres(QStringLiteral("Linia rozprężania na wykresie I-S"),
           QStringLiteral("Pomiar %1 (linia ciągła)%2; punkty oznaczone identyfikatorami, h [kJ/kg] względem "
                          "s [kJ/(kg K)].")
               .arg(Q(k.id),
                    b ? QStringLiteral(", pomiar bazowy %1 (linia przerywana)").arg(Q(d.kampanie[*b].id)) : QString()),
           [&](QPainter& p, const QRectF& r) {
             linia.resize(r.size().toSize());
             linia.rysuj(p, r);
           });
  TrendWidget trend;
  trend.pokaz(d, wyniki);
  u.wykres(QStringLiteral("Trend sprawności wewnętrznej"),
           QStringLiteral("ηi każdego odcinka w kolejnych pomiarach z niepewnością U95 (k = 2); wartość projektowa "
                          "linią przerywaną."),
           [&](QPainter& p, const QRectF& r) {
             trend.resize(r.size().toSize());
             trend.rysuj(p, r);
           });
}

}  // namespace

bool RaportPdf(const turbiny::Dokument& d, const std::vector<turbiny::WynikKampanii>& wyniki, std::size_t indeks,
               const QString& path, QString& blad) {
  if (!SprawdzIndeks(indeks, d.kampanie.size(), wyniki.size(), blad)) return false;
  QByteArray bajty;
  try {
    QBuffer bufor(&bajty);
    bufor.open(QIODevice::WriteOnly);
    QPdfWriter w(&bufor);
    w.setPageSize(QPageSize(QPageSize::A4));
    w.setResolution(300);
    w.setPageMargins(QMarginsF(18, 15, 15, 12), QPageLayout::Millimeter);
    w.setTitle(QStringLiteral("Turbina %1 — pomiar %2").arg(Q(d.turbina.nazwa), Q(d.kampanie[indeks].id)));
    w.setCreator(QStringLiteral("Kalorimo"));
    QPainter p;
    if (!p.begin(&w)) {
      blad = QStringLiteral("Nie można utworzyć raportu PDF „%1”: moduł PDF odmówił pracy.").arg(path);
      return false;
    }
    Uklad u(w, p, QStringLiteral("Kalorimo — turbina %1, pomiar %2").arg(Q(d.turbina.nazwa), Q(d.kampanie[indeks].id)));
    Tresc(u, d, wyniki, indeks);
    p.end();
  } catch (const std::exception& e) {
    blad = QStringLiteral("Nie można utworzyć raportu PDF „%1”: %2").arg(path, QString::fromUtf8(e.what()));
    return false;
  }
  return ZapiszBajty(path, bajty, QStringLiteral("raportu"), blad);
}

}  // namespace kal
