#pragma once
// The tree drawing of the tree report: the prefix of each row ("+--" the last
// child of a branch, "|--" a child with later siblings, "|  " a level whose
// later siblings remain below, blanks otherwise) and its painting as lines.

#include <QHash>
#include <QString>
#include <memory>

class QPainter;
class QRectF;

namespace arboles {

class IConnection;
class IRecordset;

class DibujoArbol {
 public:
  DibujoArbol(std::shared_ptr<IConnection> cn, qint32 nTipoArbol)
      : oCn_(std::move(cn)), nTipoArbol_(nTipoArbol) {}

  // The prefix of the current row of the report's result (fields F_CLAVE and
  // F_ID_PADRE); the row stays current.
  QString Prefijo(IRecordset& rs);
  // A new result: the prefixes and greatest segments read so far are forgotten.
  void Olvidar();

  // One character cell per prefix character, each as wide as two blanks:
  // "|" a vertical line, "-" a horizontal one at mid-height, "+" a corner.
  static void Pintar(QPainter& painter, const QRectF& rect, const QString& prefijo);

 private:
  qint32 MayorSegmento(qint32 nivel, const QString& clave);
  // The position of the last row of each parent, read once per result.
  void LeerUltimos(IRecordset& rs);

  std::shared_ptr<IConnection> oCn_;
  qint32 nTipoArbol_;
  QHash<qint32, QString> prefijos_;  // by row position
  QHash<QString, qint32> mayores_;   // by statement
  QHash<qint32, qint32> ultimos_;    // last row position by parent id
};

}  // namespace arboles
