#pragma once
// The category report on the pick tests' article tree: three customers and a
// supplier with their categories, and helpers that run the report's filter
// the way a customer list asks for it.

#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <memory>

#include "categories/taz_categorias.h"
#include "host/i_recordset.h"
#include "picking/picking_fixture.h"
#include "reports/frm_rpt_categorias.h"
#include "zolmar/report/report_framework.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"

class InformeCategoriasFixture : public PickingFixture {
 protected:
  using Guion = std::function<void(arboles::FrmRptCategorias&)>;

  void SetUp() override {
    PickingFixture::SetUp();
    arboles::FrmRptCategorias::Registrar();
    ArbolDeEjemplo();
    ana = Persona("Clientes", "Ana", "Ruiz", {"Tintos", "Refrescos"}, 1);
    bar = Persona("Clientes", "Bar", "Pepe", {"Blancos", "Vinagres"}, 1);
    casa = Persona("Clientes", "Casa", "Luis", {"Vinagres"}, 1);
    norte = Persona("Proveedores", "Vinos", "Norte", {"Tintos"}, 2);
    categorias = std::make_shared<arboles::cTAZ_Categorias>();
    auto app = host->appGlobal();
    ASSERT_TRUE(categorias->I_TAZ_Configure(app->GetGlobales(), app));
  }

  qint32 Persona(const QString& tabla, const QString& nombre, const QString& apellidos,
                 const QStringList& asignadas, qint32 tipo) {
    const qint32 idNombre =
        cn->ExecuteSQL(QStringLiteral("INSERT INTO Nombres (Nombre, Apellidos) VALUES ('%1', '%2')")
                           .arg(nombre, apellidos),
                       9)
            .toInt();
    const qint32 quien = cn->ExecuteSQL(QStringLiteral("INSERT INTO %1 (Codigo, ID_Nombre) VALUES ('%2', %3)")
                                            .arg(tabla, nombre.left(3).toUpper())
                                            .arg(idNombre),
                                        9)
                             .toInt();
    for (const QString& a : asignadas)
      cn->ExecuteSQL(
          QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (%1, %2, %3)")
              .arg(tipo)
              .arg(quien)
              .arg(id.value(a)));
    return quien;
  }

  // The filter as GetFilterForSubQuery hands it back after the script filled
  // the window (emptied first of what the last run left in it).
  QString Filtro(qint32 proceso, const Guion& guion, bool devolver = true) {
    ui().whenWaitingFor(arboles::FrmRptCategorias::NombreVentana, [&](QWidget* w) {
      auto* frm = static_cast<arboles::FrmRptCategorias*>(w);
      for (zolmar::get* say : frm->findChildren<zolmar::get*>(QRegularExpression("^sayID_")))
        say->setText(QStringLiteral("0"));
      guion(*frm);
      if (devolver)
        frm->btnReturnFilter->Click();
      else
        frm->Unload();
    });
    return categorias->GetFilterForSubQuery(proceso);
  }

  // The customers (process 1) or suppliers a subquery selects, by full name.
  QStringList Elegidos(const QString& subconsulta, qint32 proceso = 1) {
    const QString sql =
        QStringLiteral(
            "SELECT N.Nombre + ' ' + N.Apellidos AS Nombre FROM %1 T LEFT JOIN Nombres N ON "
            "T.ID_Nombre=N.ZolmarID WHERE T.ZolmarID IN (%2) ORDER BY T.ZolmarID")
            .arg(proceso == 1 ? QStringLiteral("Clientes") : QStringLiteral("Proveedores"), subconsulta);
    QStringList nombres;
    const auto rs = arboles::recordsetOf(cn->ExecuteSQL(sql, 5));
    while (rs && rs->Read()) nombres << rs->Field("Nombre").toString();
    return nombres;
  }

  void Elegir(arboles::FrmRptCategorias& frm, qint32 fila, const QString& nombre) {
    frm.sayID_Categoria[fila]->setText(QString::number(id.value(nombre, 999)));
  }

  arboles::FrmRptCategorias* Abrir(qint32 proceso) {
    auto* frm = new arboles::FrmRptCategorias();
    frm->setAttribute(Qt::WA_DeleteOnClose);
    frm->Run(*categorias, proceso, false);
    return frm;
  }

  QString Fichero(const QString& nombre) { return dir.filePath(nombre); }

  std::shared_ptr<arboles::cTAZ_Categorias> categorias;
  qint32 ana = 0, bar = 0, casa = 0, norte = 0;
  QTemporaryDir dir;
};
