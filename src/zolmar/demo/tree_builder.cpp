#include "zolmar/demo/tree_builder.h"

#include "zolmar/db/connection.h"

namespace zolmar {

QString TreeBuilder::segment(int position) {
  return QString::number(position, 16).toUpper().rightJustified(2, '0');
}

bool TreeBuilder::addTree(qint32 tipo, const std::vector<Node>& roots, QString* error) {
  const QString last =
      cn_.executeNative(QStringLiteral("SELECT MAX(SUBSTRING(Clave,1,2)) FROM Arboles WHERE Tipo=?1"), 2,
                        QStringLiteral("00"), {tipo})
          .toString();
  int position = last.toInt(nullptr, 16);
  for (const Node& root : roots)
    if (!addNode(tipo, root, 0, QString(), QString(), ++position, error)) return false;
  return true;
}

bool TreeBuilder::addNode(qint32 tipo, const Node& node, qint32 parentId, const QString& parentKey,
                          const QString& ruta, int position, QString* error) {
  const QString prefix = parentKey + segment(position);
  const QString clave = prefix.leftJustified(16, '0');
  const QVariant id = cn_.executeNative(
      QStringLiteral(
          "INSERT INTO Arboles (Tipo, Clave, Nombre, RutaPadre, CriterioHijos, id_padre, UsoAux, Opciones) "
          "VALUES (?1, ?2, ?3, ?4, ?5, ?6, '111111', ?7)"),
      9, 0, {tipo, clave, node.name, ruta.left(150), node.criterio, parentId, node.opciones});
  if (cn_.HasError()) {
    if (error) *error = cn_.LastError();
    return false;
  }
  const QString path = ruta + node.name;
  ids_.insert(QString::number(tipo) + "|" + path, id.toInt());
  int child = 0;
  for (const Node& c : node.children)
    if (!addNode(tipo, c, id.toInt(), prefix, path + ":", ++child, error)) return false;
  return true;
}

}  // namespace zolmar
