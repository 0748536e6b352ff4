#pragma once
// The node collection of a TreeView: keyed, unique keys, O(1) look-up.

#include <QHash>
#include <QString>

#include "zolmar/ui/tree_node.h"

class QTreeWidgetItem;

namespace zolmar {

class TreeView;

class TreeNodes {
 public:
  // Relationship of a new node to its relative.
  enum Relationship : qint32 { tvwFirst = 0, tvwLast = 1, tvwNext = 2, tvwPrevious = 3, tvwChild = 4 };

  explicit TreeNodes(TreeView* tree) : tree_(tree) {}

  void Clear();
  // Throws TreeViewError on a missing relative or a key already in use.
  TreeNode Add(const QString& relative, qint32 relationship, const QString& key, const QString& text);
  // The same without raising: a null node and the reason in *error.
  TreeNode tryAdd(const QString& relative, qint32 relationship, const QString& key, const QString& text,
                  QString* error = nullptr);
  // Removes the node and its descendants.
  void Remove(const QString& key);

  qint32 Count() const { return qint32(byKey_.size()); }
  bool Exists(const QString& key) const { return byKey_.contains(key); }
  // Null when absent.
  TreeNode Item(const QString& key) const;

 private:
  enum class Failure { None, NotFound, Duplicate };
  Failure insert(const QString& relative, qint32 relationship, const QString& key, const QString& text,
                 QTreeWidgetItem** created);
  void place(QTreeWidgetItem* item, QTreeWidgetItem* relative, qint32 relationship);
  void forget(QTreeWidgetItem* item);
  static QString messageFor(Failure failure);

  TreeView* tree_;
  QHash<QString, QTreeWidgetItem*> byKey_;
  // The relative of the last node added: a tree filled in key order hangs
  // one row after another from the same parent.
  QString lastRelative_;
  QTreeWidgetItem* lastRelativeItem_ = nullptr;
};

}  // namespace zolmar
