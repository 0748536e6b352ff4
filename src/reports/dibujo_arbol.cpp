#include "reports/dibujo_arbol.h"

#include <QFontMetricsF>
#include <QPainter>

#include "host/i_connection.h"
#include "host/i_recordset.h"

namespace arboles {

namespace {

qint32 hex(const QString& text) {
  bool ok = false;
  const qint32 value = text.trimmed().toInt(&ok, 16);
  return ok ? value : 0;
}

}  // namespace

void DibujoArbol::Olvidar() {
  prefijos_.clear();
  mayores_.clear();
  ultimos_.clear();
}

void DibujoArbol::LeerUltimos(IRecordset& rs) {
  const qint32 pos = rs.Position();
  for (rs.SetPosition(0); rs.Read();)
    ultimos_.insert(rs.Field(QStringLiteral("F_ID_PADRE")).toInt(), rs.Position());
  rs.SetPosition(pos);
}

// Every row of a branch asks the same statement: the answer is read once per report.
qint32 DibujoArbol::MayorSegmento(qint32 i, const QString& clave) {
  const QString sql = QStringLiteral("SELECT max(substring(clave,") + QString::number(2 * i + 1) +
                      QStringLiteral(",2)) FROM arboles WHERE tipo=") + QString::number(nTipoArbol_) +
                      QStringLiteral(" AND clave LIKE '") + clave.left(2 * i) + QStringLiteral("%'");
  const auto hit = mayores_.constFind(sql);
  if (hit != mayores_.constEnd()) return *hit;
  const qint32 m = hex(oCn_->ExecuteSQL(sql, 2, QString()).toString());
  mayores_.insert(sql, m);
  return m;
}

QString DibujoArbol::Prefijo(IRecordset& rs) {
  const qint32 pos = rs.Position();
  const auto hit = prefijos_.constFind(pos);
  if (hit != prefijos_.constEnd()) return *hit;
  const QString clave = rs.Field(QStringLiteral("F_CLAVE")).toString();
  const qint32 idPadre = rs.Field(QStringLiteral("F_ID_PADRE")).toInt();
  // A later sibling in the listing (the same answer at every level). The
  // result names the parent column with the models' prefix.
  if (ultimos_.isEmpty()) LeerUltimos(rs);
  const bool hermano = ultimos_.value(idPadre) > pos;
  QString prefijo;
  for (qint32 i = 0; i < 8; ++i) {
    const qint32 s = hex(clave.mid(2 * i, 2));
    if (s < 1) break;
    const qint32 n = i < 7 ? hex(clave.mid(2 * i + 2, 2)) : 0;
    const qint32 m = MayorSegmento(i, clave);
    if (!hermano) {
      prefijo += n == 0 ? QStringLiteral("+--") : m > s ? QStringLiteral("|  ") : QStringLiteral("   ");
    } else if (m > s && (idPadre == 0 || n < 1)) {
      prefijo += QStringLiteral("|--");
    } else {
      prefijo += m > s ? QStringLiteral("|  ") : QStringLiteral("   ");
    }
  }
  prefijos_.insert(pos, prefijo);
  return prefijo;
}

void DibujoArbol::Pintar(QPainter& painter, const QRectF& rect, const QString& prefijo) {
  const qreal w = 2 * QFontMetricsF(painter.font(), painter.device()).horizontalAdvance(QLatin1Char(' '));
  const qreal top = rect.top(), mid = rect.center().y(), bottom = rect.bottom();
  painter.save();
  QPen pen(Qt::black);
  pen.setWidthF(std::max<qreal>(1.0, rect.height() * 0.05));
  painter.setPen(pen);
  for (qint32 k = 0; k < prefijo.size(); ++k) {
    const qreal x0 = rect.left() + k * w, xm = x0 + w / 2, x1 = x0 + w;
    const QChar c = prefijo.at(k);
    const bool sigueRaya = k + 1 < prefijo.size() && prefijo.at(k + 1) == QLatin1Char('-');
    if (c == QLatin1Char('|')) {
      painter.drawLine(QPointF(xm, top), QPointF(xm, bottom));
      if (sigueRaya) painter.drawLine(QPointF(xm, mid), QPointF(x1, mid));
    } else if (c == QLatin1Char('+')) {
      painter.drawLine(QPointF(xm, top), QPointF(xm, mid));
      painter.drawLine(QPointF(xm, mid), QPointF(x1, mid));
    } else if (c == QLatin1Char('-')) {
      painter.drawLine(QPointF(x0, mid), QPointF(x1, mid));
    }
  }
  painter.restore();
}

}  // namespace arboles
