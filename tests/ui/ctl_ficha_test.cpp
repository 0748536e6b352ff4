#include <gtest/gtest.h>

#include <QStringList>
#include <QToolButton>
#include <QVariantMap>
#include <QVector>

#include "host/host_types.h"
#include "host/i_ficha_db.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/frm_basico.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/key_codes.h"

using zolmar::CtlFicha;
using zolmar::KeyCodes;

namespace {

// Rows in memory, ids from 1; enough of a record set for the browser.
class MemoryFicha : public arboles::IFichaDB {
 public:
  QVector<QVariantMap> rows;
  int pos = -1;
  QVariantMap pending;
  bool adding = false;
  bool failSave = false;

  bool Open(std::shared_ptr<arboles::IConnection>, const QString&, const QString&, const QString&,
            qint32) override {
    return false;
  }
  void SetFilter(const QString&) override {}
  QString Filter() const override { return {}; }
  void SetOrder(const QString&) override {}
  void Reload() override {}
  qint32 RecordCount() const override { return rows.size(); }
  bool MoveFirst() override { return go(rows.isEmpty() ? -1 : 0); }
  bool MoveLast() override { return go(rows.size() - 1); }
  bool MoveNext() override { return pos + 1 < rows.size() && go(pos + 1); }
  bool MovePrevious() override { return pos > 0 && go(pos - 1); }
  qint32 SeekID(qint32 id) override {
    for (int i = 0; i < rows.size(); ++i) {
      if (rows[i]["ZolmarID"].toInt() == id) return go(i), id;
    }
    return 0;
  }
  qint32 CurrentID() const override { return pos >= 0 ? rows[pos]["ZolmarID"].toInt() : 0; }
  QVariant Field(const QString& name) const override {
    if (pending.contains(name)) return pending[name];
    return pos >= 0 && !adding ? rows[pos][name] : QVariant();
  }
  void SetField(const QString& name, const QVariant& value) override { pending[name] = value; }
  void AddNew() override {
    adding = true;
    pending.clear();
  }
  bool IsNew() const override { return adding; }
  bool Save() override {
    if (failSave) return true;
    if (adding) {
      pending["ZolmarID"] = rows.isEmpty() ? 1 : rows.last()["ZolmarID"].toInt() + 1;
      rows.append(pending);
      pos = rows.size() - 1;
    } else {
      for (auto it = pending.begin(); it != pending.end(); ++it) rows[pos][it.key()] = it.value();
    }
    CancelUpdate();
    return false;
  }
  void CancelUpdate() override {
    adding = false;
    pending.clear();
  }
  bool DeleteCurrent() override {
    rows.remove(pos);
    pos = std::min(pos, int(rows.size()) - 1);
    return false;
  }

 private:
  bool go(int p) {
    pos = p;
    return p >= 0;
  }
};

// The browser inside a host window, whose question service answers for the person.
struct Browser {
  std::unique_ptr<zolmar::Host> host = zolmar::Host::open(QStringLiteral(":memory:"));
  zolmar::FrmBasico form;
  std::shared_ptr<MemoryFicha> db = std::make_shared<MemoryFicha>();
  CtlFicha ficha;
  zolmar::get nombre;
  QStringList events;
  bool refuse = false;

  zolmar::ScriptedUserInterface& ui() { return host->scriptedUserInterface(); }

  Browser() {
    host->useScriptedUserInterface();
    form.SetAppGlobal(host->appGlobal(), QStringLiteral("Prueba"));
    ficha.setParent(&form);
    db->rows = {{{"ZolmarID", 1}, {"Nombre", "Vinos"}, {"Activo", 0}},
                {{"ZolmarID", 2}, {"Nombre", "Cavas"}, {"Activo", 2}}};
    db->MoveFirst();
    nombre.setCampo("Nombre");
    ficha.Bind(&nombre);
    ficha.Configure(db, "Tipo=3 AND Clase='a''b'");
    auto request = [this](const char* name) {
      return [this, name](bool& cancel) {
        events << name;
        cancel = refuse;
      };
    };
    QObject::connect(&ficha, &CtlFicha::NewRequest, request("new"));
    QObject::connect(&ficha, &CtlFicha::EditRequest, request("edit"));
    QObject::connect(&ficha, &CtlFicha::DeleteRequest, request("delete"));
    QObject::connect(&ficha, &CtlFicha::SearchRequest, request("search"));
    QObject::connect(&ficha, &CtlFicha::NewRecordDefaults, [this] { events << "defaults"; });
    QObject::connect(&ficha, &CtlFicha::Saved, [this] { events << QString("saved %1").arg(ficha.Mode()); });
    QObject::connect(&ficha, &CtlFicha::RecordChanged,
                     [this] { events << QString("changed %1").arg(ficha.Mode()); });
  }
};

}  // namespace

TEST(CtlFicha, RequestsCancelledLeaveTheModeAndRecord) {
  struct Case {
    void (CtlFicha::*press)();
    const char* request;
  };
  for (const Case& c : {Case{&CtlFicha::pressNew, "new"}, Case{&CtlFicha::pressEdit, "edit"},
                        Case{&CtlFicha::pressDelete, "delete"}, Case{&CtlFicha::pressSearch, "search"}}) {
    Browser b;
    b.refuse = true;
    if (c.press == &CtlFicha::pressDelete) b.ui().queueAnswer(true);
    (b.ficha.*c.press)();
    EXPECT_EQ(b.events, QStringList({c.request}));
    EXPECT_EQ(b.ficha.Mode(), CtlFicha::Browsing);
    EXPECT_EQ(b.db->rows.size(), 2);
    EXPECT_EQ(b.nombre.Text(), "Vinos");
  }
}

TEST(CtlFicha, AddSaveEditCancelDelete) {
  Browser b;
  EXPECT_TRUE(b.nombre.Locked());  // browsing shows, does not edit
  b.ficha.pressNew();
  EXPECT_EQ(b.ficha.Mode(), CtlFicha::Adding);
  EXPECT_EQ(b.nombre.Text(), "");
  EXPECT_FALSE(b.nombre.Locked());
  b.nombre.Type("Licores");
  ASSERT_TRUE(b.ficha.Save());
  EXPECT_EQ(b.events, QStringList({"new", "defaults", "changed 1", "saved 1", "changed -1"}));
  EXPECT_EQ(b.db->rows.last()["Nombre"], "Licores");
  EXPECT_EQ(b.db->rows.last()["Tipo"].toInt(), 3);  // defaults from the filter text
  EXPECT_EQ(b.db->rows.last()["Clase"], "a'b");
  EXPECT_EQ(b.db->CurrentID(), 3);

  b.events.clear();
  b.ficha.pressEdit();
  b.nombre.Type("Otro");
  b.ficha.CancelEdit();
  EXPECT_EQ(b.events, QStringList({"edit", "changed 0", "changed -1"}));
  EXPECT_EQ(b.nombre.Text(), "Licores");

  b.ui().queueAnswer(true);
  b.ficha.pressDelete();
  EXPECT_EQ(b.db->rows.size(), 2);
  EXPECT_EQ(b.nombre.Text(), "Cavas");
  EXPECT_FALSE(b.ficha.ActiveFlag());  // Activo bit 2
  b.ficha.pressPrevious();
  EXPECT_TRUE(b.ficha.ActiveFlag());
}

// A browser bound to a table-access object deletes through it, never through
// the record set; a refused deletion keeps the record on screen.
TEST(CtlFicha, DeleterReplacesTheRecordSetDelete) {
  for (const bool succeeds : {true, false}) {
    Browser b;
    int calls = 0;
    b.ficha.SetDeleter([&] {
      ++calls;
      if (succeeds) b.db->DeleteCurrent();
      return succeeds;
    });
    b.ui().queueAnswer(true);
    b.ficha.pressDelete();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(b.db->rows.size(), succeeds ? 1 : 2);
    EXPECT_EQ(b.nombre.Text(), succeeds ? "Cavas" : "Vinos");
    EXPECT_EQ(b.events, succeeds ? QStringList({"delete", "changed -1"}) : QStringList({"delete"}));
  }
}

// Deleting is never one click: the host window's question comes first, with
// No as its default, and No leaves everything as it was. A browser outside a
// host window has nobody to ask and deletes nothing.
TEST(CtlFicha, DeleteAsksFirst) {
  for (const bool yes : {false, true}) {
    Browser b;
    b.ui().queueAnswer(yes);
    b.ficha.pressDelete();
    ASSERT_EQ(b.ui().messages().size(), 1);
    const zolmar::ShownMessage& q = b.ui().messages().first();
    EXPECT_EQ(q.kind, "question");
    EXPECT_EQ(q.text, QString::fromUtf8("¿Desea borrar la ficha <B>Nº 1 - Vinos</B>?"));
    EXPECT_EQ(q.buttons, arboles::ButtonsYesNo | arboles::DefaultSecondButton);
    EXPECT_EQ(b.events, yes ? QStringList({"delete", "changed -1"}) : QStringList());
    EXPECT_EQ(b.db->rows.size(), yes ? 1 : 2);
    EXPECT_EQ(b.nombre.Text(), yes ? "Cavas" : "Vinos");
  }
  Browser sinVentana;
  sinVentana.ficha.setParent(nullptr);
  sinVentana.ficha.pressDelete();
  EXPECT_TRUE(sinVentana.events.isEmpty());
  EXPECT_EQ(sinVentana.db->rows.size(), 2);
}

TEST(CtlFicha, FailedSaveKeepsEditing) {
  Browser b;
  b.ficha.pressEdit();
  b.db->failSave = true;
  b.nombre.Type("Nuevo nombre");
  EXPECT_FALSE(b.ficha.Save());
  EXPECT_EQ(b.ficha.Mode(), CtlFicha::Editing);
  EXPECT_EQ(b.nombre.Text(), "Nuevo nombre");
}

TEST(CtlFicha, KeyMappingByMode) {
  Browser b;
  struct Case {
    qint32 key, shift, browsing, editing;
  };
  for (const Case& c : {Case{KeyCodes::Escape, 0, 3, 2}, Case{KeyCodes::F1 + 8, 0, 0, 1},
                        Case{'S', KeyCodes::CtrlMask, 0, 1}, Case{'S', 0, 0, 0}}) {
    b.ficha.setMode(CtlFicha::Browsing);
    EXPECT_EQ(b.ficha.MapKey(c.key, c.shift), c.browsing) << c.key;
    b.ficha.setMode(CtlFicha::Editing);
    EXPECT_EQ(b.ficha.MapKey(c.key, c.shift), c.editing) << c.key;
  }
}

namespace {

// The record bar shows pictures, not glyphs, and each tooltip names its action
// (with the keys where a key does it).
TEST(CtlFicha, RecordBarButtonsHaveIconsAndTooltips) {
  CtlFicha bar;
  const auto botones = bar.findChildren<QToolButton*>();
  ASSERT_EQ(botones.size(), 11);
  QStringList tips;
  for (QToolButton* b : botones) {
    EXPECT_FALSE(b->icon().isNull()) << b->toolTip().toStdString();
    EXPECT_TRUE(b->text().isEmpty()) << b->toolTip().toStdString();
    tips << b->toolTip();
  }
  EXPECT_TRUE(tips.contains(QString::fromUtf8("Guardar (F9 o Ctrl+S)")));
  EXPECT_TRUE(tips.contains(QString::fromUtf8("Cancelar (Escape)")));
  EXPECT_TRUE(tips.contains(QString::fromUtf8("Primera ficha (Ctrl+Inicio)")));
}

}  // namespace
