#include "gui/turbina_import_wizard.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <thread>

#include "gui/turbina_import_podglad.h"
#include "gui/turbina_import_wykres.h"
#include "turbiny/csv_tekst.h"
#include "turbiny/czas.h"
#include "turbiny/import.h"
#include "turbiny/import_statystyki.h"

namespace kal {

namespace {

using turbiny::BladTurbiny;

constexpr std::size_t kPodgladBajtow = 256 * 1024;
constexpr std::size_t kPodgladWierszy = 20;
constexpr std::size_t kKawalek = 4 << 20;  // bytes read between two looks at the cancel flag
const char* const kAmbient = "@ambient";

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QString Liczba(double v) { return std::isfinite(v) ? QLocale().toString(v, 'g', 6) : QStringLiteral("—"); }

// A page whose entry and leaving are the wizard's business.
class StronaKreatora : public QWizardPage {
 public:
  std::function<void()> wejscie;
  std::function<bool()> wyjscie;
  void initializePage() override {
    if (wejscie) wejscie();
  }
  bool validatePage() override { return !wyjscie || wyjscie(); }
};

// One background job: its progress (0–1000) and the cancel flag it looks at.
struct Zadanie {
  std::atomic<bool> anuluj{false};
  std::atomic<int> postep{0};
};

struct WynikPliku {
  std::shared_ptr<const std::string> bajty;
  bool utf8 = true;
  std::string poczatek;
  std::string blad;
};

struct WynikOdczytu {
  std::optional<turbiny::Stabilnosc> stabilnosc;
  std::string blad;
};

void Ustaw(QComboBox* c, const std::string& dane) {
  const int i = c->findData(Q(dane));
  if (i >= 0) c->setCurrentIndex(i);
}

}  // namespace

struct ImportWizard::Impl {
  ImportWizard* q;
  turbiny::Turbina turbina;
  Dialogs& dialogs;
  std::optional<turbiny::Mapowanie> zapisane;  // the turbine's last mapping
  // Column → (point or kAmbient or "", quantity), as last chosen.
  std::map<std::string, std::pair<std::string, std::string>> wybory;

  // The file as read.
  QString sciezka;
  std::shared_ptr<const std::string> bajty;
  bool caloscUtf8 = true;
  std::string poczatek;
  PodgladCsv podglad;
  bool plikGotowy = false, podgladUstawiony = false;

  // The mapped series of the whole file, and the statistics of the chosen window.
  turbiny::Mapowanie mapa;
  std::optional<turbiny::Stabilnosc> odczyt;
  bool serieGotowe = false, serieNaWykresie = false;
  double od = 0, do_ = 0;
  std::optional<turbiny::Stabilnosc> okno;
  std::string bladOkna;

  // The result.
  turbiny::Kampania kampania;
  std::vector<turbiny::Seria> serie;
  std::string mapowanie;

  // The background job.
  std::vector<std::thread> watki;
  std::shared_ptr<Zadanie> zadanie;
  QPointer<QProgressDialog> postep;
  QTimer zegar;

  // Widgets.
  QLineEdit* plik = nullptr;
  QLabel* wykryte = nullptr;
  QComboBox *kodowanie = nullptr, *separator = nullptr, *dziesietny = nullptr, *kolumnaCzasu = nullptr;
  QTableWidget* tabelaPodgladu = nullptr;
  QTableWidget* tabelaMapowania = nullptr;
  WykresSerii* wykres = nullptr;
  QLineEdit *oknoOd = nullptr, *oknoDo = nullptr;
  QLabel* oknoOpis = nullptr;
  QLabel* podsumowanie = nullptr;
  QTableWidget* tabelaStabilnosci = nullptr;
  QLineEdit *idKampanii = nullptr, *dataKampanii = nullptr, *etykieta = nullptr, *moc = nullptr;
  QComboBox* rodzaj = nullptr;
  bool idWpisany = false, dataWpisana = false;

  Impl(ImportWizard* w, const turbiny::Turbina& t, Dialogs& d) : q(w), turbina(t), dialogs(d) {
    if (!turbina.mapowanie.empty()) {
      try {
        zapisane = turbiny::MapowanieZJson(turbina.mapowanie);
        for (const turbiny::KolumnaMapowania& k : zapisane->kolumny)
          wybory[k.kolumna] = {k.wielkosc == "ambient" ? kAmbient : k.punkt,
                               k.wielkosc == "ambient" ? "p" : k.wielkosc};
      } catch (const BladTurbiny&) {
        zapisane.reset();  // a mapping that no longer reads is simply not offered
      }
    }
  }

  ~Impl() {
    if (zadanie) zadanie->anuluj = true;
    for (std::thread& t : watki) t.join();
  }

  std::string NazwaPliku() const { return S(QFileInfo(sciezka).fileName()); }

  void Zglos(const std::string& powod) {
    dialogs.MsgBox("Nie można zaimportować pliku \xE2\x80\x9E" + NazwaPliku() + "\xE2\x80\x9D:\r\n" + powod,
                   Buttons::OK, Icon::Exclamation, "Import CSV");
  }
  void Uwaga(const std::string& tekst) { dialogs.MsgBox(tekst, Buttons::OK, Icon::Exclamation, "Import CSV"); }

  // ---- the background jobs ------------------------------------------------------------------

  void Postep(const QString& tekst, bool znany) {
    if (postep) postep->deleteLater();
    postep = new QProgressDialog(tekst, QStringLiteral("Anuluj"), 0, znany ? 1000 : 0, q);
    postep->setObjectName(QStringLiteral("postep"));
    postep->setWindowTitle(QStringLiteral("Import CSV"));
    postep->setWindowModality(Qt::WindowModal);
    postep->setMinimumDuration(400);
    postep->setAutoClose(false);
    postep->setAutoReset(false);
    postep->setValue(0);
    QObject::connect(postep, &QProgressDialog::canceled, q, [this] { Anuluj(); });
    zegar.start(50);
  }

  void KoniecPostepu() {
    zegar.stop();
    if (postep) {
      postep->hide();
      postep->deleteLater();
    }
  }

  void Anuluj() {
    if (zadanie) zadanie->anuluj = true;
    zadanie.reset();  // what it still delivers is dropped
    KoniecPostepu();
  }

  void CzytajPlik() {
    plikGotowy = false;
    serieGotowe = false;
    auto z = std::make_shared<Zadanie>();
    zadanie = z;
    Postep(QStringLiteral("Wczytywanie pliku %1…").arg(QFileInfo(sciezka).fileName()), true);
    const std::string sc = QFile::encodeName(sciezka).toStdString();
    Impl* self = this;
    watki.emplace_back([self, z, sc] {
      WynikPliku w;
      try {
        std::ifstream f(sc, std::ios::binary);
        if (!f) throw BladTurbiny(std::string("nie można otworzyć pliku (") + std::strerror(errno) + ")");
        f.seekg(0, std::ios::end);
        const auto rozmiar = static_cast<std::size_t>(std::max<std::streamoff>(f.tellg(), 0));
        f.seekg(0);
        auto b = std::make_shared<std::string>();
        b->resize(rozmiar);
        std::size_t jest = 0;
        for (std::size_t krok = 0; jest < rozmiar && krok <= rozmiar / kKawalek + 1; ++krok) {
          if (z->anuluj) return;
          const std::size_t ile = std::min(kKawalek, rozmiar - jest);
          f.read(&(*b)[jest], static_cast<std::streamsize>(ile));
          if (f.gcount() <= 0) break;
          jest += static_cast<std::size_t>(f.gcount());
          z->postep = static_cast<int>(900.0 * static_cast<double>(jest) / static_cast<double>(rozmiar));
        }
        if (jest < rozmiar)
          throw BladTurbiny("plik odczytany tylko w części (" + std::to_string(jest) + " z " + std::to_string(rozmiar) +
                            " bajtów)");
        const bool bom = b->size() >= 3 && b->compare(0, 3, "\xEF\xBB\xBF") == 0;
        if (b->empty() || (bom && b->size() == 3)) throw BladTurbiny("plik jest pusty");
        w.utf8 = turbiny::BlednyBajtUtf8(*b) == std::string::npos;
        w.poczatek = PoczatekPliku(*b, kPodgladBajtow);
        w.bajty = std::move(b);
      } catch (const BladTurbiny& e) {
        w.blad = e.what();
      } catch (const std::bad_alloc&) {
        w.blad = "za mało pamięci, by wczytać plik";
      }
      if (z->anuluj) return;
      QMetaObject::invokeMethod(
          self->q, [self, z, w] { self->PoPliku(z, w); }, Qt::QueuedConnection);
    });
  }

  void PoPliku(const std::shared_ptr<Zadanie>& z, const WynikPliku& w) {
    if (z != zadanie) return;
    zadanie.reset();
    KoniecPostepu();
    if (!w.blad.empty()) return Zglos(w.blad);
    bajty = w.bajty;
    caloscUtf8 = w.utf8;
    poczatek = w.poczatek;
    plikGotowy = true;
    podgladUstawiony = false;
    odczyt.reset();
    q->next();
  }

  void CzytajSerie(const turbiny::Mapowanie& m) {
    auto z = std::make_shared<Zadanie>();
    zadanie = z;
    Postep(QStringLiteral("Odczyt kolumn pliku %1…").arg(QFileInfo(sciezka).fileName()), false);
    Impl* self = this;
    const std::shared_ptr<const std::string> b = bajty;
    const turbiny::Turbina* t = &turbina;
    watki.emplace_back([self, z, b, m, t] {
      auto w = std::make_shared<WynikOdczytu>();
      try {
        w->stabilnosc = turbiny::ObliczStabilnosc(*b, m, t, {});
      } catch (const BladTurbiny& e) {
        w->blad = e.what();
      } catch (const std::bad_alloc&) {
        w->blad = "za mało pamięci, by odczytać kolumny";
      }
      if (z->anuluj) return;
      QMetaObject::invokeMethod(
          self->q, [self, z, w, m] { self->PoSeriach(z, *w, m); }, Qt::QueuedConnection);
    });
  }

  void PoSeriach(const std::shared_ptr<Zadanie>& z, WynikOdczytu& w, const turbiny::Mapowanie& m) {
    if (z != zadanie) return;
    zadanie.reset();
    KoniecPostepu();
    if (!w.blad.empty()) return Zglos(w.blad);
    odczyt = std::move(w.stabilnosc);
    mapa = m;
    od = odczyt->od, do_ = odczyt->do_;
    serieGotowe = true;
    serieNaWykresie = false;
    q->next();
  }

  // ---- the file page ------------------------------------------------------------------------

  QWizardPage* StronaPliku() {
    auto* s = new StronaKreatora;
    s->setObjectName(QStringLiteral("stronaPliku"));
    s->setTitle(QStringLiteral("Plik z systemu pomiarowego"));
    s->setSubTitle(QStringLiteral("Eksport CSV serii pomiarowej turbiny %1.").arg(Q(turbina.nazwa)));
    plik = new QLineEdit;
    plik->setObjectName(QStringLiteral("plik"));
    plik->setPlaceholderText(QStringLiteral("ścieżka pliku CSV"));
    auto* wybierz = new QPushButton(QStringLiteral("Wybierz…"));
    wybierz->setObjectName(QStringLiteral("wybierzPlik"));
    auto* wiersz = new QHBoxLayout;
    wiersz->addWidget(plik, 1);
    wiersz->addWidget(wybierz);
    auto* l = new QVBoxLayout(s);
    auto* opis = new QLabel(QStringLiteral(
        "Plik CSV (RFC 4180): separator średnik, przecinek albo tabulator; część dziesiętna przecinek albo kropka; "
        "UTF-8 albo Windows-1250; jedna kolumna ze znacznikiem czasu. Duży plik jest czytany w tle — można "
        "przerwać."));
    opis->setWordWrap(true);
    l->addWidget(opis);
    l->addLayout(wiersz);
    l->addStretch(1);
    QObject::connect(wybierz, &QPushButton::clicked, q, [this] {
      const QString f = QFileDialog::getOpenFileName(q, QStringLiteral("Plik CSV z systemu pomiarowego"),
                                                     QFileInfo(plik->text()).absolutePath(),
                                                     QStringLiteral("Pliki CSV (*.csv *.txt);;Wszystkie pliki (*)"));
      if (!f.isEmpty()) q->ustawPlik(f);
    });
    s->wyjscie = [this] {
      if (zadanie) return false;
      const QString f = plik->text().trimmed();
      if (f.isEmpty()) {
        Uwaga("Pole \xE2\x80\x9EPlik\xE2\x80\x9D: wybierz plik CSV z eksportu systemu pomiarowego.");
        return false;
      }
      if (plikGotowy && f == sciezka) return true;
      sciezka = f;
      CzytajPlik();
      return false;
    };
    return s;
  }

  // ---- the preview page ---------------------------------------------------------------------

  QWizardPage* StronaPodgladu() {
    auto* s = new StronaKreatora;
    s->setObjectName(QStringLiteral("stronaPodgladu"));
    s->setTitle(QStringLiteral("Podgląd pliku"));
    s->setSubTitle(QStringLiteral("Pierwsze wiersze i to, co rozpoznano; każde ustawienie można zmienić."));
    wykryte = new QLabel;
    wykryte->setObjectName(QStringLiteral("wykryte"));
    wykryte->setWordWrap(true);
    wykryte->setTextInteractionFlags(Qt::TextSelectableByMouse);
    kodowanie = new QComboBox;
    kodowanie->setObjectName(QStringLiteral("kodowanie"));
    kodowanie->addItem(QStringLiteral("wykryj"), QStringLiteral("auto"));
    kodowanie->addItem(QStringLiteral("UTF-8"), QStringLiteral("utf-8"));
    kodowanie->addItem(QStringLiteral("Windows-1250"), QStringLiteral("windows-1250"));
    separator = new QComboBox;
    separator->setObjectName(QStringLiteral("separator"));
    separator->addItem(QStringLiteral("wykryj"), QStringLiteral("auto"));
    separator->addItem(QStringLiteral("średnik ;"), QStringLiteral(";"));
    separator->addItem(QStringLiteral("przecinek ,"), QStringLiteral(","));
    separator->addItem(QStringLiteral("tabulator"), QStringLiteral("\t"));
    dziesietny = new QComboBox;
    dziesietny->setObjectName(QStringLiteral("dziesietny"));
    dziesietny->addItem(QStringLiteral("wykryj"), QStringLiteral("auto"));
    dziesietny->addItem(QStringLiteral("przecinek 12,5"), QStringLiteral(","));
    dziesietny->addItem(QStringLiteral("kropka 12.5"), QStringLiteral("."));
    kolumnaCzasu = new QComboBox;
    kolumnaCzasu->setObjectName(QStringLiteral("kolumnaCzasu"));
    kolumnaCzasu->setMinimumContentsLength(16);
    tabelaPodgladu = new QTableWidget;
    tabelaPodgladu->setObjectName(QStringLiteral("podglad"));
    tabelaPodgladu->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* ustawienia = new QHBoxLayout;
    for (auto [napis, pole] :
         {std::pair{"Kodowanie:", kodowanie}, std::pair{"Separator pól:", separator},
          std::pair{"Część dziesiętna:", dziesietny}, std::pair{"Znacznik czasu:", kolumnaCzasu}}) {
      auto* e = new QLabel(QString::fromUtf8(napis));
      e->setBuddy(pole);
      ustawienia->addWidget(e);
      ustawienia->addWidget(pole);
      ustawienia->addSpacing(12);
    }
    ustawienia->addStretch(1);
    auto* l = new QVBoxLayout(s);
    l->addWidget(wykryte);
    l->addLayout(ustawienia);
    l->addWidget(tabelaPodgladu, 1);
    for (QComboBox* c : {kodowanie, separator, dziesietny})
      QObject::connect(c, &QComboBox::activated, q, [this] { OdswiezPodglad(true); });
    QObject::connect(kolumnaCzasu, &QComboBox::activated, q, [this] { OdswiezPodglad(false); });
    s->wejscie = [this] {
      if (!podgladUstawiony) {
        podgladUstawiony = true;
        for (QComboBox* c : {kodowanie, separator, dziesietny}) c->setCurrentIndex(0);
        kolumnaCzasu->clear();
        if (zapisane) {
          Ustaw(kodowanie, zapisane->kodowanie);
          Ustaw(separator, zapisane->separator);
          Ustaw(dziesietny, zapisane->dziesietny);
        }
        OdswiezPodglad(true);
      }
    };
    s->wyjscie = [this] {
      if (!podglad.blad.empty()) {
        Zglos(podglad.blad);
        return false;
      }
      if (podglad.kolumnaCzasu < 0) {
        Uwaga(
            "Pole \xE2\x80\x9EZnacznik czasu\xE2\x80\x9D: żadna kolumna nie zawiera czasu (np. 2026-03-14 10:00:05); "
            "wybierz ją z listy.");
        return false;
      }
      return true;
    };
    return s;
  }

  std::string WybranaKolumnaCzasu() const {
    if (podglad.kolumnaCzasu >= 0 && static_cast<std::size_t>(podglad.kolumnaCzasu) < podglad.naglowek.size())
      return podglad.naglowek[static_cast<std::size_t>(podglad.kolumnaCzasu)];
    return "";
  }

  // `naNowo`: the encoding, separator or decimal changed, so the columns may have too.
  void OdswiezPodglad(bool naNowo) {
    std::string czas = naNowo ? "" : S(kolumnaCzasu->currentText());
    if (naNowo && kolumnaCzasu->count() == 0 && zapisane) czas = zapisane->czas;
    if (naNowo && kolumnaCzasu->count() > 0) czas = S(kolumnaCzasu->currentText());
    podglad = ZrobPodglad(poczatek, caloscUtf8, S(kodowanie->currentData().toString()),
                          S(separator->currentData().toString()), S(dziesietny->currentData().toString()), czas,
                          kPodgladWierszy);
    kolumnaCzasu->clear();
    for (const std::string& n : podglad.naglowek) kolumnaCzasu->addItem(Q(n));
    kolumnaCzasu->setCurrentIndex(podglad.kolumnaCzasu);
    QString tekst =
        QStringLiteral("Wykryto — kodowanie: %1; separator pól: %2; część dziesiętna: %3; znacznik czasu: %4.")
            .arg(Q(podglad.kodowanie), Q(podglad.separator), Q(podglad.dziesietny),
                 podglad.kolumnaCzasu >= 0 ? QStringLiteral("kolumna „%1”").arg(Q(WybranaKolumnaCzasu()))
                                           : QStringLiteral("nie znaleziono"));
    if (!podglad.blad.empty()) tekst += QStringLiteral("\nBłąd: %1").arg(Q(podglad.blad));
    wykryte->setText(tekst);
    wykryte->setStyleSheet(podglad.blad.empty() ? QString() : QStringLiteral("color: #b00000"));
    tabelaPodgladu->clear();
    tabelaPodgladu->setColumnCount(static_cast<int>(podglad.naglowek.size()));
    tabelaPodgladu->setRowCount(static_cast<int>(podglad.wiersze.size()));
    QStringList naglowki;
    for (const std::string& n : podglad.naglowek) naglowki << Q(n);
    tabelaPodgladu->setHorizontalHeaderLabels(naglowki);
    for (std::size_t w = 0; w < podglad.wiersze.size(); ++w) {
      for (std::size_t k = 0; k < podglad.wiersze[w].size() && k < podglad.naglowek.size(); ++k) {
        auto* it = new QTableWidgetItem(Q(podglad.wiersze[w][k]));
        if (static_cast<int>(k) == podglad.kolumnaCzasu) it->setBackground(QColor(225, 238, 255));
        tabelaPodgladu->setItem(static_cast<int>(w), static_cast<int>(k), it);
      }
    }
    tabelaPodgladu->resizeColumnsToContents();
  }

  // ---- the mapping page ---------------------------------------------------------------------

  QWizardPage* StronaMapowania() {
    auto* s = new StronaKreatora;
    s->setObjectName(QStringLiteral("stronaMapowania"));
    s->setTitle(QStringLiteral("Przypisanie kolumn"));
    s->setSubTitle(QStringLiteral(
        "Każda kolumna pliku → punkt pomiarowy i wielkość albo „pomiń”. Przypisanie zostaje zapamiętane przy "
        "turbinie na następny import."));
    tabelaMapowania = new QTableWidget(0, 5);
    tabelaMapowania->setObjectName(QStringLiteral("mapowanie"));
    tabelaMapowania->setHorizontalHeaderLabels({QStringLiteral("Kolumna pliku"), QStringLiteral("Pierwsza wartość"),
                                                QStringLiteral("Punkt"), QStringLiteral("Wielkość"),
                                                QStringLiteral("Jednostka odczytu")});
    tabelaMapowania->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabelaMapowania->verticalHeader()->setVisible(false);
    tabelaMapowania->horizontalHeader()->setStretchLastSection(true);
    auto* l = new QVBoxLayout(s);
    l->addWidget(tabelaMapowania);
    s->wejscie = [this] { WypelnijMapowanie(); };
    s->wyjscie = [this] {
      if (zadanie) return false;
      std::string blad;
      const turbiny::Mapowanie m = MapowanieZeStrony(blad);
      if (!blad.empty()) {
        Uwaga(blad);
        return false;
      }
      if (serieGotowe && turbiny::MapowanieDoJson(m) == turbiny::MapowanieDoJson(mapa)) return true;
      serieGotowe = false;
      CzytajSerie(m);
      return false;
    };
    return s;
  }

  QString Jednostka(const std::string& punkt, const std::string& wielkosc) const {
    if (punkt == kAmbient) return QStringLiteral("kPa (bezwzględne)");
    if (punkt.empty()) return QString();
    if (wielkosc == "t") return QStringLiteral("°C");
    if (wielkosc == "h") return QStringLiteral("kJ/kg");
    const turbiny::PunktPomiarowy* p = turbiny::ZnajdzPunkt(turbina, punkt);
    if (!p) return QString();
    return Q(p->jednostkaP) + (p->nadcisnienie ? QStringLiteral(" (nadciśnienie)") : QStringLiteral(" (bezwzględne)"));
  }

  void WypelnijMapowanie() {
    tabelaMapowania->setRowCount(0);
    int r = 0;
    for (std::size_t k = 0; k < podglad.naglowek.size(); ++k) {
      if (static_cast<int>(k) == podglad.kolumnaCzasu) continue;
      const std::string nazwa = podglad.naglowek[k];
      tabelaMapowania->insertRow(r);
      tabelaMapowania->setItem(r, 0, new QTableWidgetItem(Q(nazwa)));
      const std::string pierwsza =
          !podglad.wiersze.empty() && k < podglad.wiersze[0].size() ? podglad.wiersze[0][k] : "";
      tabelaMapowania->setItem(r, 1, new QTableWidgetItem(Q(pierwsza)));
      auto* punkt = new QComboBox;
      punkt->setObjectName(QStringLiteral("punkt_%1").arg(r));
      punkt->addItem(QStringLiteral("pomiń"), QString());
      punkt->addItem(QStringLiteral("ciśnienie otoczenia"), QString::fromLatin1(kAmbient));
      for (const turbiny::PunktPomiarowy& p : turbina.punkty)
        punkt->addItem(Q(p.id + (p.nazwa.empty() ? "" : " — " + p.nazwa)), Q(p.id));
      auto* wielkosc = new QComboBox;
      wielkosc->setObjectName(QStringLiteral("wielkosc_%1").arg(r));
      wielkosc->addItem(QStringLiteral("p — ciśnienie"), QStringLiteral("p"));
      wielkosc->addItem(QStringLiteral("t — temperatura"), QStringLiteral("t"));
      wielkosc->addItem(QStringLiteral("h — entalpia"), QStringLiteral("h"));
      const auto w = wybory.find(nazwa);
      if (w != wybory.end()) {
        Ustaw(punkt, w->second.first);
        Ustaw(wielkosc, w->second.second);
      }
      tabelaMapowania->setCellWidget(r, 2, punkt);
      tabelaMapowania->setCellWidget(r, 3, wielkosc);
      tabelaMapowania->setItem(r, 4, new QTableWidgetItem);
      const int wiersz = r;
      const auto zmiana = [this, nazwa, punkt, wielkosc, wiersz] {
        const std::string p = S(punkt->currentData().toString());
        const std::string wl = S(wielkosc->currentData().toString());
        wielkosc->setEnabled(!p.empty() && p != kAmbient);
        if (p.empty())
          wybory.erase(nazwa);
        else
          wybory[nazwa] = {p, wl};
        tabelaMapowania->item(wiersz, 4)->setText(Jednostka(p, wl));
      };
      QObject::connect(punkt, &QComboBox::currentIndexChanged, q, zmiana);
      QObject::connect(wielkosc, &QComboBox::currentIndexChanged, q, zmiana);
      zmiana();
      ++r;
    }
    tabelaMapowania->resizeColumnsToContents();
    tabelaMapowania->setColumnWidth(2, std::max(tabelaMapowania->columnWidth(2), 300));
  }

  turbiny::Mapowanie MapowanieZeStrony(std::string& blad) const {
    turbiny::Mapowanie m;
    m.czas = WybranaKolumnaCzasu();
    m.kodowanie = S(kodowanie->currentData().toString());
    m.separator = S(separator->currentData().toString());
    m.dziesietny = S(dziesietny->currentData().toString());
    std::map<std::string, std::string> zajete;  // "PS.p" → column
    for (int r = 0; r < tabelaMapowania->rowCount(); ++r) {
      const std::string nazwa = S(tabelaMapowania->item(r, 0)->text());
      const auto* punkt = static_cast<QComboBox*>(tabelaMapowania->cellWidget(r, 2));
      const auto* wielkosc = static_cast<QComboBox*>(tabelaMapowania->cellWidget(r, 3));
      const std::string p = S(punkt->currentData().toString());
      if (p.empty()) continue;
      turbiny::KolumnaMapowania k;
      k.kolumna = nazwa;
      k.punkt = p == kAmbient ? "" : p;
      k.wielkosc = p == kAmbient ? "ambient" : S(wielkosc->currentData().toString());
      if (zapisane) {
        for (const turbiny::KolumnaMapowania& z : zapisane->kolumny) {
          if (z.kolumna == nazwa && z.punkt == k.punkt && z.wielkosc == k.wielkosc)
            k.limitFluktuacji = z.limitFluktuacji, k.limitDryfu = z.limitDryfu;
        }
      }
      const std::string klucz = k.punkt.empty() ? "ciśnienie otoczenia" : k.punkt + "." + k.wielkosc;
      const auto [it, nowy] = zajete.emplace(klucz, nazwa);
      if (!nowy && blad.empty())
        blad = "Kolumny \xE2\x80\x9E" + it->second + "\xE2\x80\x9D i \xE2\x80\x9E" + nazwa +
               "\xE2\x80\x9D są przypisane do tej samej wielkości (" + klucz + "); zostaw jedną, drugą pomiń.";
      m.kolumny.push_back(k);
    }
    if (m.kolumny.empty() && blad.empty())
      blad = "Żadna kolumna nie jest przypisana do punktu turbiny; wybierz punkt i wielkość co najmniej jednej.";
    return m;
  }

  // ---- the series page ----------------------------------------------------------------------

  QWizardPage* StronaSerii() {
    auto* s = new StronaKreatora;
    s->setObjectName(QStringLiteral("stronaSerii"));
    s->setTitle(QStringLiteral("Serie i okno pomiaru"));
    s->setSubTitle(QStringLiteral("Przeciągnij po wykresie, by wybrać okno, albo wpisz jego początek i koniec."));
    wykres = new WykresSerii;
    auto* przewijanie = new QScrollArea;
    przewijanie->setWidgetResizable(true);
    przewijanie->setWidget(wykres);
    oknoOd = new QLineEdit;
    oknoOd->setObjectName(QStringLiteral("oknoOd"));
    oknoDo = new QLineEdit;
    oknoDo->setObjectName(QStringLiteral("oknoDo"));
    for (QLineEdit* e : {oknoOd, oknoDo})
      e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("2026-03-14T10:00:00.000")) + 16);
    auto* cala = new QPushButton(QStringLiteral("Cała seria"));
    cala->setObjectName(QStringLiteral("calaSeria"));
    oknoOpis = new QLabel;
    oknoOpis->setObjectName(QStringLiteral("oknoOpis"));
    auto* wiersz = new QHBoxLayout;
    wiersz->addWidget(new QLabel(QStringLiteral("Od:")));
    wiersz->addWidget(oknoOd);
    wiersz->addWidget(new QLabel(QStringLiteral("Do:")));
    wiersz->addWidget(oknoDo);
    wiersz->addWidget(cala);
    wiersz->addSpacing(12);
    wiersz->addWidget(oknoOpis, 1);
    auto* l = new QVBoxLayout(s);
    l->addWidget(przewijanie, 1);
    l->addLayout(wiersz);
    QObject::connect(wykres, &WykresSerii::oknoWybrane, q,
                     [this](double a, double b) { UstawOkno(std::round(a), std::round(b)); });
    QObject::connect(cala, &QPushButton::clicked, q, [this] {
      if (odczyt) UstawOkno(wykres->poczatekSerii(), wykres->koniecSerii());
    });
    for (QLineEdit* e : {oknoOd, oknoDo}) QObject::connect(e, &QLineEdit::editingFinished, q, [this] { OknoZPol(); });
    s->wejscie = [this] {
      if (!serieNaWykresie) {
        serieNaWykresie = true;
        wykres->ustawSerie(&odczyt->serie);
        std::vector<QString> opisy;
        for (const turbiny::Seria& z : odczyt->serie) {
          const bool amb = z.wielkosc == "ambient";
          const QString j = Jednostka(amb ? kAmbient : z.punkt, z.wielkosc);
          opisy.push_back((amb ? QStringLiteral("ciśnienie otoczenia") : Q(z.punkt + "." + z.wielkosc)) +
                          QStringLiteral(" [%1]").arg(
                              j.left(j.indexOf(QLatin1Char(' ')) < 0 ? j.size() : j.indexOf(QLatin1Char(' ')))));
        }
        wykres->ustawOpisy(opisy);
      }
      UstawOkno(od, do_);
    };
    s->wyjscie = [this] {
      if (!OknoZPol()) return false;
      if (!okno) {
        Uwaga("Okno pomiaru: " + bladOkna);
        return false;
      }
      return true;
    };
    return s;
  }

  // The window from its two boxes; false (with the box marked) when one does not read.
  bool OknoZPol() {
    std::optional<double> a = turbiny::SekundyZTekstu(S(oknoOd->text().trimmed()));
    std::optional<double> b = turbiny::SekundyZTekstu(S(oknoDo->text().trimmed()));
    for (auto [e, v] : {std::pair{oknoOd, a}, std::pair{oknoDo, b}})
      e->setStyleSheet(v ? QString() : QStringLiteral("color: #b00000"));
    if (!a || !b) {
      Uwaga(std::string("Pole \xE2\x80\x9E") + (!a ? "Od" : "Do") + "\xE2\x80\x9D: zły czas \xE2\x80\x9E" +
            S((!a ? oknoOd : oknoDo)->text()) +
            "\xE2\x80\x9D (oczekiwano 2026-03-14T10:00:05, 2026-03-14 10:00:05 albo 14.03.2026 10:00:05).");
      return false;
    }
    if (*a != od || *b != do_) UstawOkno(*a, *b);
    return true;
  }

  void UstawOkno(double a, double b) {
    od = std::min(a, b), do_ = std::max(a, b);
    oknoOd->setText(Q(turbiny::TekstIso(od)));
    oknoDo->setText(Q(turbiny::TekstIso(do_)));
    wykres->ustawOkno(od, do_);
    PrzeliczOkno();
  }

  void PrzeliczOkno() {
    okno.reset();
    bladOkna.clear();
    try {
      // The series were read once; only the window's statistics are new.
      okno = turbiny::StatystykiSerii(odczyt->serie, mapa, &turbina, {turbiny::TekstIso(od), turbiny::TekstIso(do_)});
    } catch (const BladTurbiny& e) {
      bladOkna = e.what();
    }
    std::vector<bool> zle;
    std::size_t ileZlych = 0;
    if (okno) {
      for (const turbiny::StatystykaKolumny& k : okno->kolumny) zle.push_back(!k.stabilny), ileZlych += !k.stabilny;
      oknoOpis->setText(ileZlych
                            ? QStringLiteral("wierszy w oknie: %1; niestabilnych kolumn: %2 z %3")
                                  .arg(okno->wiersze)
                                  .arg(ileZlych)
                                  .arg(okno->kolumny.size())
                            : QStringLiteral("wierszy w oknie: %1; wszystkie kolumny stabilne").arg(okno->wiersze));
    } else {
      oknoOpis->setText(Q(bladOkna));
    }
    oknoOpis->setStyleSheet(okno && !ileZlych ? QString() : QStringLiteral("color: #b00000"));
    wykres->ustawNiestabilne(zle);
  }

  // ---- the stability page -------------------------------------------------------------------

  QWizardPage* StronaStabilnosci() {
    auto* s = new StronaKreatora;
    s->setObjectName(QStringLiteral("stronaStabilnosci"));
    s->setTitle(QStringLiteral("Stabilność w oknie"));
    s->setSubTitle(QStringLiteral(
        "Statystyki każdej kolumny; kolumny poza dopuszczalnymi wahaniami zaznaczono na czerwono. Limity: "
        "z mapowania, z punktu turbiny albo domyślne (ciśnienie 0,25 % średniej, co najmniej 0,14 kPa; "
        "temperatura 4 K)."));
    podsumowanie = new QLabel;
    podsumowanie->setObjectName(QStringLiteral("podsumowanie"));
    podsumowanie->setWordWrap(true);
    tabelaStabilnosci = new QTableWidget(0, 12);
    tabelaStabilnosci->setObjectName(QStringLiteral("stabilnosc"));
    tabelaStabilnosci->setHorizontalHeaderLabels(
        {QStringLiteral("Kolumna"), QStringLiteral("Punkt"), QStringLiteral("n"), QStringLiteral("Braki"),
         QStringLiteral("Średnia"), QStringLiteral("s"), QStringLiteral("u losowa"), QStringLiteral("Fluktuacja"),
         QStringLiteral("Limit fl."), QStringLiteral("Dryf"), QStringLiteral("Limit dryfu"), QStringLiteral("Ocena")});
    tabelaStabilnosci->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabelaStabilnosci->verticalHeader()->setVisible(false);
    tabelaStabilnosci->horizontalHeader()->setStretchLastSection(true);
    auto* l = new QVBoxLayout(s);
    l->addWidget(podsumowanie);
    l->addWidget(tabelaStabilnosci, 1);
    s->wejscie = [this] { WypelnijStabilnosc(); };
    return s;
  }

  static QString Ocena(const turbiny::StatystykaKolumny& k) {
    if (k.stabilny) return QStringLiteral("stabilna");
    if (k.n < 2) return QStringLiteral("niestabilna: za mało próbek w oknie (n < 2)");
    const bool fl = !(k.fluktuacja <= k.limitFluktuacji), dr = !(std::fabs(k.dryf) <= k.limitDryfu);
    return fl && dr ? QStringLiteral("niestabilna: fluktuacja i dryf ponad limit")
           : fl ? QStringLiteral("niestabilna: fluktuacja %1 > %2").arg(Liczba(k.fluktuacja), Liczba(k.limitFluktuacji))
                : QStringLiteral("niestabilna: dryf %1, limit ±%2").arg(Liczba(k.dryf), Liczba(k.limitDryfu));
  }

  void WypelnijStabilnosc() {
    tabelaStabilnosci->setRowCount(0);
    if (!okno) return;
    const turbiny::Stabilnosc& st = *okno;
    tabelaStabilnosci->setRowCount(static_cast<int>(st.kolumny.size()));
    std::size_t zle = 0;
    for (std::size_t i = 0; i < st.kolumny.size(); ++i) {
      const turbiny::StatystykaKolumny& k = st.kolumny[i];
      const std::string co = k.kolumna.punkt.empty() ? "otoczenie [kPa]" : k.kolumna.punkt + "." + k.kolumna.wielkosc;
      const QString komorki[] = {
          Q(k.kolumna.kolumna),      Q(co),          QString::number(k.n), QString::number(k.brak),
          Liczba(k.srednia),         Liczba(k.s),    Liczba(k.uRandom),    Liczba(k.fluktuacja),
          Liczba(k.limitFluktuacji), Liczba(k.dryf), Liczba(k.limitDryfu), Ocena(k)};
      for (int c = 0; c < 12; ++c) {
        auto* it = new QTableWidgetItem(komorki[c]);
        if (c >= 2 && c <= 10) it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        if (!k.stabilny) {
          it->setBackground(QColor(255, 214, 214));
          it->setForeground(QColor(150, 0, 0));
        }
        tabelaStabilnosci->setItem(static_cast<int>(i), c, it);
      }
      zle += !k.stabilny;
    }
    tabelaStabilnosci->resizeColumnsToContents();
    QString tekst = QStringLiteral("Okno %1 – %2, wierszy %3. ")
                        .arg(Q(turbiny::TekstIso(st.od)), Q(turbiny::TekstIso(st.do_)))
                        .arg(st.wiersze);
    tekst += zle ? QStringLiteral("Niestabilne kolumny: %1 z %2 — wróć i zawęź okno; zapisany pomiar zachowa tę ocenę.")
                       .arg(zle)
                       .arg(st.kolumny.size())
                 : QStringLiteral("Wszystkie kolumny stabilne.");
    if (odczyt) tekst += QStringLiteral("\nOdczyt pliku — %1.").arg(Q(odczyt->wykryte));
    podsumowanie->setText(tekst);
    podsumowanie->setStyleSheet(zle ? QStringLiteral("color: #b00000") : QString());
  }

  // ---- the campaign page --------------------------------------------------------------------

  QWizardPage* StronaKampanii() {
    auto* s = new StronaKreatora;
    s->setObjectName(QStringLiteral("stronaKampanii"));
    s->setTitle(QStringLiteral("Nowy pomiar"));
    s->setSubTitle(QStringLiteral("Średnie okna z ich niepewnością losową zostaną zapisane jako pomiar turbiny %1.")
                       .arg(Q(turbina.nazwa)));
    idKampanii = new QLineEdit;
    idKampanii->setObjectName(QStringLiteral("idKampanii"));
    dataKampanii = new QLineEdit;
    dataKampanii->setObjectName(QStringLiteral("dataKampanii"));
    dataKampanii->setPlaceholderText(QStringLiteral("2026-03-14T10:00"));
    rodzaj = new QComboBox;
    rodzaj->setObjectName(QStringLiteral("rodzajKampanii"));
    rodzaj->addItem(QStringLiteral("badanie odbiorcze"), static_cast<int>(turbiny::RodzajKampanii::Odbiorcze));
    rodzaj->addItem(QStringLiteral("po remoncie"), static_cast<int>(turbiny::RodzajKampanii::PoRemoncie));
    rodzaj->addItem(QStringLiteral("okresowe"), static_cast<int>(turbiny::RodzajKampanii::Okresowe));
    rodzaj->setCurrentIndex(2);
    etykieta = new QLineEdit;
    etykieta->setObjectName(QStringLiteral("etykieta"));
    moc = new QLineEdit;
    moc->setObjectName(QStringLiteral("moc"));
    moc->setPlaceholderText(QStringLiteral("np. 200,5"));
    auto* f = new QFormLayout(s);
    f->addRow(QStringLiteral("Id pomiaru:"), idKampanii);
    f->addRow(QStringLiteral("Data (początek okna):"), dataKampanii);
    f->addRow(QStringLiteral("Rodzaj:"), rodzaj);
    f->addRow(QStringLiteral("Opis:"), etykieta);
    f->addRow(QStringLiteral("Moc [MW]:"), moc);
    QObject::connect(idKampanii, &QLineEdit::textEdited, q, [this] { idWpisany = true; });
    QObject::connect(dataKampanii, &QLineEdit::textEdited, q, [this] { dataWpisana = true; });
    QObject::connect(rodzaj, &QComboBox::currentIndexChanged, q, [this] { DomyslneKampanii(); });
    s->wejscie = [this] { DomyslneKampanii(); };
    s->wyjscie = [this] { return ZrobKampanie(); };
    return s;
  }

  void DomyslneKampanii() {
    const std::string start = turbiny::TekstIso(od).substr(0, 16);
    if (!dataWpisana) dataKampanii->setText(Q(start));
    static const char* const skroty[] = {"odb", "rem", "okr"};
    if (!idWpisany) idKampanii->setText(Q(start.substr(0, 7) + "-" + skroty[std::clamp(rodzaj->currentIndex(), 0, 2)]));
  }

  bool ZrobKampanie() {
    const std::string id = S(idKampanii->text().trimmed());
    const std::string data = S(dataKampanii->text().trimmed());
    if (id.empty()) {
      Uwaga("Pole \xE2\x80\x9EId pomiaru\xE2\x80\x9D: podaj identyfikator pomiaru, np. 2026-03-okr.");
      idKampanii->setFocus();
      return false;
    }
    if (!turbiny::SekundyDatyKampanii(data)) {
      Uwaga(
          "Pole \xE2\x80\x9E"
          "Data\xE2\x80\x9D: zły zapis \xE2\x80\x9E" +
          data + "\xE2\x80\x9D (oczekiwano 2026-03-14T10:00).");
      dataKampanii->setFocus();
      return false;
    }
    std::optional<double> mw;
    const QString tekstMocy = moc->text().trimmed();
    if (!tekstMocy.isEmpty()) {
      bool ok = false;
      const double v = QString(tekstMocy).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
      if (!ok || !std::isfinite(v) || v < 0) {
        Uwaga("Pole \xE2\x80\x9EMoc\xE2\x80\x9D: \xE2\x80\x9E" + S(tekstMocy) +
              "\xE2\x80\x9D nie jest liczbą nieujemną (MW).");
        moc->setFocus();
        return false;
      }
      mw = v;
    }
    if (!okno || !odczyt) return false;
    kampania = turbiny::KampaniaZeStabilnosci(*okno, id, data,
                                              static_cast<turbiny::RodzajKampanii>(rodzaj->currentData().toInt()));
    kampania.etykieta = S(etykieta->text().trimmed());
    kampania.mocMW = mw;
    serie = odczyt->serie;
    mapowanie = turbiny::MapowanieDoJson(mapa);
    return true;
  }
};

ImportWizard::ImportWizard(const turbiny::Turbina& turbina, Dialogs& dialogs, QWidget* parent)
    : QWizard(parent), d_(new Impl(this, turbina, dialogs)) {
  setObjectName(QStringLiteral("importWizard"));
  setWindowTitle(QStringLiteral("Import CSV — %1").arg(QString::fromStdString(turbina.nazwa)));
  setWizardStyle(QWizard::ClassicStyle);
  setOption(QWizard::NoBackButtonOnStartPage);
  setOption(QWizard::NoDefaultButton);
  setButtonText(QWizard::BackButton, QStringLiteral("< Wstecz"));
  setButtonText(QWizard::NextButton, QStringLiteral("Dalej >"));
  setButtonText(QWizard::FinishButton, QStringLiteral("Zapisz pomiar"));
  setButtonText(QWizard::CancelButton, QStringLiteral("Anuluj"));
  setPage(kPlik, d_->StronaPliku());
  setPage(kPodglad, d_->StronaPodgladu());
  setPage(kMapowanie, d_->StronaMapowania());
  setPage(kSerie, d_->StronaSerii());
  setPage(kStabilnosc, d_->StronaStabilnosci());
  setPage(kKampania, d_->StronaKampanii());
  setStartId(kPlik);
  connect(&d_->zegar, &QTimer::timeout, this, [this] {
    if (d_->zadanie && d_->postep && d_->postep->maximum() > 0) d_->postep->setValue(d_->zadanie->postep);
  });
  resize(1200, 760);
}

ImportWizard::~ImportWizard() { delete d_; }
const turbiny::Kampania& ImportWizard::kampania() const { return d_->kampania; }
const std::vector<turbiny::Seria>& ImportWizard::serie() const { return d_->serie; }
const std::string& ImportWizard::mapowanie() const { return d_->mapowanie; }
bool ImportWizard::zajety() const { return d_->zadanie != nullptr; }

void ImportWizard::ustawPlik(const QString& path) {
  d_->plik->setText(path);
  if (currentId() == -1) restart();
  if (currentId() == kPlik) next();
}

}  // namespace kal
