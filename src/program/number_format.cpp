#include "program/number_format.h"

#include <QLocale>

QString formatCount(std::uint64_t count) {
  QLocale locale;
  // The "C" locale leaves separators out by default; the pattern always has them.
  locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  return locale.toString(static_cast<qulonglong>(count));
}
