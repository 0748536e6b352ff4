#include <gtest/gtest.h>

#include <QStringList>
#include <QTreeWidgetItem>

#include "zolmar/ui/tree_view.h"
#include "zolmar/ui/tree_view_error.h"

using zolmar::TreeNode;
using zolmar::TreeView;
using zolmar::TreeViewError;

namespace {

void fill(TreeView& tree) {
  tree.Nodes().Add("", 1, "K=1", "Bebidas");
  tree.Nodes().Add("K=1", 4, "K=2", "Vinos");
  tree.Nodes().Add("K=1", 4, "K=3", "Cervezas");
  tree.Nodes().Add("", 1, "K=4", "Comidas");
}

}  // namespace

TEST(TreeViewAdd, RelationshipsPlaceNodes) {
  TreeView tree;
  fill(tree);
  tree.Nodes().Add("K=2", 1, "K=5", "Licores");     // last among K=2's siblings
  tree.Nodes().Add("K=2", 0, "K=6", "Aguas");       // first among them
  tree.Nodes().Add("K=2", 2, "K=7", "Cavas");       // right after K=2
  tree.Nodes().Add("K=4", 3, "K=8", "Aperitivos");  // right before K=4
  QStringList children;
  for (TreeNode n = tree.Node("K=1").Child(); n; n = n.Next()) children << n.Key();
  EXPECT_EQ(children, QStringList({"K=6", "K=2", "K=7", "K=3", "K=5"}));
  EXPECT_EQ(tree.topLevelItemCount(), 3);
  EXPECT_EQ(tree.Node("K=8").Next().Key(), "K=4");
  EXPECT_TRUE(tree.Node("K=8").Parent().isNull());
  EXPECT_EQ(tree.Node("K=5").Parent().Key(), "K=1");
  EXPECT_EQ(tree.Node("K=1").Children(), 5);
}

TEST(TreeViewAdd, RefusesMissingRelativeAndDuplicateKey) {
  struct Case {
    const char* relative;
    const char* key;
    int number;
  };
  for (const Case& c :
       {Case{"K=99", "K=10", TreeViewError::ElementNotFound}, Case{"", "K=2", TreeViewError::KeyNotUnique},
        Case{"K=1", "K=1", TreeViewError::KeyNotUnique}}) {
    TreeView tree;
    fill(tree);
    try {
      tree.Nodes().Add(c.relative, 4, c.key, "x");
      ADD_FAILURE() << c.relative << " " << c.key;
    } catch (const TreeViewError& e) {
      EXPECT_EQ(e.Number(), c.number);
    }
    QString error;
    EXPECT_TRUE(tree.Nodes().tryAdd(c.relative, 4, c.key, "x", &error).isNull());
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(tree.Nodes().Count(), 4);  // nothing half-added
  }
}

TEST(TreeViewAdd, ClearForgetsKeysAndLargeTreesLoad) {
  TreeView tree;
  fill(tree);
  tree.Nodes().Clear();
  EXPECT_TRUE(tree.Node("K=1").isNull());
  EXPECT_TRUE(tree.Nodes().tryAdd("K=1", 4, "K=2", "x").isNull()) << "the last parent was cleared too";
  tree.Nodes().Add("", 1, "K=1", "again");
  tree.Nodes().Add("K=1", 4, "K=2", "child");
  tree.Nodes().Remove("K=1");
  EXPECT_TRUE(tree.Nodes().tryAdd("K=1", 4, "K=3", "x").isNull()) << "and so was a removed one";
  tree.Nodes().Add("", 1, "K=1", "once more");
  EXPECT_EQ(tree.Nodes().Add("K=1", 4, "K=3", "child").Parent().Text(), "once more");

  tree.Nodes().Clear();
  tree.setCheckboxes(true);
  tree.setUpdatesEnabled(false);
  for (int i = 1; i <= 50000; ++i) {
    const QString parent = i % 10 == 1 ? QString() : QString("K=%1").arg(i - (i - 1) % 10);
    tree.Nodes().Add(parent, parent.isEmpty() ? 1 : 4, QString("K=%1").arg(i), QString("Nodo %1").arg(i));
  }
  tree.setUpdatesEnabled(true);
  EXPECT_EQ(tree.Nodes().Count(), 50000);
  EXPECT_EQ(tree.Node("K=49999").Parent().Key(), "K=49991");
}

// The deleted mark is shown after the text, never written into it: renaming
// starts from the name alone and keeps the mark; the mark's grey gives way to
// the highlight and comes back after it.
TEST(TreeViewMarks, DeletedMarkIsShownNotStored) {
  TreeView tree;
  fill(tree);
  tree.setLabelEdit(true);
  TreeNode vinos = tree.Node("K=2");
  vinos.setMarkedDeleted(true);
  EXPECT_EQ(vinos.Text(), "Vinos");
  EXPECT_EQ(vinos.DisplayText(), "Vinos [BORRADO]");
  EXPECT_EQ(vinos.ForeColor(), TreeView::DeletedTextColor());
  EXPECT_EQ(vinos.item()->data(0, Qt::EditRole).toString(), "Vinos") << "what the label editor starts from";
  EXPECT_TRUE(tree.EditLabel("K=2", "Vinos tintos"));
  EXPECT_EQ(vinos.DisplayText(), "Vinos tintos [BORRADO]");
  vinos.setHighlighted(true);
  EXPECT_EQ(vinos.ForeColor(), TreeView::ActiveTitleBarTextColor());
  vinos.setHighlighted(false);
  EXPECT_EQ(vinos.ForeColor(), TreeView::DeletedTextColor());
  vinos.setMarkedDeleted(false);
  EXPECT_EQ(vinos.DisplayText(), "Vinos tintos");
  EXPECT_EQ(vinos.ForeColor(), TreeView::WindowTextColor());
  EXPECT_EQ(tree.Node("K=3").Previous().Key(), "K=2");
  EXPECT_TRUE(vinos.Previous().isNull());
  EXPECT_EQ(tree.Node("K=4").Previous().Key(), "K=1");
}
