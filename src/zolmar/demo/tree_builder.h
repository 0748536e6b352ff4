#pragma once
// Writes a whole tree into Arboles from a nested description, with the keys
// (two hexadecimal digits per level) and ancestor paths a sound tree has.

#include <QHash>
#include <QString>
#include <vector>

namespace zolmar {

class Connection;

class TreeBuilder {
 public:
  struct Node {
    Node(const char* n, std::vector<Node> c = {}, qint32 op = 0, const char* crit = "")
        : name(QString::fromUtf8(n)),
          children(std::move(c)),
          opciones(op),
          criterio(QString::fromUtf8(crit)) {}
    QString name;
    std::vector<Node> children;
    qint32 opciones = 0;
    QString criterio;
  };

  explicit TreeBuilder(Connection& cn) : cn_(cn) {}
  // Appends the nodes as top-level branches of tree tipo, after those present.
  bool addTree(qint32 tipo, const std::vector<Node>& roots, QString* error);
  // Id of a node written by this builder, by its path "Bebidas:Vinos:Tintos"; 0 when absent.
  qint32 idOf(qint32 tipo, const QString& path) const {
    return ids_.value(QString::number(tipo) + "|" + path);
  }

  static QString segment(int position);

 private:
  bool addNode(qint32 tipo, const Node& node, qint32 parentId, const QString& parentKey, const QString& ruta,
               int position, QString* error);

  Connection& cn_;
  QHash<QString, qint32> ids_;
};

}  // namespace zolmar
