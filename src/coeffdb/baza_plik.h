// Kalorimo.dat: the coefficient file, opened once per run and kept open; record 1 is read into
// Baza before every calculation, so an edited file applies at once.
#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

struct stat;

#include "coeffdb/baza.h"

namespace kal {

class BazaKalorimo {
 public:
  BazaKalorimo() = default;
  ~BazaKalorimo();
  BazaKalorimo(const BazaKalorimo&) = delete;
  BazaKalorimo& operator=(const BazaKalorimo&) = delete;

  Baza baza;                     // the in-memory record the property functions read
  std::string PlikBazy;          // Folder + "Kalorimo.dat"
  std::uint8_t NrPlikuBazy = 0;  // 0 until the file is open
  std::int16_t LiczbaRekordow = 0;

  // Opens (creating when missing) Folder + "Kalorimo.dat" once per run; writes the default
  // record when the file holds none (620 bytes or less). `Blad` is the library's error flag,
  // which the defaults' loading clears. File failures raise run-time errors (53, 75, 76 ...).
  void OtworzBaze(const std::string& Folder, std::uint8_t& Blad);
  // Reads record 1 of the open file into `baza`; a record cut short is read as far as it goes.
  // The bytes are read every time, so an edit applies at the next calculation; the same bytes
  // as at the last accepted read leave `baza` (and its version) as they are.
  // With `sprawdz` set, a file that is no regular file of whole records, or whose record
  // `sprawdz` finds implausible, is refused: `baza` keeps the last good record (the defaults
  // when there was none) and `odrzucenie` says why.
  void CzytajRekord1();
  // Checks a record read from the file: "" when it may be used, else the failing value.
  std::function<std::string(const Baza&)> sprawdz;
  std::string odrzucenie;     // set by a refused read, cleared by whoever reports it
  bool naDomyslnych = false;  // `baza` holds the built-in defaults after a refusal
  // True: after the first read the record is kept for the rest of the run, edits or not (the
  // batch tool reads the file once per run).
  bool czytajRaz = false;
  // Writes the default coefficients as record 1 (called by OtworzBaze only).
  void WpisujDane(std::uint8_t& Blad);

 private:
  void SledzZamiane(const struct stat& naDysku);
  std::size_t CzytajBajty(std::uint8_t (&buf)[kRecordLen]);  // record 1's bytes as far as they go
  void CzytajSurowy(Baza& cel);                              // record 1 as far as the file goes, unchecked
  std::string Odrzuc();                                      // why the open file cannot hold a record, "" when it can
  std::FILE* plik_ = nullptr;
  bool dobry_ = false;        // `baza` holds a record that was accepted (or the defaults)
  bool odrzucony_ = false;    // the last read refused the file
  bool przeczytany_ = false;  // read at least once this run
  // The bytes of the last accepted read (when bajtyOk_), which `baza` decodes.
  bool bajtyOk_ = false;
  std::uint8_t bajty_[kRecordLen] = {};
  std::size_t nBajtow_ = 0;
};

// The default coefficient tables (all elements 0 except the used ones); clears `Blad`.
void CzytArray(Baza& tabele, std::uint8_t& Blad);

}  // namespace kal
