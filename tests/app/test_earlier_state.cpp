// What a calculation shows belongs to it: each pair, run after a wet, a superheated and a
// failed calculation, shows exactly what it shows on a fresh start.
#include <string>
#include <vector>

#include "app/app_fixture.h"

namespace kal::test {
namespace {

using namespace pole;

struct Input {
  const char* name;
  int a;
  const char* va;
  int b;
  const char* vb;
};
void PrintTo(const Input& c, std::ostream* os) { *os << c.name; }

const Input kPary[] = {
    {"p_t_super", P, "1", T, "200"},  {"p_t_water", P, "1", T, "150"},    {"p_h_super", P, "1", H, "2900"},
    {"p_h_wet", P, "1", H, "2000"},   {"t_h_super", T, "200", H, "2900"}, {"t_h_wet", T, "150", H, "2000"},
    {"x_t", X, "0,9", T, "100"},      {"x_p", X, "0,3", P, "2"},          {"p_s_super", P, "1", S, "7"},
    {"p_s_wet", P, "1", S, "5"},      {"t_s_super", T, "200", S, "7"},    {"t_s_wet", T, "150", S, "5"},
    {"h_s_super", H, "2900", S, "7"}, {"h_s_wet", H, "2500", S, "6,5"},
};

enum class Earlier { Wet, Superheated, Failed };
void PrintTo(Earlier e, std::ostream* os) {
  *os << (e == Earlier::Wet ? "after wet" : e == Earlier::Superheated ? "after superheated" : "after failed");
}

void RunEarlier(AppRig& r, Earlier e) {
  switch (e) {
    case Earlier::Wet:
      r.Oblicz(X, "0,5", T, "120");
      break;
    case Earlier::Superheated:
      r.Oblicz(P, "5", T, "400");
      break;
    case Earlier::Failed:
      r.Oblicz(P, "5", T, "400");
      r.dialogs.ExpectOk("Niewłaściwe ciśnienie pary, Sub Dane_T_P() ,  p = 30,0 [MPa]");
      r.Oblicz(P, "30", T, "450");
      break;
  }
}

// Everything a calculation may show: the boxes (the heat of vaporisation only while visible),
// "Para mokra", and the values the report and the window take.
std::vector<std::string> Seen(AppRig& r) {
  std::vector<std::string> v;
  for (int i = 0; i < 8; ++i) v.push_back(r.Box(i));
  v.push_back(r.frm().Text_IS[8].Visible ? "r=" + r.Box(8) : "r hidden");
  v.push_back(r.app().mokra.Visible ? "wet open" : "wet closed");
  if (r.app().mokra.Visible)
    for (const auto& b : r.app().mokra.txtMokra) v.push_back(b.Text);
  if (r.app().mokra.Visible) v.push_back("ifMokra " + std::to_string(r.frm().ifMokra));
  v.push_back("tParyInt " + std::to_string(r.frm().tParyInt));
  v.push_back("zap " + std::to_string(r.frm().hParyZap) + " " + std::to_string(r.frm().sParyZap) + " " +
              std::to_string(r.frm().vParyZap));
  return v;
}

class EarlierStateTest : public ::testing::TestWithParam<std::tuple<Input, Earlier>> {};

TEST_P(EarlierStateTest, NothingOfTheEarlierStateShows) {
  const Input& in = std::get<0>(GetParam());
  AppRig fresh;
  fresh.Oblicz(in.a, in.va, in.b, in.vb);

  AppRig r;
  RunEarlier(r, std::get<1>(GetParam()));
  r.Oblicz(in.a, in.va, in.b, in.vb);

  EXPECT_EQ(Seen(fresh), Seen(r));
}

std::string Name(const ::testing::TestParamInfo<std::tuple<Input, Earlier>>& info) {
  static const char* const kPo[] = {"after_wet", "after_superheated", "after_failed"};
  return std::string(std::get<0>(info.param).name) + "_" + kPo[static_cast<int>(std::get<1>(info.param))];
}

INSTANTIATE_TEST_SUITE_P(Pary, EarlierStateTest,
                         ::testing::Combine(::testing::ValuesIn(kPary),
                                            ::testing::Values(Earlier::Wet, Earlier::Superheated, Earlier::Failed)),
                         Name);

}  // namespace
}  // namespace kal::test
