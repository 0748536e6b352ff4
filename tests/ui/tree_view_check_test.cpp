#include <gtest/gtest.h>

#include <QStringList>

#include "zolmar/ui/tree_view.h"

using zolmar::TreeNode;
using zolmar::TreeView;

namespace {

struct CheckTree {
  TreeView tree;
  QStringList events;

  explicit CheckTree(bool shown) {
    tree.setCheckboxes(true);
    tree.Nodes().Add("", 1, "K=1", "Bebidas");
    tree.Nodes().Add("K=1", 4, "K=2", "Vinos");
    tree.Nodes().Add("", 1, "K=3", "Comidas");
    tree.resize(300, 200);
    if (shown) tree.show();
    QObject::connect(&tree, &TreeView::NodeClick,
                     [this](const TreeNode& n) { events << "click " + n.Key(); });
    QObject::connect(&tree, &TreeView::NodeCheck, [this](const TreeNode& n) {
      events << QString("check %1 %2").arg(n.Key()).arg(n.Checked() ? 1 : 0);
    });
    QObject::connect(&tree, &TreeView::MouseDown, [this](qint32 b, qint32, float x, float y) {
      const TreeView::HitInfo hit = tree.HitTest(int(x), int(y));
      events << QString("down %1 %2 %3").arg(b).arg(hit.node.Key()).arg(hit.flags);
    });
    QObject::connect(&tree, &TreeView::MouseUp,
                     [this](qint32 b, qint32, float, float) { events << QString("up %1").arg(b); });
    QObject::connect(&tree, &TreeView::KeyPress, [this](qint32& k) { events << QString("key %1").arg(k); });
  }
};

}  // namespace

// One person's action gives one check change, whichever way it comes.
TEST(TreeViewCheck, OneChangePerUserAction) {
  for (bool shown : {false, true}) {
    SCOPED_TRACE(shown ? "shown" : "hidden");
    CheckTree t(shown);
    ASSERT_TRUE(t.tree.ClickCheckBox("K=2"));
    EXPECT_EQ(t.events, QStringList({"down 1 K=2 64", "check K=2 1", "up 1"}));
    EXPECT_TRUE(t.tree.Node("K=2").Checked());
    EXPECT_FALSE(t.tree.Node("K=2").Selected());  // ticking does not move the selection

    t.events.clear();
    t.tree.ClickNode("K=3");
    EXPECT_EQ(t.events, QStringList({"down 1 K=3 4", "click K=3", "up 1"}));
    EXPECT_FALSE(t.tree.Node("K=3").Checked());

    t.events.clear();
    t.tree.PressKey(' ');
    EXPECT_EQ(t.events, QStringList({"key 32", "check K=3 1"}));

    t.events.clear();
    t.tree.ClickCheckBox("K=2");
    EXPECT_EQ(t.events, QStringList({"down 1 K=2 64", "check K=2 0", "up 1"}));
  }
}

TEST(TreeViewCheck, CodeChangesAndRefusalsRaiseNothing) {
  CheckTree t(true);
  t.tree.Node("K=1").setChecked(true);
  EXPECT_TRUE(t.tree.Node("K=1").Checked());

  // A handler that swallows the space bar leaves the check alone.
  QObject::connect(&t.tree, &TreeView::KeyPress, [](qint32& k) { k = 0; });
  t.tree.setSelectedItem(t.tree.Node("K=1"));
  t.tree.PressKey(' ');
  EXPECT_TRUE(t.tree.Node("K=1").Checked());

  t.tree.setEnabled(false);
  EXPECT_FALSE(t.tree.ClickCheckBox("K=3"));
  EXPECT_EQ(t.events, QStringList({"key 32"}));
  EXPECT_FALSE(t.tree.Node("K=3").Checked());
}

TEST(TreeViewCheck, HitTestFlags) {
  CheckTree t(true);
  const QPoint box = t.tree.CheckBoxPoint("K=1");
  const QPoint label = t.tree.LabelPoint("K=1");
  EXPECT_EQ(t.tree.HitTest(box).flags, TreeView::OnItemStateIcon);
  EXPECT_EQ(t.tree.HitTest(box).node.Key(), "K=1");
  EXPECT_EQ(t.tree.HitTest(label).flags, TreeView::OnItemLabel);
  EXPECT_EQ(t.tree.HitTest(280, label.y()).flags, TreeView::OnItemRight);
  EXPECT_EQ(t.tree.HitTest(box.x(), 190).flags, TreeView::OnNowhere);
  EXPECT_TRUE(t.tree.HitTest(-5, 10).flags & TreeView::ToLeft);
  EXPECT_EQ(t.tree.HitTest(1, label.y()).flags, TreeView::OnItemButton);  // K=1 has a child
}

TEST(TreeViewCheck, CollapseExpandAndColours) {
  CheckTree t(true);
  QStringList seen;
  QObject::connect(&t.tree, &TreeView::Expand, [&](const TreeNode& n) { seen << "expand " + n.Key(); });
  QObject::connect(&t.tree, &TreeView::Collapse, [&](const TreeNode& n) { seen << "collapse " + n.Key(); });
  EXPECT_FALSE(t.tree.Node("K=2").Visible());
  t.tree.Node("K=2").EnsureVisible();
  EXPECT_TRUE(t.tree.Node("K=2").Visible());
  t.tree.CollapseNode("K=1");
  EXPECT_EQ(seen, QStringList({"expand K=1", "collapse K=1"}));

  TreeNode n = t.tree.Node("K=3");
  EXPECT_EQ(n.BackColor(), TreeView::WindowBackgroundColor());
  EXPECT_EQ(n.ForeColor(), TreeView::WindowTextColor());
  n.setBackColor(TreeView::ActiveTitleBarColor());
  n.setForeColor(TreeView::ActiveTitleBarTextColor());
  EXPECT_EQ(n.BackColor(), TreeView::ActiveTitleBarColor());
  EXPECT_EQ(n.ForeColor(), TreeView::ActiveTitleBarTextColor());
  EXPECT_NE(TreeView::ActiveTitleBarColor(), TreeView::WindowBackgroundColor());
}
