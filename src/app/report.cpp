// The results report Notes.txt: saved by "&Zapisz ", shown by "&Odczytaj" in the program's own
// viewer (a desktop editor may lack a viewer for text or misread Windows-1250).
#include <cerrno>
#include <fstream>
#include <sstream>

#include "app/kalorimo_app.h"
#include "common/checked.h"
#include "common/cp1250.h"
#include "common/file_io.h"
#include "common/jednostki.h"
#include "common/number_text.h"

namespace kal {

namespace {

const char* const kCRLF = "\r\n";

// Dryness as the report words it: wet steam by its number (two decimals, plain form),
// superheated (stored as exactly 1) and from 1.01 on "x>1", just above 1 "x=1".
std::string TekstSuchosci(float x, char sep) {
  if (x < 1) return PlainText(Sng(ParseLocale(Format(x, "0.00", sep), sep)));
  if (x == 1 || x >= 1.01f) return "x>1";
  return "x=1";
}

}  // namespace

void KalorimoApp::mnuZapisz_Click() {
  try {
    const std::string sucho = TekstSuchosci(st().xPary, decimalSep);

    // A code that names no unit leaves the unit text of the previous report.
    if (const JednostkaCisnienia* j = ZnanaJednostka(frm.kodJednP)) frm.jednTxt = j->nazwa;

    // The pressure box may have been edited since the calculation.
    std::string p = frm.Text_IS[pole::P].Text;
    modMain.PoprawDane(p);
    Spr_pPary(1);

    std::string r = frm.Folder + "/Notes.txt" + kCRLF;
    r += kCRLF;
    r += kCRLF;
    r += "   ciśnienie  pary      " + LocaleText(frm.pParyJedn, decimalSep) + "       " + frm.jednTxt + kCRLF;
    r += kCRLF;
    r += "   temperatura pary   " + Format(frm.tParyInt, "#00", decimalSep) + "        C " + kCRLF;
    r += kCRLF;
    r += "   kalorimo   pary    " + Format(frm.hParyZap, "# #00.0", decimalSep) + "     kJ/kg" + kCRLF;
    r += kCRLF;
    r += "   entropia   pary    " + Format(frm.sParyZap, "0.00", decimalSep) + "        kJ/deg/kg" + kCRLF;
    r += kCRLF;
    r += "   objętość właściwa  " + Format(frm.vParyZap, "#0.000", decimalSep) + "        m3/kg" + kCRLF;
    r += kCRLF;
    r += "   stopień suchości   " + sucho;

    if (frm.Folder.empty()) frm.Folder = frm.SciezkaProgramu;
    // A new file replaces the old one only when it is whole.
    ZapiszPlikBezpiecznie(frm.Folder + "/Notes.txt", "\"" + ToCp1250(r) + "\"" + kCRLF, false, "mnuZapisz_Click");
  } catch (const RunTimeError& e) {
    // Nothing saved: the menu stays as it was.
    modMain.RaportBledu(e);
    return;
  }
  frm.mnuOdczytaj.Enabled = true;
}

void KalorimoApp::mnuOdczytaj_Click() {
  oknaBoczne_ = true;
  const std::string path = frm.Folder + "/Notes.txt";
  try {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
      RunTimeError e(ErrFileNotFound, "mnuOdczytaj_Click", errno);
      e.description += " - plik " + path;
      throw e;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    raport.Path = path;
    raport.Text = FromCp1250(bytes.str());
    raport.Visible = true;
  } catch (const RunTimeError& e) {
    modMain.RaportBledu(e);
  }
}

void KalorimoApp::cmdEdytor_Click() {
  if (modMain.platform().OpenInEditor(raport.Path)) return;
  modMain.dialogs().MsgBox("Nie udało się otworzyć pliku " + raport.Path + " w edytorze tekstu.\r\n" +
                               "Raport można skopiować przyciskiem \"Kopiuj\".",
                           Buttons::OK, Icon::Exclamation, "");
}

void KalorimoApp::Raport_Zamknij() { raport.Visible = false; }

}  // namespace kal
