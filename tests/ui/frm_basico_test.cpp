#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>

#include "zolmar/ui/frm_basico.h"
#include "zolmar/ui/key_codes.h"
#include "zolmar/ui/window_placement.h"

using zolmar::FrmBasico;
using zolmar::KeyCodes;

namespace {

class TestForm : public FrmBasico {
 public:
  bool refuse = false;
  QStringList calls;

 protected:
  void Form_Load() override { calls << "load"; }
  void Form_QueryUnload(bool& Cancel, qint32 mode) override {
    calls << QString("query %1").arg(mode);
    Cancel = refuse;
  }
  void Form_Unload(bool&) override { calls << "unload"; }
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override {
    calls << QString("down %1 %2").arg(KeyCode).arg(Shift);
    if (KeyCode == KeyCodes::Escape) Unload();
  }
  void Form_KeyUp(qint32& KeyCode, qint32) override { calls << QString("up %1").arg(KeyCode); }
};

}  // namespace

TEST(FrmBasico, TopEdgeKeptAtLeast70PixelsDown) {
  const int screenTop = QGuiApplication::primaryScreen()->geometry().top();
  struct Case {
    int y, expected;
  };
  for (const Case& c : {Case{0, 70}, Case{69, 70}, Case{70, 70}, Case{200, 200}}) {
    TestForm form;
    form.resize(200, 100);
    form.move(30, screenTop + c.y);
    form.Show();
    EXPECT_EQ(form.frameGeometry().top() - screenTop, c.expected) << c.y;
    EXPECT_EQ(form.frameGeometry().left(), 30);
    form.Unload();
  }
}

TEST(FrmBasico, CloseAsksAndRefusalKeepsTheWindowOpen) {
  TestForm form;
  int closedSignals = 0;
  QObject::connect(&form, &FrmBasico::Closed, [&] { ++closedSignals; });
  form.Show();
  form.Show();  // loads once
  form.refuse = true;
  EXPECT_FALSE(form.close());
  EXPECT_TRUE(form.AppQueryUnload());
  EXPECT_FALSE(form.Unload());
  EXPECT_FALSE(form.IsClosed());
  EXPECT_EQ(closedSignals, 0);

  form.refuse = false;
  EXPECT_FALSE(form.AppQueryUnload());
  EXPECT_TRUE(form.Unload());
  EXPECT_TRUE(form.IsClosed());
  EXPECT_EQ(closedSignals, 1);
  EXPECT_EQ(form.calls,
            QStringList({"load", "query 0", "query 0", "query 1", "query 0", "query 1", "unload"}));
}

TEST(FrmBasico, KeysReachTheWindowFirst) {
  TestForm form;
  form.Show();
  form.calls.clear();
  form.PressKey('S', KeyCodes::CtrlMask);
  form.PressKey(KeyCodes::Escape);  // the handler closes the window: no key-up afterwards
  EXPECT_EQ(form.calls, QStringList({"down 83 2", "up 83", "down 27 0", "query 1", "unload"}));
  EXPECT_TRUE(form.IsClosed());
}

// A window larger than the free part of the screen shrinks to it (never
// below what its controls need) and moves inside it.
TEST(FrmBasico, AWindowIsFittedIntoTheFreePartOfTheScreen) {
  const QRect sitio(0, 70, 1366, 768 - 40 - 70);  // a 1366x768 screen less the task bar and the top edge
  struct Case {
    QRect antes;
    QSize minimo;
    QRect despues;
  } cases[] = {
      {{100, 100, 760, 700}, {0, 0}, {100, 70, 760, 658}},     // too tall: as tall as the room
      {{100, 100, 760, 640}, {0, 0}, {100, 88, 760, 640}},     // fits once moved up
      {{10, 0, 420, 520}, {0, 0}, {10, 70, 420, 520}},         // above the top edge: moved down
      {{1200, 600, 300, 200}, {0, 0}, {1066, 528, 300, 200}},  // off the bottom right corner
      {{0, 70, 2000, 900}, {0, 0}, {0, 70, 1366, 658}},
      {{0, 70, 500, 700}, {400, 650}, {0, 70, 500, 658}},  // never below what its controls need
  };
  for (const Case& c : cases) {
    QWidget w(nullptr, Qt::Window);
    if (!c.minimo.isEmpty()) w.setMinimumSize(c.minimo);
    w.setGeometry(c.antes);
    zolmar::WindowPlacement::FitInto(&w, sitio);
    EXPECT_EQ(QRect(w.pos(), w.size()), c.despues) << c.antes.x() << "," << c.antes.y();
  }
}
