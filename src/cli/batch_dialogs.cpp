#include "cli/batch_dialogs.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>

namespace kal::cli {

namespace {

// The box's CR LF line breaks become a line break and an indent on the terminal.
void Echo(std::FILE* f, const std::string& prefix, const std::string& title, const std::string& text) {
  std::string t;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    t += text[i];
    if (text[i] == '\n') t += "    ";
  }
  std::fprintf(f, "%s[%s] %s\n", prefix.c_str(), title.c_str(), t.c_str());
}

}  // namespace

void BatchDialogs::Record(const std::string& title, const std::string& text) {
  std::string shown = title.empty() ? kAppTitle : title;
  if (echo) Echo(echo, line > 0 ? "kalorimo-calc: wiersz " + std::to_string(line) + ": " : prefix, shown, text);
  messages.push_back({std::move(shown), text});
}

Answer BatchDialogs::MsgBox(const std::string& text, Buttons buttons, Icon, const std::string& title) {
  Record(title, text);
  if (buttons == Buttons::OK) return Answer::Ok;
  if (title == kTytulRaportu) {
    if (!error) error = ParseErrorReport(text);
    if (!error) error = ErrorInfo{0, text};
    return Answer::Yes;
  }
  return Answer::No;
}

std::string BatchDialogs::InputBox(const std::string& prompt, const std::string& title) {
  Record(title, prompt);
  return "";
}

std::optional<ErrorInfo> ParseErrorReport(const std::string& text) {
  static const std::string kNr = " Wystąpił błąd wykonania nr -> ";
  static const std::string kOpis = "  co oznacza ->  ";
  if (text.compare(0, kNr.size(), kNr) != 0) return std::nullopt;
  std::size_t eol = text.find("\r\n");
  std::string nr = text.substr(kNr.size(), eol == std::string::npos ? std::string::npos : eol - kNr.size());
  char* end = nullptr;
  long n = std::strtol(nr.c_str(), &end, 10);
  if (nr.empty() || *end != '\0' || n < INT_MIN || n > INT_MAX) return std::nullopt;
  ErrorInfo e{static_cast<int>(n), ""};
  if (eol != std::string::npos && text.compare(eol + 2, kOpis.size(), kOpis) == 0) {
    std::size_t from = eol + 2 + kOpis.size();
    std::size_t eol2 = text.find("\r\n", from);
    e.description = text.substr(from, eol2 == std::string::npos ? std::string::npos : eol2 - from);
  }
  return e;
}

// The window's folder too: both programs use the same data folder beside them.
std::string CliPlatform::ExecutableDir() { return KatalogProgramu(); }

}  // namespace kal::cli
