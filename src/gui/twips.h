// Window geometry in twips (1/1440 inch): 15 twips per pixel at 96 DPI, scaled by the logical DPI.
#pragma once
#include <QRect>
#include <cmath>

namespace kal {

inline int TwipsToPx(double twips, double dpi) { return static_cast<int>(std::lround(twips * dpi / 1440.0)); }
inline double PxToTwips(int px, double dpi) { return px * 1440.0 / dpi; }

inline QRect TwipsRect(double left, double top, double width, double height, double dpi) {
  return QRect(TwipsToPx(left, dpi), TwipsToPx(top, dpi), TwipsToPx(width, dpi), TwipsToPx(height, dpi));
}

}  // namespace kal
