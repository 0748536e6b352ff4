#pragma once
// A field a report can select: its caption, its SQL expression and its width
// in characters. Selected fields come back in the result under "F_" + name,
// the name being the expression's own alias ("... AS Comentario") or the
// column after its table ("Arboles.ID_Padre" gives F_ID_PADRE).

#include <QString>
#include <QStringList>
#include <QVector>

namespace zolmar {

struct ReportField {
  QString caption;
  QString expression;
  qint32 width = 10;
  // A column read as the statement names it (the model's extra fields), not as F_ + name.
  bool raw = false;

  QString Alias() const;
  // The name of the column in the result: Alias(), or the expression of a raw column.
  QString ResultName() const { return raw ? expression : Alias(); }
  // The expression without its own alias (what ORDER BY takes).
  QString Bare() const;
  // "expression AS F_NAME", the expression's own alias removed.
  QString SelectItem() const;

  // The items of a select list: commas inside brackets, parentheses or quotes
  // do not part them ("isnull(A.B,'x') AS C, D" is two items).
  static QStringList SplitList(const QString& list);
};

using ReportFields = QVector<ReportField>;

}  // namespace zolmar
