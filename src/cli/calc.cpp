// Batch calculation on the headless main-window model.
#include "cli/calc.h"

#include "app/kalorimo_app.h"
#include "cli/cli_options.h"

namespace kal::cli {

Calculator::Calculator(Settings settings, std::FILE* echo) : settings_(std::move(settings)), echo_(echo) {}

Calculator::~Calculator() = default;

std::unique_ptr<KalorimoApp> Calculator::FreshApp() {
  auto app = std::make_unique<KalorimoApp>(dialogs_, platform_, settings_.decimalSep);
  app->folderOverride = settings_.dataDir;
  // A batch line starts as after a first start: nothing from the window's last session.
  app->czytajOstatnieDane = false;
  app->db.czytajRaz = true;  // the record of the first calculation serves the whole run
  app->Form_Load();
  return app;
}

bool Calculator::Start() {
  dialogs_.Clear();
  dialogs_.echo = echo_;
  dialogs_.prefix = "kalorimo-calc: start: ";
  dialogs_.line = 0;
  std::unique_ptr<KalorimoApp> app = FreshApp();
  // The start-up reports a data folder or coefficient file it cannot use through the error
  // report and ends early, leaving the coefficient file closed.
  // A refused coefficient file also ends it: a batch must not run on other coefficients than
  // the ones it was given.
  bool ok = app->db.NrPlikuBazy != 0 && !dialogs_.error && platform_.endRequests == 0 && !app->db.naDomyslnych;
  startupMessages_ = dialogs_.messages;
  dialogs_.Clear();
  // A start-up that failed is run again for each line, as it always was.
  if (ok) {
    app->ZapamietajStart();
    app_ = std::move(app);
  }
  return ok;
}

LineResult Calculator::Bad(int line, const std::string& text, const std::string& why) {
  LineResult r;
  r.line = line;
  r.parsed = false;
  r.syntax = why;
  r.a = text;
  r.ok = false;
  return r;
}

LineResult Calculator::Run(const Request& request, int line) { return Run(request, line, {}); }

LineResult Calculator::Run(const Request& request, int line, const std::function<void(KalorimoApp&)>& after) {
  const PairInfo& info = Info(request.pair);
  LineResult r;
  r.line = line;
  r.pairName = info.name;
  r.a = request.a;
  r.b = request.b;

  // Start-up boxes were reported once by Start(); only the calculation's own count here.
  std::unique_ptr<KalorimoApp> fresh;
  if (freshPerLine || !app_) {
    dialogs_.echo = nullptr;
    fresh = FreshApp();
    dialogs_.echo = echo_;
  } else {
    app_->WrocDoStartu();
  }
  dialogs_.Clear();
  dialogs_.line = line;

  KalorimoApp& m = fresh ? *fresh : *app_;
  // The unit is picked before anything is ticked, so no typed value gets converted.
  if (settings_.unitIndex != 0) m.Combo1_Click(settings_.unitIndex);
  m.frm.Check[info.checkA].Value = 1;
  m.Check_Click(info.checkA);
  m.frm.Check[info.checkB].Value = 1;
  m.Check_Click(info.checkB);
  m.frm.Text_IS[info.checkA].Text = request.a;
  m.frm.Text_IS[info.checkB].Text = request.b;
  m.cmdOblicz_Click();

  for (int i = 0; i < 10; ++i) r.boxes[i] = m.frm.Text_IS[i].Text;
  // The temperature-enthalpy wet branch writes box P in MPa and says so in the unit list.
  const std::string& list = m.frm.Combo1Text;
  std::size_t b = list.find_first_not_of(' '), e = list.find_last_not_of(' ');
  r.unitShown = b == std::string::npos ? UnitName(settings_.unitIndex) : list.substr(b, e - b + 1);
  r.heatRowVisible = m.frm.lbl_V[3].Visible;  // the row's caption carries its visibility
  if (m.mokra.Loaded) {
    std::array<std::string, 12> w;
    for (int i = 0; i < 12; ++i) w[i] = m.mokra.txtMokra[i].Text;
    r.wet = w;
  }
  r.state = m.st();
  r.taken = {m.odczytane[static_cast<std::size_t>(info.checkA)], m.odczytane[static_cast<std::size_t>(info.checkB)]};
  r.messages = dialogs_.messages;
  r.error = dialogs_.error;
  // Every branch that runs through writes all of boxes P to V, and a fresh window holds them
  // empty, so an empty one is the only trace of a rejection the command cleared without a box.
  for (int i = pole::P; i <= pole::V && r.messages.empty() && !r.error; ++i) {
    if (i != info.checkA && i != info.checkB && r.boxes[i].find_first_not_of(' ') == std::string::npos) {
      r.skipped = true;
    }
  }
  r.ok = r.messages.empty() && !r.error && r.state.Blad == 0 && !r.skipped;
  if (after) after(m);
  return r;
}

}  // namespace kal::cli
