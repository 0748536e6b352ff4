#include "zolmar/ui/tree_nodes.h"

#include <QTreeWidgetItem>

#include "zolmar/ui/tree_view.h"
#include "zolmar/ui/tree_view_error.h"

namespace zolmar {

void TreeNodes::Clear() {
  lastRelativeItem_ = nullptr;
  byKey_.clear();
  tree_->clear();
}

TreeNode TreeNodes::Add(const QString& relative, qint32 relationship, const QString& key,
                        const QString& text) {
  QTreeWidgetItem* created = nullptr;
  const Failure failure = insert(relative, relationship, key, text, &created);
  if (failure != Failure::None) {
    throw TreeViewError(
        failure == Failure::NotFound ? TreeViewError::ElementNotFound : TreeViewError::KeyNotUnique,
        messageFor(failure));
  }
  return TreeNode(tree_, created);
}

TreeNode TreeNodes::tryAdd(const QString& relative, qint32 relationship, const QString& key,
                           const QString& text, QString* error) {
  QTreeWidgetItem* created = nullptr;
  const Failure failure = insert(relative, relationship, key, text, &created);
  if (error) *error = messageFor(failure);
  return TreeNode(tree_, created);
}

void TreeNodes::Remove(const QString& key) {
  QTreeWidgetItem* item = byKey_.value(key);
  if (!item) return;
  lastRelativeItem_ = nullptr;
  forget(item);
  delete item;
}

TreeNode TreeNodes::Item(const QString& key) const { return TreeNode(tree_, byKey_.value(key)); }

TreeNodes::Failure TreeNodes::insert(const QString& relative, qint32 relationship, const QString& key,
                                     const QString& text, QTreeWidgetItem** created) {
  QTreeWidgetItem* rel = nullptr;
  if (!relative.isEmpty()) {
    if (lastRelativeItem_ && relative == lastRelative_) {
      rel = lastRelativeItem_;
    } else {
      rel = byKey_.value(relative);
      if (!rel) return Failure::NotFound;
      lastRelative_ = relative;
      lastRelativeItem_ = rel;
    }
  }
  // The key's place claimed with one lookup: a new key grows the hash.
  QTreeWidgetItem** slot = nullptr;
  if (!key.isEmpty()) {
    const qsizetype antes = byKey_.size();
    slot = &byKey_[key];
    if (byKey_.size() == antes) return Failure::Duplicate;
  }
  auto* item = new QTreeWidgetItem(QStringList(text));
  item->setData(0, Qt::UserRole, key);
  tree_->prepareItem(item);
  place(item, rel, relationship);
  if (slot) *slot = item;
  *created = item;
  return Failure::None;
}

void TreeNodes::place(QTreeWidgetItem* item, QTreeWidgetItem* rel, qint32 relationship) {
  if (!rel) {
    if (relationship == tvwFirst) {
      tree_->insertTopLevelItem(0, item);
    } else {
      tree_->addTopLevelItem(item);
    }
    return;
  }
  if (relationship == tvwChild) {
    rel->addChild(item);
    return;
  }
  QTreeWidgetItem* parent = rel->parent();
  const int at = parent ? parent->indexOfChild(rel) : tree_->indexOfTopLevelItem(rel);
  const int count = parent ? parent->childCount() : tree_->topLevelItemCount();
  int index = count;  // tvwLast
  if (relationship == tvwFirst) index = 0;
  if (relationship == tvwNext) index = at + 1;
  if (relationship == tvwPrevious) index = at;
  if (parent) {
    parent->insertChild(index, item);
  } else {
    tree_->insertTopLevelItem(index, item);
  }
}

void TreeNodes::forget(QTreeWidgetItem* item) {
  byKey_.remove(item->data(0, Qt::UserRole).toString());
  for (int i = 0; i < item->childCount(); ++i) forget(item->child(i));
}

QString TreeNodes::messageFor(Failure failure) {
  switch (failure) {
    case Failure::NotFound:
      return QStringLiteral("Elemento no encontrado");
    case Failure::Duplicate:
      return QStringLiteral("La clave no es única en la colección");
    default:
      return QString();
  }
}

}  // namespace zolmar
