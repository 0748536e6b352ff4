#pragma once
// A fresh in-memory company with the tree class configured, rows written
// straight into Arboles, and the editor opened as the host opens it.

#include <gtest/gtest.h>

#include <QApplication>
#include <QPointer>

#include "editor/frm_arboles.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_ficha_db.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/tree_view.h"

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override { Abrir(QStringLiteral(":memory:")); }

  void TearDown() override {
    for (auto& f : ventanas_)
      if (f) delete f.data();
    EXPECT_TRUE(ui().failures().isEmpty());
  }

  void Abrir(const QString& db) {
    host_ = zolmar::Host::open(db);
    host_->useScriptedUserInterface();
    taz_ = std::make_shared<arboles::cTAZ_Arboles>();
    ASSERT_TRUE(taz_->I_TAZ_Configure(host_->appGlobal()->GetGlobales(), host_->appGlobal()));
  }

  zolmar::ScriptedUserInterface& ui() { return host_->scriptedUserInterface(); }
  arboles::IConnection& cn() { return *host_->connection(); }

  qint32 Nodo(qint32 tipo, const QString& clave, const QString& nombre, qint32 padre = 0, qint32 activo = 0,
              qint32 opciones = 0, const QString& criterio = QString()) {
    const QString sql =
        QStringLiteral(
            "INSERT INTO Arboles (Tipo, Clave, Nombre, id_padre, Activo, Opciones, CriterioHijos) "
            "VALUES (%1, %2, %3, %4, %5, %6, %7)")
            .arg(tipo)
            .arg(cn().SQLLiteral(clave), cn().SQLLiteral(nombre))
            .arg(padre)
            .arg(activo)
            .arg(opciones)
            .arg(cn().SQLLiteral(criterio));
    return cn().ExecuteSQL(sql, 9, 0).toInt();
  }

  QVariant Valor(const QString& sql) { return cn().ExecuteSQL(sql, 2, QVariant()); }
  QString ClaveDe(qint32 id) {
    return Valor(QStringLiteral("SELECT Clave FROM Arboles WHERE ZolmarID=%1").arg(id)).toString();
  }

  // Opens the editor as the host does; null when it did not open.
  arboles::FrmArboles* Editor(qint32 tipo, arboles::cTAZ_Arboles* taz = nullptr) {
    auto* frm = new arboles::FrmArboles();
    if (!frm->Run(taz ? *taz : *taz_, tipo, false)) {
      delete frm;
      return nullptr;
    }
    ventanas_.append(frm);
    return frm;
  }

  void Escribir(arboles::FrmArboles* f, const QString& nombre) { f->getNombre->setText(nombre); }

  QStringList Mensajes() { return ui().messageTexts(); }
  QString UltimoMensaje() { return Mensajes().isEmpty() ? QString() : Mensajes().last(); }

  std::unique_ptr<zolmar::Host> host_;
  std::shared_ptr<arboles::cTAZ_Arboles> taz_;
  QList<QPointer<arboles::FrmArboles>> ventanas_;
};
