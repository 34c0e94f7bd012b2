// The input correction: a typed text becomes a number, or the user is asked what to do.
#include <string>

#include "common/checked.h"
#include "common/mod_main.h"
#include "common/number_text.h"

namespace kal {

namespace {

// Blanks only; tabs and other white space are characters like any other.
std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(' ');
  if (b == std::string::npos) return std::string();
  return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

// The fifteen codes 43..57: + , - . / and the digits.
bool AllAccepted(const std::string& t) {
  for (unsigned char c : t) {
    if (c < 43 || c > 57) return false;
  }
  return true;
}

bool Twice(const std::string& t, char c) {
  std::size_t first = t.find(c);
  return first != std::string::npos && t.find(c, first + 1) != std::string::npos;
}

Wynik NumberResult(double v) {
  Wynik w;
  w.kind = Wynik::Number;
  w.number = v;
  return w;
}

}  // namespace

float Wynik::ToSingle(char decimalSep) const {
  switch (kind) {
    case Empty:
      return 0.0f;
    case Number:
      return Sng(number);
    case Text:
      return Sng(ParseLocale(text, decimalSep));
  }
  return 0.0f;
}

Wynik ModMain::PoprawDane(double value) {
  std::string text = LocaleTextDouble(value, decimalSep);
  return PoprawDane(text);
}

Wynik ModMain::PoprawDane(std::string& value) {
  try {
    // The usual case, a plain number without blanks: nothing to trim and no digit groups.
    if (!value.empty() && AllAccepted(value) && !Twice(value, '.') && !Twice(value, ',')) {
      const std::size_t d = value.find('.');
      if (d == std::string::npos) return NumberResult(ParseLocale(value, ','));
      if (value.find(',') == std::string::npos) {
        std::string t = value;
        t[d] = ',';  // the comma is the decimal separator here whatever the locale
        return NumberResult(ParseLocale(t, ','));
      }
    }
    for (;;) {
      if (value.find_first_not_of(' ') == std::string::npos) return Wynik{};
      // A number as the program itself shows it ("10 000", "2 257,") is no typo: no question.
      const std::string bez = ZdejmijGrupyCyfr(value);
      const bool grupy = bez != value;
      const std::string t = grupy ? bez : Trim(value);
      if (AllAccepted(t)) {
        const std::size_t d = t.find('.');
        const bool valid =
            !Twice(t, '.') && !Twice(t, ',') && !(d != std::string::npos && t.find(',') != std::string::npos);
        if (valid) {
          // The comma is the decimal separator here whatever the locale; a point stands for it.
          if (d != std::string::npos) {
            return NumberResult(ParseLocale(t.substr(0, d) + "," + t.substr(d + 1), ','));
          }
          return NumberResult(ParseLocale(grupy ? t : value, ','));
        }
        dialogs_.MsgBox("Nieprawidłowa wartość zmiennej   - " + value, Buttons::OK, Icon::Information, "");
      } else {
        const Answer keep = dialogs_.MsgBox("Zostawić tę  zmieną    " + value + "  ?", Buttons::YesNo, Icon::None,
                                            "Poprawność  danych");
        if (keep == Answer::Yes) {
          Wynik w;
          w.kind = Wynik::Text;
          w.text = t;
          return w;
        }
      }
      value = dialogs_.InputBox("Nowa  wartość zmiennej", "Moduł poprawek ");
    }
  } catch (const RunTimeError& err) {
    RaportBledu(err);
    return Wynik{};
  }
}

}  // namespace kal
