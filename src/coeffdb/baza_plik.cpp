// Kalorimo.dat: opened once per run (created when missing) and kept open; record 1 is read into
// the in-memory record before each calculation and written only with the defaults.
#include "coeffdb/baza_plik.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/checked.h"
#include "common/errors.h"
#include "common/file_io.h"

namespace kal {

namespace {

[[noreturn]] void FileFail(const char* source) {
  const int e = errno;
  Raise(NumerBleduPliku(e, RodzajPliku::Baza), source, e);
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

  int fd = ::open(PlikBazy.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
  // A file that may not be written (read-only folder or medium) still serves when it holds a
  // record: only an empty file is ever written.
  int bladZapisu = 0;
  if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    bladZapisu = errno;
    fd = ::open(PlikBazy.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) errno = bladZapisu;
  }
  if (fd < 0) FileFail("OtworzBaze");
  struct stat info {};
  if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) ||
      (bladZapisu != 0 && CInt(static_cast<double>(info.st_size) / static_cast<double>(kRecordLen)) == 0)) {
    const int e = S_ISDIR(info.st_mode) ? EISDIR : bladZapisu != 0 ? bladZapisu : errno;
    ::close(fd);
    errno = e;
    FileFail("OtworzBaze");
  }
  std::FILE* f = ::fdopen(fd, bladZapisu != 0 ? "rb" : "r+b");
  if (!f) {
    const int e = errno;
    ::close(fd);
    errno = e;
    FileFail("OtworzBaze");
  }
  // Unbuffered: every read sees the file as it is now, even when edited between calculations.
  std::setvbuf(f, nullptr, _IONBF, 0);
  plik_ = f;
  NrPlikuBazy = 1;

  // Records by rounding, halves to even: 620 bytes count as none, 621 as one.
  LiczbaRekordow = CInt(static_cast<double>(info.st_size) / static_cast<double>(kRecordLen));
  if (LiczbaRekordow == 0) WpisujDane(Blad);
}

// An editor that saves by writing a new file and renaming it over Kalorimo.dat leaves the open
// handle on the old contents: follow the name to the new file, so the edit applies at once.
void BazaKalorimo::SledzZamiane() {
  struct stat naDysku {
  }, otwarty{};
  if (::stat(PlikBazy.c_str(), &naDysku) != 0 || !S_ISREG(naDysku.st_mode)) return;
  if (::fstat(::fileno(plik_), &otwarty) != 0) return;
  if (naDysku.st_dev == otwarty.st_dev && naDysku.st_ino == otwarty.st_ino) return;
  int fd = ::open(PlikBazy.c_str(), O_RDWR | O_CLOEXEC);
  const bool tylkoOdczyt = fd < 0;
  if (tylkoOdczyt) fd = ::open(PlikBazy.c_str(), O_RDONLY | O_CLOEXEC);
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

void BazaKalorimo::CzytajRekord1() {
  if (!plik_) Raise(ErrBadFileName, "CzytajRekord1");
  SledzZamiane();
  std::uint8_t buf[kRecordLen];
  if (std::fseek(plik_, 0, SEEK_SET) != 0) FileFail("CzytajRekord1");
  const std::size_t n = std::fread(buf, 1, kRecordLen, plik_);
  if (std::ferror(plik_)) {
    std::clearerr(plik_);
    FileFail("CzytajRekord1");
  }
  std::clearerr(plik_);  // a record cut short is no error
  CzytajRekord(baza, buf, n);
}

void BazaKalorimo::WpisujDane(std::uint8_t& Blad) {
  Baza tabele;
  CzytArray(tabele, Blad);
  CzytajRekord1();
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

  std::uint8_t buf[kRecordLen];
  ZapiszRekord(baza, buf);
  // The bytes the file held (no record: 620 at most), put back when the record cannot be
  // written whole; a part of a record beyond 620 bytes would count as a record next time.
  std::uint8_t dawne[kRecordLen];
  if (std::fseek(plik_, 0, SEEK_SET) != 0) FileFail("WpisujDane");
  const std::size_t nDawne = std::fread(dawne, 1, kRecordLen, plik_);
  std::clearerr(plik_);
  if (std::fseek(plik_, 0, SEEK_SET) != 0) FileFail("WpisujDane");
  errno = 0;
  if (std::fwrite(buf, 1, kRecordLen, plik_) != kRecordLen || std::fflush(plik_) != 0) {
    if (errno == 0) errno = EIO;
    const int e = errno;
    std::clearerr(plik_);
    const int fd = ::fileno(plik_);
    if (::ftruncate(fd, static_cast<off_t>(nDawne)) == 0) (void)!::pwrite(fd, dawne, nDawne, 0);
    errno = e;
    FileFail("WpisujDane");
  }
}

}  // namespace kal
