#pragma once
// A fresh company database with the tree class configured on it, and helpers
// to write rows the way another program would have left them.

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_ficha_db.h"
#include "host/i_globales.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"

class ArbolFixture : public ::testing::Test {
 protected:
  void SetUp() override { Abrir(QStringLiteral(":memory:")); }

  void Abrir(const QString& fichero) {
    host = zolmar::Host::open(fichero);
    host->useScriptedUserInterface();
    cn = host->connection();
    taz = std::make_shared<arboles::cTAZ_Arboles>();
    auto oAppGlobal = host->appGlobal();
    ASSERT_TRUE(taz->I_TAZ_Configure(oAppGlobal->GetGlobales(), oAppGlobal));
  }

  qint32 Nodo(qint32 tipo, const QString& clave, const QString& nombre, qint32 padre, qint32 activo = 0,
              qint32 comentario = 0) {
    const QString sql =
        QStringLiteral(
            "INSERT INTO Arboles (Tipo, Clave, Nombre, id_padre, Activo, id_comentario, RutaPadre) "
            "VALUES (%1, %2, %3, %4, %5, %6, '')")
            .arg(tipo)
            .arg(cn->SQLLiteral(clave), cn->SQLLiteral(nombre))
            .arg(padre)
            .arg(activo)
            .arg(comentario);
    const qint32 id = cn->ExecuteSQL(sql, 9, 0).toInt();
    EXPECT_FALSE(cn->HasError()) << cn->LastError().toStdString();
    taz->I_TAZ_FichaDB()->Reload();  // the record set reads its rows when it opens
    return id;
  }

  void Ejecutar(const QString& sql) {
    cn->ExecuteSQL(sql, 0);
    ASSERT_FALSE(cn->HasError()) << sql.toStdString() << ": " << cn->LastError().toStdString();
  }

  QVariant Valor(const QString& sql) { return cn->ExecuteSQL(sql, 2, QVariant()); }
  QString Clave(qint32 id) {
    return Valor(QStringLiteral("SELECT Clave FROM Arboles WHERE ZolmarID=%1").arg(id)).toString();
  }
  QString Ruta(qint32 id) {
    return Valor(QStringLiteral("SELECT RutaPadre FROM Arboles WHERE ZolmarID=%1").arg(id)).toString();
  }
  qint32 Cuenta(const QString& tablaYCondicion) {
    return Valor(QStringLiteral("SELECT COUNT(*) FROM ") + tablaYCondicion).toInt();
  }

  // Statements the module sends from now on.
  QStringList& Grabar() {
    enviadas.clear();
    cn->setStatementRecorder([this](const QString& tsql, qint32) { enviadas.append(tsql); });
    return enviadas;
  }

  std::unique_ptr<zolmar::Host> host;
  std::shared_ptr<zolmar::Connection> cn;
  std::shared_ptr<arboles::cTAZ_Arboles> taz;
  QStringList enviadas;
};
