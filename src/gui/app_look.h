// What every window of the application shares: icon, Qt's Polish texts, the read-only look,
// rows of a copied result table, and where a window goes beside another on the screen.
#pragma once
#include <QFont>
#include <QIcon>
#include <QPalette>
#include <QRect>
#include <QString>

class QApplication;

namespace kal {

// Names (for the settings file), icon and Qt's own Polish texts. False when the texts are missing.
bool SetUpApplication(QApplication& app);
QIcon AppIcon();
// Qt's Polish texts (dialog buttons, edit menus) from Qt's translations folder.
bool InstallPolishQtTexts(QApplication& app);

// True when narrow and wide letters take the same advance, so that columns line up.
bool EqualAdvances(const QFont& font);
// A font whose letters really are of one width, at `pointSize`: `preferred` (the system's fixed
// font) when it is, else the first such of the common monospace families. fontconfig does not
// mark every monospace family as fixed-pitch, so the widths decide, not the font's flag.
QFont FixedPitchFont(const QFont& preferred, qreal pointSize);

// A palette that draws an enabled box as a disabled one, with readable text.
QPalette ReadOnlyLook(QPalette pal);

// "caption<TAB>value<TAB>unit": each cell trimmed; a number loses its digit-group blanks so a
// spreadsheet reads it as a number.
QString TableRow(const QString& caption, const QString& value, const QString& unit);

// The top-left corner for a window of `size` that wants to stand at `wanted` (right of `main`):
// there when it fits the screen, else as far on the left of `main`, else pushed onto the screen.
QPoint PlaceBeside(const QPoint& wanted, const QSize& size, const QRect& main, const QRect& screen);

}  // namespace kal
