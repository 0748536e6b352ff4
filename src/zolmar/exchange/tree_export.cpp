#include "zolmar/exchange/tree_export.h"

#include <QHash>
#include <QSaveFile>
#include <QVector>
#include <nlohmann/json.hpp>

#include "host/host_types.h"
#include "host/i_connection.h"
#include "host/i_recordset.h"

namespace zolmar {

namespace {

struct Row {
  qint32 id = 0;
  qint32 padre = 0;
  QString nombre;
};

// Live rows reachable from the top level through live parents; a row whose
// chain of parents breaks or loops has no place in a document.
QVector<Row> exportable(const QVector<Row>& rows) {
  QHash<qint32, qsizetype> byId;
  for (qsizetype i = 0; i < rows.size(); ++i) byId.insert(rows[i].id, i);
  QVector<qint8> state(rows.size(), 0);  // 0 unknown, 1 yes, 2 no, 3 being followed
  for (qsizetype start = 0; start < rows.size(); ++start) {
    QVector<qsizetype> path;
    qsizetype at = start;
    qint8 verdict = 2;
    while (true) {
      if (state[at] == 1 || state[at] == 2) {
        verdict = state[at];
        break;
      }
      if (state[at] == 3) break;
      state[at] = 3;
      path.push_back(at);
      if (rows[at].padre == 0) {
        verdict = 1;
        break;
      }
      const auto parent = byId.constFind(rows[at].padre);
      if (parent == byId.constEnd()) break;
      at = parent.value();
    }
    for (qsizetype k : path) state[k] = verdict;
  }
  QVector<Row> out;
  for (qsizetype i = 0; i < rows.size(); ++i)
    if (state[i] == 1) out.push_back(rows[i]);
  return out;
}

}  // namespace

qint32 TreeExport::write(arboles::IConnection& cn, qint32 tipo, const QString& path, QString* error) {
  const auto rs = arboles::recordsetOf(cn.ExecuteSQL(
      QStringLiteral("SELECT ZolmarID, id_padre, Nombre FROM Arboles WHERE Tipo=") + QString::number(tipo) +
          QStringLiteral(" AND (activo & 2)=0 ORDER BY Clave, ZolmarID"),
      5, QVariant()));
  if (cn.HasError() || !rs) {
    *error = QString::fromUtf8("No se pudo leer el árbol de tipo %1: %2")
                 .arg(QString::number(tipo), cn.LastError());
    return -1;
  }
  QVector<Row> rows;
  while (rs->Read())
    rows.push_back({rs->Field(QStringLiteral("ZolmarID")).toInt(),
                    rs->Field(QStringLiteral("id_padre")).toInt(),
                    rs->Field(QStringLiteral("Nombre")).toString()});
  rows = exportable(rows);
  // One branch per line, so that a message about the file can point at it.
  QByteArray text = QByteArrayLiteral("{\n  \"TipoDocumento\": 9,\n  \"TipoArbol\": ") +
                    QByteArray::number(tipo) + QByteArrayLiteral(",\n  \"Contenido\": [");
  for (qsizetype i = 0; i < rows.size(); ++i) {
    nlohmann::ordered_json branch;
    branch["zolmarID"] = i + 1;
    branch["ID_RamaOriginal"] = rows[i].id;
    branch["ID_RamaPadreOriginal"] = rows[i].padre;
    branch["Nombre"] = rows[i].nombre.toStdString();
    text += (i == 0 ? "\n    " : ",\n    ") + QByteArray::fromStdString(branch.dump());
  }
  text += rows.isEmpty() ? QByteArrayLiteral("]\n}\n") : QByteArrayLiteral("\n  ]\n}\n");
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
    *error = QStringLiteral("No se pudo escribir el documento %1: %2").arg(path, file.errorString());
    return -1;
  }
  return static_cast<qint32>(rows.size());
}

}  // namespace zolmar
