// Kalorimo.dat: opened once per run (created when missing) and kept open; record 1 is read into
// the in-memory record before each calculation and written only with the defaults.
#include "coeffdb/baza_plik.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "common/checked.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace kal {

namespace {

// The record count is a 16-bit number: a longer file cannot be this program's.
constexpr off_t kNajwiecejBajtow = static_cast<off_t>(32767) * static_cast<off_t>(kRecordLen);

[[noreturn]] void FileFail(const char* source, const std::string& path) {
  const int e = errno;
  RunTimeError err(NumerBleduPliku(e, RodzajPliku::Baza), source, e);
  err.szczegoly = "plik -> " + path + " : " + PowodBledu(e);
  throw err;
}

}  // namespace

BazaKalorimo::~BazaKalorimo() {
  if (plik_) std::fclose(plik_);
}

void BazaKalorimo::OtworzBaze(const std::string& Folder, std::uint8_t& Blad) {
  PlikBazy = Folder + "Kalorimo.dat";
  // Already open this run: the record was ensured by the first call, so nothing is written
  // again (a record edited meanwhile must not be replaced by the defaults).
  if (NrPlikuBazy != 0) return;

  // Without blocking: a FIFO in its place must not hang the start.
  int fd = ::open(PlikBazy.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
  // A file that may not be written (read-only folder or medium) still serves when it holds a
  // record: only an empty file is ever written.
  int bladZapisu = 0;
  if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    bladZapisu = errno;
    fd = ::open(PlikBazy.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) errno = bladZapisu;
  }
  if (fd < 0) FileFail("OtworzBaze", PlikBazy);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) ||
      (bladZapisu != 0 && info.st_size <= static_cast<off_t>(kRecordLen / 2))) {
    const int e = S_ISDIR(info.st_mode) ? EISDIR : bladZapisu != 0 ? bladZapisu : errno;
    ::close(fd);
    errno = e;
    FileFail("OtworzBaze", PlikBazy);
  }
  std::FILE* f = ::fdopen(fd, bladZapisu != 0 ? "rb" : "r+b");
  if (!f) {
    const int e = errno;
    ::close(fd);
    errno = e;
    FileFail("OtworzBaze", PlikBazy);
  }
  // Unbuffered: every read sees the file as it is now, even when edited between calculations.
  std::setvbuf(f, nullptr, _IONBF, 0);
  plik_ = f;
  NrPlikuBazy = 1;

  // Records by rounding, halves to even: 620 bytes count as none, 621 as one. A device or a
  // file too large for the count gets no defaults written: its first read refuses it.
  if (!S_ISREG(info.st_mode) || info.st_size > kNajwiecejBajtow) {
    LiczbaRekordow = 1;
    return;
  }
  LiczbaRekordow = CInt(static_cast<double>(info.st_size) / static_cast<double>(kRecordLen));
  if (LiczbaRekordow == 0) WpisujDane(Blad);
}

// An editor that saves by writing a new file and renaming it over Kalorimo.dat leaves the open
// handle on the old contents: follow the name to the new file, so the edit applies at once.
void BazaKalorimo::SledzZamiane(const struct stat& naDysku) {
  struct stat otwarty {};
  if (!S_ISREG(naDysku.st_mode)) return;
  if (::fstat(::fileno(plik_), &otwarty) != 0) return;
  if (naDysku.st_dev == otwarty.st_dev && naDysku.st_ino == otwarty.st_ino) return;
  int fd = ::open(PlikBazy.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
  const bool tylkoOdczyt = fd < 0;
  if (tylkoOdczyt) fd = ::open(PlikBazy.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return;  // the old contents still serve
  std::FILE* f = ::fdopen(fd, tylkoOdczyt ? "rb" : "r+b");
  if (!f) {
    ::close(fd);
    return;
  }
  std::setvbuf(f, nullptr, _IONBF, 0);
  std::fclose(plik_);
  plik_ = f;
}

std::size_t BazaKalorimo::CzytajBajty(std::uint8_t (&buf)[kRecordLen]) {
  if (std::fseek(plik_, 0, SEEK_SET) != 0) FileFail("CzytajRekord1", PlikBazy);
  const std::size_t n = std::fread(buf, 1, kRecordLen, plik_);
  if (std::ferror(plik_)) {
    std::clearerr(plik_);
    FileFail("CzytajRekord1", PlikBazy);
  }
  std::clearerr(plik_);  // a record cut short is no error
  return n;
}

void BazaKalorimo::CzytajSurowy(Baza& cel) {
  std::uint8_t buf[kRecordLen];
  const std::size_t n = CzytajBajty(buf);
  CzytajRekord(cel, buf, n);
}

std::string BazaKalorimo::Odrzuc() {
  struct stat info {};
  if (::fstat(::fileno(plik_), &info) != 0 || !S_ISREG(info.st_mode)) return "to nie jest zwykły plik";
  if (info.st_size < static_cast<off_t>(kRecordLen) || info.st_size > kNajwiecejBajtow) {
    return "długość " + std::to_string(info.st_size) + " bajtów, a rekord ma " + std::to_string(kRecordLen);
  }
  return "";
}

void BazaKalorimo::CzytajRekord1() {
  if (!plik_) Raise(ErrBadFileName, "CzytajRekord1");
  if (czytajRaz && przeczytany_) return;
  struct stat naDysku {};
  if (::stat(PlikBazy.c_str(), &naDysku) == 0) SledzZamiane(naDysku);
  // The record's bytes every time (microseconds): an edit that leaves size and time stamps as
  // they were (a shared mapping written in place) applies too. The same bytes as at the last
  // accepted read keep the decoded record, and with its version the library's kept values.
  // A refused file is read (and its refusal told) every time, so the user is never left
  // calculating on the fallback unawares.
  std::string powod = sprawdz ? Odrzuc() : "";
  std::uint8_t buf[kRecordLen];
  const std::size_t n = powod.empty() ? CzytajBajty(buf) : 0;
  if (powod.empty() && bajtyOk_ && !odrzucony_ && n == nBajtow_ && std::equal(buf, buf + n, bajty_)) return;
  przeczytany_ = true;
  odrzucony_ = false;
  bajtyOk_ = false;
  if (sprawdz && powod.empty()) {
    Baza nowa = baza;
    CzytajRekord(nowa, buf, n);
    powod = sprawdz(nowa);
    if (powod.empty()) baza = nowa;
  } else if (!sprawdz) {
    CzytajRekord(baza, buf, n);
  }
  if (powod.empty()) {
    if (sprawdz) {
      dobry_ = true;
      naDomyslnych = false;
    }
    std::copy(buf, buf + n, bajty_);
    nBajtow_ = n;
    bajtyOk_ = true;
    return;
  }
  odrzucenie = powod;
  odrzucony_ = true;
  if (!dobry_) {
    std::uint8_t blad = 0;
    CzytArray(baza, blad);
    dobry_ = true;
    naDomyslnych = true;
  }
}

void BazaKalorimo::WpisujDane(std::uint8_t& Blad) {
  Baza tabele;
  CzytArray(tabele, Blad);
  CzytajSurowy(baza);
  // Only the used elements: element 0 of each table keeps what was read.
  for (int j = 1; j <= 4; ++j)
    for (int i = 1; i <= 6; ++i) baza.Tab1[j][i] = tabele.Tab1[j][i];
  auto copy = [](double* to, const double* from, int last) {
    for (int k = 1; k <= last; ++k) to[k] = from[k];
  };
  copy(baza.Tab2, tabele.Tab2, 12);
  copy(baza.Tab3, tabele.Tab3, 10);
  copy(baza.Tab4, tabele.Tab4, 11);
  copy(baza.Tab5, tabele.Tab5, 11);
  copy(baza.Tab6, tabele.Tab6, 8);
  copy(baza.Tab7, tabele.Tab7, 10);
  copy(baza.Tab8, tabele.Tab8, 11);
  copy(baza.Tab9, tabele.Tab9, 4);
  copy(baza.Tab10, tabele.Tab10, 4);
  copy(baza.Tab11, tabele.Tab11, 4);
  copy(baza.Tab12, tabele.Tab12, 4);
  copy(baza.Tab13, tabele.Tab13, 4);
  copy(baza.Tab14, tabele.Tab14, 4);
  copy(baza.Tab15, tabele.Tab15, 4);
  copy(baza.Tab16, tabele.Tab16, 4);
  baza.Zmieniona();

  std::uint8_t buf[kRecordLen];
  ZapiszRekord(baza, buf);
  // The bytes the file held (no record: 620 at most), put back when the record cannot be
  // written whole; a part of a record beyond 620 bytes would count as a record next time.
  std::uint8_t dawne[kRecordLen];
  if (std::fseek(plik_, 0, SEEK_SET) != 0) FileFail("WpisujDane", PlikBazy);
  const std::size_t nDawne = std::fread(dawne, 1, kRecordLen, plik_);
  std::clearerr(plik_);
  if (std::fseek(plik_, 0, SEEK_SET) != 0) FileFail("WpisujDane", PlikBazy);
  errno = 0;
  if (std::fwrite(buf, 1, kRecordLen, plik_) != kRecordLen || std::fflush(plik_) != 0) {
    if (errno == 0) errno = EIO;
    const int e = errno;
    std::clearerr(plik_);
    const int fd = ::fileno(plik_);
    if (::ftruncate(fd, static_cast<off_t>(nDawne)) == 0) (void)!::pwrite(fd, dawne, nDawne, 0);
    errno = e;
    FileFail("WpisujDane", PlikBazy);
  }
  dobry_ = true;
}

}  // namespace kal
