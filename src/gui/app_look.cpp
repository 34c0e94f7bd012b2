#include "gui/app_look.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QLibraryInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QTranslator>
#include <algorithm>

namespace kal {

bool SetUpApplication(QApplication& app) {
  QCoreApplication::setOrganizationName(QStringLiteral("Kalorimo"));
  QCoreApplication::setApplicationName(QStringLiteral("Kalorimo"));
  QGuiApplication::setDesktopFileName(QStringLiteral("kalorimo"));
  QApplication::setWindowIcon(AppIcon());
  return InstallPolishQtTexts(app);
}

QIcon AppIcon() { return QIcon(QStringLiteral(":/kalorimo.svg")); }

bool InstallPolishQtTexts(QApplication& app) {
  // The windows speak Polish whatever the system's language; so do Qt's own buttons and menus.
  auto* qtbase = new QTranslator(&app);
  if (!qtbase->load(QLocale(QLocale::Polish, QLocale::Poland), QStringLiteral("qtbase"), QStringLiteral("_"),
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete qtbase;
    return false;
  }
  QCoreApplication::installTranslator(qtbase);
  return true;
}

bool EqualAdvances(const QFont& font) {
  const QFontMetricsF fm(font);
  const qreal narrow = fm.horizontalAdvance(QStringLiteral("iiii"));
  return narrow > 0 && narrow == fm.horizontalAdvance(QStringLiteral("WWWW")) &&
         narrow == fm.horizontalAdvance(QStringLiteral("0 ,."));
}

QFont FixedPitchFont(const QFont& preferred, qreal pointSize) {
  QFont first = preferred;
  first.setPointSizeF(pointSize);
  if (EqualAdvances(first)) return first;
  for (const char* family : {"DejaVu Sans Mono", "Liberation Mono", "Noto Mono", "Noto Sans Mono", "monospace"}) {
    QFont f(QString::fromLatin1(family));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    f.setPointSizeF(pointSize);
    if (EqualAdvances(f)) return f;
  }
  return first;  // no monospace font at all: the system's choice is as good as any
}

QPalette ReadOnlyLook(QPalette pal) {
  // The disabled box's grey background; its numbers only a little lighter, so they stay readable.
  const QColor text = pal.color(QPalette::Active, QPalette::Text).lighter(250);
  for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    pal.setColor(g, QPalette::Text, text);
    pal.setColor(g, QPalette::Base, pal.color(QPalette::Disabled, QPalette::Base));
  }
  return pal;
}

QString TableRow(const QString& caption, const QString& value, const QString& unit) {
  QString v = value.trimmed();
  static const QRegularExpression kGroupedNumber(QStringLiteral("^[-+]?[0-9][0-9 ]*([.,][0-9]*)?$"));
  if (kGroupedNumber.match(v).hasMatch()) v.remove(QLatin1Char(' '));
  return caption.simplified() + QLatin1Char('\t') + v + QLatin1Char('\t') + unit.trimmed();
}

QPoint PlaceBeside(const QPoint& wanted, const QSize& size, const QRect& main, const QRect& screen) {
  QRect r(wanted, size);
  if (screen.contains(r)) return r.topLeft();
  const int gap = std::max(0, wanted.x() - main.right() - 1);
  QRect left = r;
  left.moveRight(main.left() - 1 - gap);
  if (screen.contains(left)) return left.topLeft();
  // Neither side fits whole: keep it on the screen, over the main window if need be.
  const int x = std::clamp(r.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
  const int y = std::clamp(r.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
  return QPoint(x, y);
}

}  // namespace kal
