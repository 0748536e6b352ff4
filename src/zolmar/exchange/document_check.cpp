#include "zolmar/exchange/document_check.h"

#include <QHash>
#include <QVector>

#include "zolmar/exchange/exchange_document.h"

namespace zolmar {

namespace {

constexpr qint32 kNiveles = 8;
constexpr qint32 kHijos = 255;

QString rama(const ExchangeDocument::Branch& b, const QString& text) {
  return QString::fromUtf8("La rama %1 (%2) de la línea %3 %4.")
      .arg(QString::number(b.idRamaOriginal), b.nombre, QString::number(b.line), text);
}

}  // namespace

QString DocumentCheck::refusal(const ExchangeDocument& document) {
  const auto& branches = document.branches();
  QHash<qint32, qsizetype> byId;
  QHash<qint32, qsizetype> byRow;
  QHash<qint32, qint32> children;
  for (qsizetype i = 0; i < branches.size(); ++i) {
    const auto& b = branches[i];
    if (byRow.contains(b.zolmarID))
      return rama(b, QStringLiteral("repite el zolmarID %1 de la línea %2")
                         .arg(b.zolmarID)
                         .arg(branches[byRow[b.zolmarID]].line));
    byRow.insert(b.zolmarID, i);
    if (b.idRamaOriginal == 0)
      return rama(b, QStringLiteral("tiene ID_RamaOriginal 0, que indica el primer nivel"));
    if (byId.contains(b.idRamaOriginal))
      return rama(b, QString::fromUtf8("repite el ID_RamaOriginal de la rama de la línea %1")
                         .arg(branches[byId[b.idRamaOriginal]].line));
    byId.insert(b.idRamaOriginal, i);
    if (++children[b.idRamaPadreOriginal] > kHijos)
      return rama(b, QString::fromUtf8("pasa de %1 ramas bajo un mismo padre, más de las que admite un árbol")
                         .arg(kHijos));
  }
  // Depth of each branch, following parents once per branch: 0 not yet
  // known, -1 on the path being followed (met again: a cycle).
  QVector<qint32> depth(branches.size(), 0);
  for (qsizetype start = 0; start < branches.size(); ++start) {
    if (depth[start] != 0) continue;
    QVector<qsizetype> path;
    qsizetype at = start;
    qint32 base = 0;
    while (depth[at] == 0) {
      depth[at] = -1;
      path.push_back(at);
      const qint32 parent = branches[at].idRamaPadreOriginal;
      if (parent == 0) break;
      const auto found = byId.constFind(parent);
      if (found == byId.constEnd())
        return rama(branches[at],
                    QString::fromUtf8("cuelga de la rama %1, que no está en el documento").arg(parent));
      at = found.value();
    }
    if (depth[at] == -1 && branches[path.last()].idRamaPadreOriginal != 0)
      return rama(branches[at], QString::fromUtf8("es antecesora de sí misma: sus padres forman un ciclo"));
    if (depth[at] > 0) base = depth[at];
    for (qsizetype k = path.size() - 1; k >= 0; --k) {
      depth[path[k]] = ++base;
      if (base > kNiveles)
        return rama(
            branches[path[k]],
            QString::fromUtf8("queda a más de %1 niveles de profundidad, más de los que admite un árbol")
                .arg(kNiveles));
    }
  }
  return {};
}

}  // namespace zolmar
