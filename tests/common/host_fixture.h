#pragma once
// A fresh company database opened by the host, answering through the scripted
// user interface, with the tree class configured on it; helpers write rows
// the way another program would have left them.

#include <gtest/gtest.h>

#include <QList>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <utility>

#include "common/test_server.h"
#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_globales.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"

class HostFixture : public ::testing::Test {
 protected:
  // Column name and its value already written as SQL.
  using Columnas = QList<std::pair<QString, QString>>;

  // In memory, or on the test server (test_server.h).
  void SetUp() override { Abrir(zolmar::testing::freshDatabase()); }

  virtual void Abrir(const QString& fichero);
  // Fills the company before the tree class first reads it.
  virtual void Poblar() {}

  zolmar::ScriptedUserInterface& ui() { return host->scriptedUserInterface(); }

  // Inserts one Arboles row straight into the table; returns its id.
  qint32 InsertarNodo(qint32 tipo, const QString& clave, const QString& nombre, qint32 padre, qint32 activo,
                      const Columnas& otras = {});

  QVariant Valor(const QString& sql) { return cn->ExecuteSQL(sql, 2, QVariant()); }
  QString Clave(qint32 id);

  // Statements the module sends from now on.
  QStringList& Grabar();

  std::unique_ptr<zolmar::Host> host;
  std::shared_ptr<zolmar::Connection> cn;
  std::shared_ptr<arboles::cTAZ_Arboles> taz;

 private:
  QStringList enviadas_;
};
