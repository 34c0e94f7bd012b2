// The statistics of one measured column over a time window: the mean and its random
// uncertainty, the spread and the linear drift.
#pragma once
#include <cstddef>
#include <vector>

namespace kal::turbiny {

struct StatystykaSerii {
  std::size_t n = 0;     // valid samples in the window
  std::size_t brak = 0;  // missing samples (NaN) in the window
  // NaN where the samples do not define them: all with n = 0; s, uRandom and dryf with n < 2.
  double srednia, s, uRandom, min, max, fluktuacja, dryf;
};

// Samples with od <= czas <= do_; NaN values are missing. s with n − 1; uRandom = s / √n;
// fluktuacja = max |x − mean|; dryf = the least-squares slope over time × (last − first time) of the
// valid samples (0 when they share one time). Two passes, times centred: no loss at epoch seconds.
StatystykaSerii ObliczStatystyke(const std::vector<double>& czas, const std::vector<double>& wartosc, double od,
                                 double do_);

}  // namespace kal::turbiny
