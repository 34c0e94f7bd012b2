// The computer-program verification tables of IAPWS-IF97 (2007), of the supplementary releases on
// backward equations (T(p,h), T(p,s) for regions 1-3, v(p,h), v(p,s) and p(h,s) for regions 1-3),
// and of the IAPWS 2008 viscosity release (without critical enhancement), to the printed digits.
#include <gtest/gtest.h>

#include <cmath>

#include "if97/constants.h"
#include "if97/region1.h"
#include "if97/region2.h"
#include "if97/region3.h"
#include "if97/region4.h"
#include "if97/viscosity.h"

namespace kal::if97 {
namespace {

// The releases print nine (backward: ten) significant digits.
void ExpectDigits(double expected, double actual, int digits, const char* what) {
  const double ulp = std::pow(10.0, std::floor(std::log10(std::fabs(expected))) - (digits - 1));
  EXPECT_LE(std::fabs(actual - expected), 0.5 * ulp) << what << ": " << expected << " vs " << actual;
}

struct PtRow {
  double T, p, v, h, u, s, cp, w;
};

void CheckPt(const PtRow& r, const Properties& q) {
  ExpectDigits(r.v, q.v, 9, "v");
  ExpectDigits(r.h, q.h, 9, "h");
  ExpectDigits(r.u, q.u, 9, "u");
  ExpectDigits(r.s, q.s, 9, "s");
  ExpectDigits(r.cp, q.cp, 9, "cp");
  ExpectDigits(r.w, q.w, 9, "w");
}

TEST(If97Verification, Region1Table5) {
  const PtRow rows[] = {
      {300, 3, 0.100215168e-2, 0.115331273e3, 0.112324818e3, 0.392294792, 0.417301218e1, 0.150773921e4},
      {300, 80, 0.971180894e-3, 0.184142828e3, 0.106448356e3, 0.368563852, 0.401008987e1, 0.163469054e4},
      {500, 3, 0.120241800e-2, 0.975542239e3, 0.971934985e3, 0.258041912e1, 0.465580682e1, 0.124071337e4},
  };
  for (const PtRow& r : rows) CheckPt(r, Region1(r.p, r.T));
}

TEST(If97Verification, Region2Table15) {
  const PtRow rows[] = {
      {300, 0.0035, 0.394913866e2, 0.254991145e4, 0.241169160e4, 0.852238967e1, 0.191300162e1, 0.427920172e3},
      {700, 0.0035, 0.923015898e2, 0.333568375e4, 0.301262819e4, 0.101749996e2, 0.208141274e1, 0.644289068e3},
      {700, 30, 0.542946619e-2, 0.263149474e4, 0.246861076e4, 0.517540298e1, 0.103505092e2, 0.480386523e3},
  };
  for (const PtRow& r : rows) CheckPt(r, Region2(r.p, r.T));
}

TEST(If97Verification, Region3Table33) {
  struct Row {
    double T, rho, p, h, u, s, cp, w;
  };
  const Row rows[] = {
      {650, 500, 0.255837018e2, 0.186343019e4, 0.181226279e4, 0.405427273e1, 0.138935717e2, 0.502005554e3},
      {650, 200, 0.222930643e2, 0.237512401e4, 0.226365868e4, 0.485438792e1, 0.446579342e2, 0.383444594e3},
      {750, 500, 0.783095639e2, 0.225868845e4, 0.210206932e4, 0.446971906e1, 0.634165359e1, 0.760696041e3},
  };
  for (const Row& r : rows) {
    const State3 st = Region3(r.rho, r.T);
    ExpectDigits(r.p, st.p, 9, "p");
    ExpectDigits(r.h, st.props.h, 9, "h");
    ExpectDigits(r.u, st.props.u, 9, "u");
    ExpectDigits(r.s, st.props.s, 9, "s");
    ExpectDigits(r.cp, st.props.cp, 9, "cp");
    ExpectDigits(r.w, st.props.w, 9, "w");
  }
}

TEST(If97Verification, SaturationAndB23) {
  ExpectDigits(0.353658941e-2, Psat(300), 9, "psat 300");
  ExpectDigits(0.263889776e1, Psat(500), 9, "psat 500");
  ExpectDigits(0.123443146e2, Psat(600), 9, "psat 600");
  ExpectDigits(0.372755919e3, Tsat(0.1), 9, "Tsat 0.1");
  ExpectDigits(0.453035632e3, Tsat(1), 9, "Tsat 1");
  ExpectDigits(0.584149488e3, Tsat(10), 9, "Tsat 10");
  ExpectDigits(0.165291643e2, B23P(623.15), 9, "B23 p");
  ExpectDigits(0.623150000e3, B23T(0.165291643e2), 9, "B23 T");
}

// One table for every backward equation: f(a, b) against the printed value.
TEST(If97Verification, BackwardEquations) {
  struct Row {
    double (*f)(double, double);
    double a, b, expected;
    int digits;
    const char* what;
  };
  const Row rows[] = {
      // IF97 tables 7, 9: region 1 T(p,h), T(p,s).
      {Region1Tph, 3, 500, 0.391798509e3, 9, "T1(p,h)"},
      {Region1Tph, 80, 500, 0.378108626e3, 9, "T1(p,h)"},
      {Region1Tph, 80, 1500, 0.611041229e3, 9, "T1(p,h)"},
      {Region1Tps, 3, 0.5, 0.307842258e3, 9, "T1(p,s)"},
      {Region1Tps, 80, 0.5, 0.309979785e3, 9, "T1(p,s)"},
      {Region1Tps, 80, 3, 0.565899909e3, 9, "T1(p,s)"},
      // IF97 tables 24, 29: region 2 T(p,h), T(p,s), subregions a, b, c.
      {Region2Tph, 0.001, 3000, 0.534433241e3, 9, "T2a(p,h)"},
      {Region2Tph, 3, 3000, 0.575373370e3, 9, "T2a(p,h)"},
      {Region2Tph, 3, 4000, 0.101077577e4, 9, "T2a(p,h)"},
      {Region2Tph, 5, 3500, 0.801299102e3, 9, "T2b(p,h)"},
      {Region2Tph, 5, 4000, 0.101531583e4, 9, "T2b(p,h)"},
      {Region2Tph, 25, 3500, 0.875279054e3, 9, "T2b(p,h)"},
      {Region2Tph, 40, 2700, 0.743056411e3, 9, "T2c(p,h)"},
      {Region2Tph, 60, 2700, 0.791137067e3, 9, "T2c(p,h)"},
      {Region2Tph, 60, 3200, 0.882756860e3, 9, "T2c(p,h)"},
      {Region2Tps, 0.1, 7.5, 0.399517097e3, 9, "T2a(p,s)"},
      {Region2Tps, 0.1, 8, 0.514127081e3, 9, "T2a(p,s)"},
      {Region2Tps, 2.5, 8, 0.103984917e4, 9, "T2a(p,s)"},
      {Region2Tps, 8, 6, 0.600484040e3, 9, "T2b(p,s)"},
      {Region2Tps, 8, 7.5, 0.106495556e4, 9, "T2b(p,s)"},
      {Region2Tps, 90, 6, 0.103801126e4, 9, "T2b(p,s)"},
      {Region2Tps, 20, 5.75, 0.697992849e3, 9, "T2c(p,s)"},
      {Region2Tps, 80, 5.25, 0.854011484e3, 9, "T2c(p,s)"},
      {Region2Tps, 80, 5.75, 0.949017998e3, 9, "T2c(p,s)"},
      // p(h,s) for regions 1 and 2 (table 3 and 9 of that release).
      {Region1Phs, 0.001, 0, 9.800980612e-4, 10, "p1(h,s)"},
      {Region1Phs, 90, 0, 9.192954727e1, 10, "p1(h,s)"},
      {Region1Phs, 1500, 3.4, 5.868294423e1, 10, "p1(h,s)"},
      {Region2Phs, 2800, 6.5, 1.371012767, 10, "p2a(h,s)"},
      {Region2Phs, 2800, 9.5, 1.879743844e-3, 10, "p2a(h,s)"},
      {Region2Phs, 4100, 9.5, 1.024788997e-1, 10, "p2a(h,s)"},
      {Region2Phs, 2800, 6, 4.793911442, 10, "p2b(h,s)"},
      {Region2Phs, 3600, 6, 8.395519209e1, 10, "p2b(h,s)"},
      {Region2Phs, 3600, 7, 7.527161441, 10, "p2b(h,s)"},
      {Region2Phs, 2800, 5.1, 9.439202060e1, 10, "p2c(h,s)"},
      {Region2Phs, 2800, 5.8, 8.414574124, 10, "p2c(h,s)"},
      {Region2Phs, 3400, 5.8, 8.376903879e1, 10, "p2c(h,s)"},
      // Region 3, T(p,h), v(p,h), T(p,s), v(p,s): subregions 3a and 3b.
      {Region3Tph, 20, 1700, 6.293083892e2, 10, "T3a(p,h)"},
      {Region3Tph, 50, 2000, 6.905718338e2, 10, "T3a(p,h)"},
      {Region3Tph, 100, 2100, 7.336163014e2, 10, "T3a(p,h)"},
      {Region3Tph, 20, 2500, 6.418418053e2, 10, "T3b(p,h)"},
      {Region3Tph, 50, 2400, 7.351848618e2, 10, "T3b(p,h)"},
      {Region3Tph, 100, 2700, 8.420460876e2, 10, "T3b(p,h)"},
      {Region3Vph, 20, 1700, 1.749903962e-3, 10, "v3a(p,h)"},
      {Region3Vph, 50, 2000, 1.908139035e-3, 10, "v3a(p,h)"},
      {Region3Vph, 100, 2100, 1.676229776e-3, 10, "v3a(p,h)"},
      {Region3Vph, 20, 2500, 6.670547043e-3, 10, "v3b(p,h)"},
      {Region3Vph, 50, 2400, 2.801244590e-3, 10, "v3b(p,h)"},
      {Region3Vph, 100, 2700, 2.404234998e-3, 10, "v3b(p,h)"},
      {Region3Tps, 20, 3.8, 6.282959869e2, 10, "T3a(p,s)"},
      {Region3Tps, 50, 3.6, 6.297158726e2, 10, "T3a(p,s)"},
      {Region3Tps, 100, 4.0, 7.056880237e2, 10, "T3a(p,s)"},
      {Region3Tps, 20, 5.0, 6.401176443e2, 10, "T3b(p,s)"},
      {Region3Tps, 50, 4.5, 7.163687517e2, 10, "T3b(p,s)"},
      {Region3Tps, 100, 5.0, 8.474332825e2, 10, "T3b(p,s)"},
      {Region3Vps, 20, 3.8, 1.733791463e-3, 10, "v3a(p,s)"},
      {Region3Vps, 50, 3.6, 1.469680170e-3, 10, "v3a(p,s)"},
      {Region3Vps, 100, 4.0, 1.555893131e-3, 10, "v3a(p,s)"},
      {Region3Vps, 20, 5.0, 6.262101987e-3, 10, "v3b(p,s)"},
      {Region3Vps, 50, 4.5, 2.332634294e-3, 10, "v3b(p,s)"},
      {Region3Vps, 100, 5.0, 2.449610757e-3, 10, "v3b(p,s)"},
      {Region3Phs, 1700, 3.8, 2.555703246e1, 10, "p3a(h,s)"},
      {Region3Phs, 2000, 4.2, 4.540873468e1, 10, "p3a(h,s)"},
      {Region3Phs, 2100, 4.3, 6.078123340e1, 10, "p3a(h,s)"},
      {Region3Phs, 2600, 5.1, 3.434999263e1, 10, "p3b(h,s)"},
      {Region3Phs, 2400, 4.7, 6.363924887e1, 10, "p3b(h,s)"},
      {Region3Phs, 2700, 5.0, 8.839043281e1, 10, "p3b(h,s)"},
  };
  for (const Row& r : rows) ExpectDigits(r.expected, r.f(r.a, r.b), r.digits, r.what);
}

TEST(If97Verification, BackwardBoundaries) {
  ExpectDigits(0.3516004323e4, B2bcH(100), 10, "h2bc(p)");
  ExpectDigits(0.100000000e3, B2bcP(0.3516004323e4), 9, "p2bc(h)");
  ExpectDigits(3376.437884, B2abH(7), 10, "h2ab(s)");
  ExpectDigits(2.095936454e3, B3abH(25), 10, "h3ab(p)");
}

// Revised supplementary release on v(p,T) for region 3 (2014): table 5 (3a-3t), table 13 (3u-3z), and the
// boundary equations, tables 3 and 11. The subregion is part of the check: each row names its own.
TEST(If97Verification, Region3VptTables5And13) {
  struct Row {
    char sub;
    double p, T, v;
  };
  const Row rows[] = {
      {'a', 50, 630, 1.470853100e-3},     {'a', 80, 670, 1.503831359e-3},        {'b', 50, 710, 2.204728587e-3},
      {'b', 80, 750, 1.973692940e-3},     {'c', 20, 630, 1.761696406e-3},        {'c', 30, 650, 1.819560617e-3},
      {'d', 26, 656, 2.245587720e-3},     {'d', 30, 670, 2.506897702e-3},        {'e', 26, 661, 2.970225962e-3},
      {'e', 30, 675, 3.004627086e-3},     {'f', 26, 671, 5.019029401e-3},        {'f', 30, 690, 4.656470142e-3},
      {'g', 23.6, 649, 2.163198378e-3},   {'g', 24, 650, 2.166044161e-3},        {'h', 23.6, 652, 2.651081407e-3},
      {'h', 24, 654, 2.967802335e-3},     {'i', 23.6, 653, 3.273916816e-3},      {'i', 24, 655, 3.550329864e-3},
      {'j', 23.5, 655, 4.545001142e-3},   {'j', 24, 660, 5.100267704e-3},        {'k', 23, 660, 6.109525997e-3},
      {'k', 24, 670, 6.427325645e-3},     {'l', 22.6, 646, 2.117860851e-3},      {'l', 23, 646, 2.062374674e-3},
      {'m', 22.6, 648.6, 2.533063780e-3}, {'m', 22.8, 649.3, 2.572971781e-3},    {'n', 22.6, 649, 2.923432711e-3},
      {'n', 22.8, 649.7, 2.913311494e-3}, {'o', 22.6, 649.1, 3.131208996e-3},    {'o', 22.8, 649.9, 3.221160278e-3},
      {'p', 22.6, 649.4, 3.715596186e-3}, {'p', 22.8, 650.2, 3.664754790e-3},    {'q', 21.1, 640, 1.970999272e-3},
      {'q', 21.8, 643, 2.043919161e-3},   {'r', 21.1, 644, 5.251009921e-3},      {'r', 21.8, 648, 5.256844741e-3},
      {'s', 19.1, 635, 1.932829079e-3},   {'s', 20, 638, 1.985387227e-3},        {'t', 17, 626, 8.483262001e-3},
      {'t', 20, 640, 6.227528101e-3},     {'u', 21.5, 644.6, 2.268366647e-3},    {'u', 22, 646.1, 2.296350553e-3},
      {'v', 22.5, 648.6, 2.832373260e-3}, {'v', 22.3, 647.9, 2.811424405e-3},    {'w', 22.15, 647.5, 3.694032281e-3},
      {'w', 22.3, 648.1, 3.622226305e-3}, {'x', 22.11, 648, 4.528072649e-3},     {'x', 22.3, 649, 4.556905799e-3},
      {'y', 22, 646.84, 2.698354719e-3},  {'y', 22.064, 647.05, 2.717655648e-3}, {'z', 22, 646.89, 3.798732962e-3},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(r.sub, Region3Sub(r.p, r.T, r.T <= Tsat(r.p) || r.p > kPc)) << r.p << " " << r.T;
    ExpectDigits(r.v, Region3Vpt(r.p, r.T), 10, "v3(p,T)");
  }
  // The release prints 3.701940010e-3 for 3z at 22.064 MPa, 647.15 K; the equation gives 3.7019400095e-3.
  EXPECT_EQ('z', Region3Sub(22.064, 647.15, false));
  EXPECT_NEAR(3.701940010e-3, Region3Vpt(22.064, 647.15), 0.52e-12);

  struct Boundary {
    B3 which;
    double p, T;
  };
  const Boundary bounds[] = {
      {B3::kAb, 40, 6.930341408e2},   {B3::kCd, 25, 6.493659208e2},   {B3::kEf, 40, 7.139593992e2},
      {B3::kGh, 23, 6.498873759e2},   {B3::kIj, 23, 6.515778091e2},   {B3::kJk, 23, 6.558338344e2},
      {B3::kMn, 22.8, 6.496054133e2}, {B3::kOp, 22.8, 6.500106943e2}, {B3::kQu, 22, 6.456355027e2},
      {B3::kRx, 22, 6.482622754e2},   {B3::kUv, 22.3, 6.477996121e2}, {B3::kWx, 22.3, 6.482049480e2},
  };
  for (const Boundary& b : bounds) ExpectDigits(b.T, T3Boundary(b.which, b.p), 10, "T3 boundary");
}

// IAPWS 2008 viscosity, table 4 (mu2 = 1), in micro Pa s.
TEST(If97Verification, ViscosityTable4) {
  struct Row {
    double T, rho, mu;
  };
  const Row rows[] = {
      {298.15, 998, 889.735100},  {298.15, 1200, 1437.649467}, {373.15, 1000, 307.883622}, {433.15, 1, 14.538324},
      {433.15, 1000, 217.685358}, {873.15, 1, 32.619287},      {873.15, 100, 35.802262},   {873.15, 600, 77.430195},
      {1173.15, 1, 44.217245},    {1173.15, 100, 47.640433},   {1173.15, 400, 64.154608},
  };
  for (const Row& r : rows) EXPECT_NEAR(r.mu, Viscosity(r.rho, r.T) * 1e6, 0.5e-6) << r.T << " " << r.rho;
}

}  // namespace
}  // namespace kal::if97
