#pragma once
// A company database with a small article tree written key by key, the tree
// class configured on it and the dialog registered with Buscar.

#include <gtest/gtest.h>

#include <QHash>
#include <memory>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "picking/frm_busca_arbol.h"
#include "tree/taz_arboles.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"

class PickingFixture : public ::testing::Test {
 protected:
  void SetUp() override { Abrir(QStringLiteral(":memory:")); }

  void Abrir(const QString& fichero) {
    host = zolmar::Host::open(fichero);
    host->useScriptedUserInterface();
    cn = host->connection();
    taz = std::make_shared<arboles::cTAZ_Arboles>();
    auto app = host->appGlobal();
    ASSERT_TRUE(taz->I_TAZ_Configure(app->GetGlobales(), app));
    arboles::FrmBuscaArbol::Registrar();
  }

  // Bebidas > {Cava y vinos espumosos, Vinos > {Tintos, Blancos}, Refrescos};
  // Alimentación > {Vinagres, D'Oro [especial]}; Retirados (BORRADO).
  void ArbolDeEjemplo(qint32 tipo = 3) {
    Nodo(tipo, "Bebidas", "0100000000000000", "");
    Nodo(tipo, "Cava y vinos espumosos", "0101000000000000", "Bebidas");
    Nodo(tipo, "Vinos", "0102000000000000", "Bebidas");
    Nodo(tipo, "Tintos", "0102010000000000", "Vinos");
    Nodo(tipo, "Blancos", "0102020000000000", "Vinos");
    Nodo(tipo, "Refrescos", "0103000000000000", "Bebidas");
    Nodo(tipo, QString::fromUtf8("Alimentación"), "0200000000000000", "");
    Nodo(tipo, "Vinagres", "0201000000000000", QString::fromUtf8("Alimentación"));
    Nodo(tipo, "D'Oro [especial]", "0202000000000000", QString::fromUtf8("Alimentación"));
    Nodo(tipo, "Retirados", "0300000000000000", "", 2);
  }

  qint32 Nodo(qint32 tipo, const QString& nombre, const QString& clave, const QString& padre,
              qint32 activo = 0) {
    const qint32 idPadre = padre.isEmpty() ? 0 : id.value(padre);
    const QString sql = QStringLiteral(
                            "INSERT INTO Arboles (Tipo, Clave, Nombre, id_padre, Activo, RutaPadre) "
                            "VALUES (%1, %2, %3, %4, %5, '')")
                            .arg(tipo)
                            .arg(cn->SQLLiteral(clave), cn->SQLLiteral(nombre))
                            .arg(idPadre)
                            .arg(activo);
    const qint32 nuevo = cn->ExecuteSQL(sql, 9, 0).toInt();
    EXPECT_FALSE(cn->HasError()) << cn->LastError().toStdString();
    id.insert(nombre, nuevo);
    return nuevo;
  }

  QString Ids(const QStringList& nombres) const {
    QStringList ids;
    for (const QString& n : nombres) ids << QString::number(id.value(n));
    return ids.join(',');
  }

  QString K(const QString& nombre) const { return QStringLiteral("K=") + QString::number(id.value(nombre)); }

  zolmar::ScriptedUserInterface& ui() { return host->scriptedUserInterface(); }

  // Runs Buscar with the script acting in the dialog.
  qint32 Buscar(const std::function<void(arboles::FrmBuscaArbol&)>& script, qint32 tipo = 3,
                bool soloHojas = false, qint32 actual = 0, bool multiple = false, QString* lista = nullptr,
                bool padres = false, bool materias = false, bool menu = false, QString* ruta = nullptr) {
    ui().whenWaitingFor("FrmBuscaArbol",
                        [script](QWidget* w) { script(*static_cast<arboles::FrmBuscaArbol*>(w)); });
    return taz->Buscar(nullptr, tipo, soloHojas, actual, materias, menu, ruta, multiple, lista, padres);
  }

  std::unique_ptr<zolmar::Host> host;
  std::shared_ptr<zolmar::Connection> cn;
  std::shared_ptr<arboles::cTAZ_Arboles> taz;
  QHash<QString, qint32> id;
};
