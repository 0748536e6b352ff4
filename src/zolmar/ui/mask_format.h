#pragma once
// Display masks of grid and list columns: "#,##0.00" (numbers, Spanish
// separators), "0000" (zero-filled), "dd/mm/yyyy" (dates), ">" (upper case).

#include <QString>
#include <QVariant>

namespace zolmar {

class MaskFormat {
 public:
  static QString Format(const QVariant& value, const QString& mask);
  // Reads "1.234,5" (Spanish separators) as 1234.5.
  static double ParseNumber(const QString& text, bool* ok = nullptr);

 private:
  static QString formatNumber(double value, const QString& mask);
};

}  // namespace zolmar
