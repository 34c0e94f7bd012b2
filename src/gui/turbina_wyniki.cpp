#include "gui/turbina_wyniki.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "common/number_text.h"
#include "gui/turbina_linia_rysunek.h"
#include "steam/evaluator.h"

namespace kal {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
const QString kBrak = QString::fromUtf8("—");

// A number as the table shows it; anything not finite is a dash.
QString Liczba(double v, const char* wzor) {
  if (!std::isfinite(v)) return kBrak;
  QString t = Q(Format(v, wzor, ','));
  if (t.startsWith('-') && t.count(QRegularExpression(QStringLiteral("[1-9]"))) == 0) t.remove(0, 1);  // no "-0,00"
  return t;
}
QString Liczba(const std::optional<double>& v, const char* wzor, double mnoznik = 1) {
  return v ? Liczba(*v * mnoznik, wzor) : kBrak;
}

// Four significant digits with the decimal comma (sensitivities span many decades).
QString Znaczace(double v) {
  if (!std::isfinite(v)) return kBrak;
  QLocale l(QLocale::Polish, QLocale::Poland);
  l.setNumberOptions(QLocale::OmitGroupSeparator);
  return l.toString(v, 'g', 4);
}

// The unit of a budget input, from its name ("PS.p", "NP_WYL.h", "ambient").
QString JednostkaWejscia(const std::string& nazwa) {
  if (nazwa == "ambient") return QStringLiteral("kPa");
  if (nazwa.size() > 2 && nazwa.compare(nazwa.size() - 2, 2, ".p") == 0) return QStringLiteral("MPa");
  if (nazwa.size() > 2 && nazwa.compare(nazwa.size() - 2, 2, ".t") == 0) return QStringLiteral("K");
  return QStringLiteral("kJ/kg");
}

// Draws the share as a horizontal bar under its number.
class PasekUdzialu : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& idx) const override {
    const double u = idx.data(Qt::UserRole).toDouble();
    QStyledItemDelegate::paint(p, opt, idx);
    if (!std::isfinite(u) || u <= 0) return;
    const QRectF r = QRectF(opt.rect).adjusted(4, 4, -4, -4);
    p->save();
    p->fillRect(QRectF(r.left(), r.top(), r.width() * std::min(u, 1.0), r.height()), QColor(70, 130, 200, 170));
    p->restore();
  }
};

// A table as tall as its rows (a turbine has a handful of sections, a budget a handful of inputs),
// so the budget sits right under the results; a long one scrolls.
void DopasujWysokosc(QTableWidget* t) {
  // Room for the scroll bar a narrow window gives the wide table.
  int h = t->horizontalHeader()->sizeHint().height() + 2 * t->frameWidth() + 4 +
          t->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  for (int r = 0; r < t->rowCount() && r < 12; ++r) h += t->rowHeight(r);
  t->setMaximumHeight(h);
  t->setMinimumHeight(std::min(h, 160));
}

enum Kolumna {
  kOdcinek,
  kDhsFits,
  kDhsIF97,
  kDhsRoz,
  kDhFits,
  kDhIF97,
  kDhRoz,
  kEtaFits,
  kEtaIF97,
  kEtaRoz,
  kEtaU95,
  kEtaProjekt,
  kDProjFits,
  kDProjIF97,
  kBaza,
  kDBazaFits,
  kDBazaIF97,
  kU95Delta,
  kUwagi,
  kKolumn
};

}  // namespace

WynikiWidget::WynikiWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("wyniki"));
  auto* v = new QVBoxLayout(this);
  tabela_ = new QTableWidget(0, kKolumn, this);
  tabela_->setObjectName(QStringLiteral("tabelaWynikow"));
  tabela_->setHorizontalHeaderLabels({
      QStringLiteral("Odcinek"),
      QString::fromUtf8("Δhs dopas.\n[kJ/kg]"),
      QString::fromUtf8("Δhs IF97\n[kJ/kg]"),
      QString::fromUtf8("Δhs różn.\n[kJ/kg]"),
      QString::fromUtf8("Δh dopas.\n[kJ/kg]"),
      QString::fromUtf8("Δh IF97\n[kJ/kg]"),
      QString::fromUtf8("Δh różn.\n[kJ/kg]"),
      QString::fromUtf8("ηi dopas.\n[%]"),
      QString::fromUtf8("ηi IF97\n[%]"),
      QString::fromUtf8("ηi różn.\n[p.p.]"),
      QString::fromUtf8("ηi ± U95\n[%]"),
      QString::fromUtf8("ηi proj.\n[%]"),
      QString::fromUtf8("Δ proj. dopas.\n[p.p.]"),
      QString::fromUtf8("Δ proj. IF97\n[p.p.]"),
      QStringLiteral("Baza"),
      QString::fromUtf8("Δ bazy dopas.\n[p.p.]"),
      QString::fromUtf8("Δ bazy IF97\n[p.p.]"),
      QString::fromUtf8("U95 Δ bazy\n[p.p.]"),
      QStringLiteral("Uwagi"),
  });
  tabela_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tabela_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tabela_->setSelectionMode(QAbstractItemView::SingleSelection);
  tabela_->verticalHeader()->hide();
  tabela_->horizontalHeader()->setStretchLastSection(true);
  tabela_->setWordWrap(false);
  v->addWidget(tabela_);
  legenda_ = new QLabel(this);
  legenda_->setObjectName(QStringLiteral("legendaWynikow"));
  legenda_->setWordWrap(true);
  legenda_->setText(QString::fromUtf8(
      "<b style='color:#c00000'>pogrubione czerwone</b>: różnica względem bazy istotna (|Δ| > U95 Δ, k = 2); "
      "* U95 Δ zachowawcze — jeden z pomiarów bez składowych losowych; "
      "wiersz żółty: niefizyczne — sprawdź pomiary; szary: odcinek odrzucony (powód w Uwagach). "
      "U95 liczone na IF97, obowiązuje też dla ηi z dopasowań."));
  uwagi_ = new QLabel(this);
  uwagi_->setObjectName(QStringLiteral("uwagiOdcinka"));
  uwagi_->setWordWrap(true);
  uwagi_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  v->addWidget(uwagi_);
  v->addWidget(legenda_);
  tytulBudzetu_ = new QLabel(this);
  tytulBudzetu_->setObjectName(QStringLiteral("tytulBudzetu"));
  v->addWidget(tytulBudzetu_);
  budzet_ = new QTableWidget(0, 5, this);
  budzet_->setObjectName(QStringLiteral("tabelaBudzetu"));
  budzet_->setHorizontalHeaderLabels({QString::fromUtf8("Wejście"), QString::fromUtf8("c = ∂ηi/∂X"),
                                      QStringLiteral("u(X)"), QString::fromUtf8("Udział [%]"),
                                      QString::fromUtf8("Udział")});
  budzet_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  budzet_->verticalHeader()->hide();
  budzet_->horizontalHeader()->setStretchLastSection(true);
  budzet_->setItemDelegateForColumn(4, new PasekUdzialu(budzet_));
  v->addWidget(budzet_);
  dominujace_ = new QLabel(this);
  dominujace_->setObjectName(QStringLiteral("dominujace"));
  v->addWidget(dominujace_);
  v->addStretch(1);
  connect(tabela_, &QTableWidget::currentCellChanged, this, [this](int wiersz, int, int, int) {
    if (wiersz >= 0) wybierzOdcinek(wiersz);
  });
}

void WynikiWidget::pokaz(const turbiny::WynikKampanii& wynik) {
  const int wybrany = std::max(0, tabela_->currentRow());
  wynik_ = wynik;
  const QSignalBlocker blok(tabela_);
  tabela_->setRowCount(static_cast<int>(wynik_.odcinki.size()));
  for (int r = 0; r < tabela_->rowCount(); ++r) {
    const turbiny::WynikOdcinka& o = wynik_.odcinki[static_cast<std::size_t>(r)];
    const bool liczby = o.ok || o.niefizyczne || o.fits.izentropa || o.if97.dhs;
    auto kom = [&](int c, const QString& t) {
      auto* it = new QTableWidgetItem(t);
      it->setTextAlignment(c == kOdcinek || c == kBaza || c == kUwagi ? Qt::AlignLeft | Qt::AlignVCenter
                                                                      : Qt::AlignRight | Qt::AlignVCenter);
      if (!o.ok) it->setBackground(o.niefizyczne ? QColor(255, 240, 170) : QColor(230, 230, 230));
      tabela_->setItem(r, c, it);
      return it;
    };
    kom(kOdcinek, Q(o.nazwa + ": " + o.wlot + u8" → " + o.wylot));
    // Missing numbers as NaN: shown as a dash.
    const double nan = std::numeric_limits<double>::quiet_NaN();
    auto wart = [nan](const std::optional<double>& x) { return x ? *x : nan; };
    const double dhsF = liczby && o.fits.izentropa ? o.fits.dhs : nan;
    const double dhsI = liczby ? wart(o.if97.dhs) : nan;
    const double etaF = wart(o.fits.eta), etaI = wart(o.if97.eta);
    kom(kDhsFits, Liczba(dhsF, "0.0"));
    kom(kDhsIF97, Liczba(dhsI, "0.0"));
    kom(kDhsRoz, Liczba(dhsF - dhsI, "0.00"));
    kom(kDhFits, Liczba(wart(o.fits.dh), "0.0"));
    kom(kDhIF97, Liczba(wart(o.if97.dh), "0.0"));
    kom(kDhRoz, Liczba(wart(o.fits.dh) - wart(o.if97.dh), "0.00"));
    kom(kEtaFits, Liczba(etaF * 100, "0.00"));
    kom(kEtaIF97, Liczba(etaI * 100, "0.00"));
    kom(kEtaRoz, Liczba((etaF - etaI) * 100, "0.00"));
    const double U95 = o.budzet && o.budzet->ok ? o.budzet->U95 : nan;
    kom(kEtaU95, std::isfinite(etaF) && std::isfinite(U95)
                     ? Liczba(etaF * 100, "0.00") + QString::fromUtf8(" ± ") + Liczba(U95 * 100, "0.00")
                     : kBrak);
    kom(kEtaProjekt, Liczba(o.etaProjekt, "0.00", 100));
    kom(kDProjFits, o.dEtaProjekt ? Liczba(o.dEtaProjekt->fits * 100, "0.00") : kBrak);
    kom(kDProjIF97, o.dEtaProjekt ? Liczba(o.dEtaProjekt->if97 * 100, "0.00") : kBrak);
    kom(kBaza, o.baza ? Q(*o.baza) : kBrak);
    QTableWidgetItem* bf = kom(kDBazaFits, o.dEtaBaza ? Liczba(o.dEtaBaza->fits * 100, "0.00") : kBrak);
    QTableWidgetItem* bi = kom(kDBazaIF97, o.dEtaBaza ? Liczba(o.dEtaBaza->if97 * 100, "0.00") : kBrak);
    kom(kU95Delta, o.U95dEtaBaza
                       ? Liczba(*o.U95dEtaBaza * 100, "0.00") + (o.zachowawczo ? QStringLiteral("*") : QString())
                       : kBrak);
    auto istotna = [](QTableWidgetItem* it) {
      QFont f = it->font();
      f.setBold(true);
      it->setFont(f);
      it->setForeground(QColor(192, 0, 0));
      it->setData(Qt::UserRole, true);
    };
    if (o.istotne && o.istotne->first) istotna(bf);
    if (o.istotne && o.istotne->second) istotna(bi);
    QString uwagi = Q(o.komunikat);
    if (o.niefizyczne && !uwagi.contains(QString::fromUtf8("niefizyczne")))
      uwagi = QString::fromUtf8("niefizyczne — sprawdź pomiary") + (uwagi.isEmpty() ? QString() : "; " + uwagi);
    QTableWidgetItem* u = kom(kUwagi, uwagi);
    u->setToolTip(uwagi);
  }
  tabela_->resizeColumnsToContents();
  tabela_->resizeRowsToContents();
  DopasujWysokosc(tabela_);
  if (tabela_->rowCount() > 0) tabela_->setCurrentCell(std::min(wybrany, tabela_->rowCount() - 1), 0);
  wybierzOdcinek(std::min(wybrany, std::max(0, tabela_->rowCount() - 1)));
}

void WynikiWidget::wybierzOdcinek(int indeks) {
  if (indeks >= 0 && indeks < tabela_->rowCount() && tabela_->currentRow() != indeks) {
    const QSignalBlocker blok(tabela_);
    tabela_->setCurrentCell(indeks, 0);
  }
  pokazBudzet();
}

void WynikiWidget::pokazBudzet() {
  budzet_->setRowCount(0);
  const int r = tabela_->currentRow();
  if (r < 0 || static_cast<std::size_t>(r) >= wynik_.odcinki.size()) {
    tytulBudzetu_->setText(QString::fromUtf8("Budżet niepewności: brak odcinka"));
    uwagi_->clear();
    budzet_->hide();
    dominujace_->clear();
    return;
  }
  const turbiny::WynikOdcinka& o = wynik_.odcinki[static_cast<std::size_t>(r)];
  // The whole note of the chosen section: the table's last column is often too narrow for it.
  const QString uwagi = tabela_->item(r, kUwagi) ? tabela_->item(r, kUwagi)->text() : QString();
  uwagi_->setText(uwagi.isEmpty() ? QString()
                                  : QString::fromUtf8("<b>%1:</b> %2").arg(Q(o.nazwa), uwagi.toHtmlEscaped()));
  uwagi_->setVisible(!uwagi.isEmpty());
  budzet_->setVisible(o.budzet && o.budzet->ok);
  if (!o.budzet || !o.budzet->ok) {
    tytulBudzetu_->setText(QString::fromUtf8("Budżet niepewności odcinka %1: brak — %2")
                               .arg(Q(o.nazwa), o.budzet && !o.budzet->blad.empty() ? Q(o.budzet->blad)
                                                : !o.komunikat.empty()              ? Q(o.komunikat)
                                                                       : QString::fromUtf8("ηi nie wyznaczone")));
    dominujace_->clear();
    return;
  }
  const turbiny::Budzet& b = *o.budzet;
  tytulBudzetu_->setText(QString::fromUtf8("Budżet niepewności odcinka %1 (ηi, k = 2): u_c = %2 p.p., U95 = %3 p.p.")
                             .arg(Q(o.nazwa), Liczba(b.uc * 100, "0.000"), Liczba(b.U95 * 100, "0.00")));
  budzet_->setRowCount(static_cast<int>(b.skladniki.size()));
  for (int i = 0; i < budzet_->rowCount(); ++i) {
    const turbiny::SkladnikBudzetu& s = b.skladniki[static_cast<std::size_t>(i)];
    const QString j = JednostkaWejscia(s.wejscie);
    auto kom = [&](int c, const QString& t) {
      auto* it = new QTableWidgetItem(t);
      it->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
      budzet_->setItem(i, c, it);
      return it;
    };
    QTableWidgetItem* w = kom(0, Q(s.wejscie));
    if (s.wejscie == b.dominujace) {
      QFont f = w->font();
      f.setBold(true);
      w->setFont(f);
    }
    kom(1, Znaczace(s.c) + (j == QStringLiteral("kJ/kg") ? QStringLiteral(" kg/kJ") : " 1/" + j));
    kom(2, Znaczace(s.u) + " " + j);
    kom(3, Liczba(s.udzial * 100, "0.0"));
    QTableWidgetItem* pasek = kom(4, QString());
    pasek->setData(Qt::UserRole, std::isfinite(s.udzial) ? s.udzial : 0.0);
  }
  budzet_->resizeColumnsToContents();
  budzet_->resizeRowsToContents();
  DopasujWysokosc(budzet_);
  budzet_->setColumnWidth(4, std::max(budzet_->columnWidth(4), 260));
  double udzial = 0;
  for (const auto& s : b.skladniki)
    if (s.wejscie == b.dominujace) udzial = s.udzial;
  dominujace_->setText(b.dominujace.empty() ? QString::fromUtf8("Dominujące wejście: brak (wszystkie u = 0)")
                                            : QString::fromUtf8("Dominujące wejście: <b>%1</b> (%2 % wariancji)")
                                                  .arg(Q(b.dominujace), Liczba(udzial * 100, "0.0")));
}

// ---- the whole expansion line ----

namespace {

// The chart's own painting surface under the IF97 tick.
class PlotnoLinii : public QWidget {
 public:
  PlotnoLinii(LiniaISWidget* wlasciciel, QWidget* parent) : QWidget(parent), w_(wlasciciel) {
    setMinimumSize(480, 360);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    w_->rysuj(p, QRectF(rect()));
  }

 private:
  LiniaISWidget* w_;
};

const QColor kKolorLinii(200, 0, 120);
const QColor kKolorBazy(90, 90, 90);

}  // namespace

LiniaISWidget::LiniaISWidget(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("liniaIS"));
  auto* v = new QVBoxLayout(this);
  auto* gora = new QHBoxLayout;
  chkIF97_ = new QCheckBox(QStringLiteral("IF97"), this);
  chkIF97_->setObjectName(QStringLiteral("chkIF97"));
  chkIF97_->setToolTip(QString::fromUtf8("Punkty linii rozprężania według IAPWS-IF97 zamiast dopasowań"));
  gora->addWidget(chkIF97_);
  gora->addStretch(1);
  v->addLayout(gora);
  plotno_ = new PlotnoLinii(this, this);
  plotno_->setObjectName(QStringLiteral("plotnoLinii"));
  v->addWidget(plotno_, 1);
  connect(chkIF97_, &QCheckBox::toggled, this, [this](bool on) { ustawIF97(on); });
}

void LiniaISWidget::pokaz(const turbiny::WynikKampanii& wynik, const turbiny::WynikKampanii* bazowy) {
  wynik_ = wynik;
  bazowy_.reset();
  if (bazowy) bazowy_ = *bazowy;
  odswiez();
}

void LiniaISWidget::ustawBaze(const Baza& baza) {
  baza_ = baza;
  bazaZmieniona_ = true;
}

void LiniaISWidget::ustawIF97(bool if97) {
  if97_ = if97;
  if (chkIF97_->isChecked() != if97) {
    const QSignalBlocker blok(chkIF97_);
    chkIF97_->setChecked(if97);
  }
  odswiez();
}

void LiniaISWidget::odswiez() {
  linie_ = LinieRozprezania(wynik_, if97_);
  linieBazy_ = bazowy_ ? LinieRozprezania(*bazowy_, if97_) : std::vector<LiniaOdcinka>{};
  const Okno o = OknoLinii(linie_, linieBazy_);
  const bool inneOkno = wykres_.linie.empty() || o.sMin != wykres_.okno.sMin || o.sMax != wykres_.okno.sMax ||
                        o.hMin != wykres_.okno.hMin || o.hMax != wykres_.okno.hMax;
  const bool innaBaza = bazaZmieniona_;
  bazaZmieniona_ = false;
  std::optional<Evaluator> e;
  if (baza_)
    e.emplace(*baza_);
  else
    e.emplace();
  Evaluator& ew = *e;
  if (inneOkno || innaBaza) {
    wykres_ = ObliczWykres(ew, o);
    wykresIF97_.reset();
  }
  // With IF97 the saturation line is IF97's own, so its points lie on their own line.
  if (if97_ && !wykresIF97_) {
    Wykres w = wykres_;
    w.linie.erase(std::remove_if(w.linie.begin(), w.linie.end(),
                                 [](const Linia& l) {
                                   return l.rodzaj == RodzajLinii::Nasycenie || l.rodzaj == RodzajLinii::Woda;
                                 }),
                  w.linie.end());
    for (Linia& l : NasycenieIF97(o)) w.linie.insert(w.linie.begin(), std::move(l));
    wykresIF97_ = std::move(w);
  }
  izobaryPunktow_.clear();
  // One isobar per pressure: a section's exhaust is often the next one's inlet.
  std::vector<double> cisnienia;
  for (const LiniaOdcinka& l : linie_)
    for (const PunktIS& q : l.lamana())
      if (!q.id.empty() && q.p > 0 && std::find(cisnienia.begin(), cisnienia.end(), q.p) == cisnienia.end()) {
        cisnienia.push_back(q.p);
        izobaryPunktow_.push_back(Izobara(ew, q.p, o));
      }
  plotno_->update();
}

void LiniaISWidget::rysuj(QPainter& p, const QRectF& rect) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  std::vector<QRectF> zajete;
  // The points' names first: the chart's labels keep clear of them. Their place is known only
  // through the map, which depends on the rectangle alone.
  const MapaIS m0{rect.adjusted(64, 12, -14, -44), wykres_.okno};
  for (const auto* v : {&linie_, &linieBazy_})
    for (const LiniaOdcinka& l : *v)
      for (const PunktIS& q : l.lamana()) zajete.push_back(QRectF(m0(q.s, q.h) + QPointF(-6, -22), QSizeF(70, 30)));
  // The legend's place is taken before the chart's labels are placed.
  QFont f0 = p.font();
  f0.setPointSizeF(8.5);
  p.setFont(f0);
  QStringList wpisy;
  wpisy << QString::fromUtf8("%1 — %2").arg(Q(wynik_.kampania),
                                            if97_ ? QStringLiteral("IF97") : QStringLiteral("dopasowania"));
  if (bazowy_) wpisy << QString::fromUtf8("baza %1").arg(Q(bazowy_->kampania));
  wpisy << QString::fromUtf8("izentropa 1 → 2s");
  double szer = 0;
  for (const QString& t : wpisy) szer = std::max(szer, double(p.fontMetrics().horizontalAdvance(t)));
  const double wys = p.fontMetrics().height() + 4;
  const QRectF ramka(m0.a.right() - szer - 48, m0.a.top() + 6, szer + 42, wys * static_cast<double>(wpisy.size()) + 6);
  zajete.push_back(ramka);
  const MapaIS m = RysujTloIS(p, rect, if97_ && wykresIF97_ ? *wykresIF97_ : wykres_, izobaryPunktow_, zajete, ',');

  auto rysujLinie = [&](const std::vector<LiniaOdcinka>& linie, const QColor& c, bool baza) {
    for (const LiniaOdcinka& l : linie) {
      if (l.izentropa) {
        p.setPen(QPen(c.lighter(baza ? 130 : 150), 1.0, Qt::DashLine));
        p.drawLine(m(l.wlot.s, l.wlot.h), m(l.izentropa->s, l.izentropa->h));
        p.setPen(QPen(c, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(m(l.izentropa->s, l.izentropa->h), 3, 3);
      }
      // Each section on its own: nothing joins one section's exhaust to the next one's inlet.
      QPolygonF pl;
      for (const PunktIS& q : l.lamana()) pl << m(q.s, q.h);
      p.setPen(QPen(c, baza ? 1.8 : 2.6, baza ? Qt::DashLine : Qt::SolidLine));
      p.drawPolyline(pl);
      p.setPen(QPen(Qt::black, 1));
      p.setBrush(baza ? QColor(Qt::white) : c);
      for (const QPointF& q : pl) p.drawEllipse(q, 4, 4);
      p.setBrush(Qt::NoBrush);
    }
  };
  if (bazowy_) rysujLinie(linieBazy_, kKolorBazy, true);
  rysujLinie(linie_, kKolorLinii, false);

  // The ids, each once (one section's exhaust is often the next one's inlet).
  QFont b = p.font();
  b.setBold(true);
  p.setFont(b);
  std::vector<std::string> nazwane;
  for (const LiniaOdcinka& l : linie_)
    for (const PunktIS& q : l.lamana()) {
      if (q.id.empty() || std::find(nazwane.begin(), nazwane.end(), q.id) != nazwane.end()) continue;
      nazwane.push_back(q.id);
      const QString t = Q(q.id);
      const QPointF at = m(q.s, q.h);
      const double w = p.fontMetrics().horizontalAdvance(t) + 4;
      // Right of the point unless that leaves the plotting area.
      QRectF r(at + QPointF(8, -18), QSizeF(w, 16));
      if (r.right() > m.a.right()) r.moveRight(at.x() - 8);
      if (r.top() < m.a.top()) r.moveTop(at.y() + 4);
      p.fillRect(r, QColor(255, 255, 255, 215));
      p.setPen(Qt::black);
      p.drawText(r, Qt::AlignCenter, t);
    }
  p.setClipping(false);

  // The legend, top right inside the plotting area.
  QFont f = p.font();
  f.setBold(false);
  p.setFont(f);
  p.fillRect(ramka, QColor(255, 255, 255, 235));
  p.setPen(QPen(QColor(160, 160, 160), 1));
  p.drawRect(ramka);
  for (int i = 0; i < wpisy.size(); ++i) {
    const double y = ramka.top() + 3 + wys * (i + 0.5);
    const bool baza = bazowy_ && i == 1;
    const bool izo = i == wpisy.size() - 1;
    p.setPen(izo ? QPen(kKolorLinii.lighter(150), 1.0, Qt::DashLine)
                 : QPen(baza ? kKolorBazy : kKolorLinii, baza ? 1.8 : 2.6, baza ? Qt::DashLine : Qt::SolidLine));
    p.drawLine(QPointF(ramka.left() + 6, y), QPointF(ramka.left() + 32, y));
    p.setPen(Qt::black);
    p.drawText(QRectF(ramka.left() + 38, y - wys / 2, szer + 4, wys), Qt::AlignLeft | Qt::AlignVCenter, wpisy[i]);
  }
  p.restore();
}

}  // namespace kal
