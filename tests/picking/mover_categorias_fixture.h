#pragma once
// The organisation window opened as the editor opens it, on the sample tree
// of the pick dialog's tests, with the records that point at its nodes.

#include <QColor>
#include <functional>

#include "host/i_recordset.h"
#include "picking/frm_mover_categorias.h"
#include "picking_fixture.h"
#include "tree/verificador_arbol.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/tree_view.h"

class MoverCategoriasFixture : public PickingFixture {
 protected:
  void Abrir(const QString& fichero) override {
    PickingFixture::Abrir(fichero);
    arboles::FrmMoverCategorias::Registrar();
  }

  // A fresh company with the sample tree of the given type.
  void Empresa(qint32 tipo = 3) {
    id.clear();
    Abrir(QStringLiteral(":memory:"));
    ArbolDeEjemplo(tipo);
  }

  // The window as MostrarMoverCategorias opens it; closed after the script.
  void Organizar(const std::function<void(arboles::FrmMoverCategorias&)>& script, qint32 tipo = 3) {
    ui().whenWaitingFor("FrmMoverCategorias", [script](QWidget* w) {
      auto& f = *static_cast<arboles::FrmMoverCategorias*>(w);
      script(f);
      if (!f.IsClosed()) f.btnCancelar->Click();
    });
    ASSERT_TRUE(taz->MostrarMoverCategorias(tipo));
  }

  QString Kn(const QString& nombre) const {
    return nombre == QLatin1String("/") ? QStringLiteral("K=0") : K(nombre);
  }
  qint32 Id(const QString& nombre) const { return nombre == QLatin1String("/") ? 0 : id.value(nombre); }

  // The person clicks the origin on the left and the destination on the right.
  void Elegir(arboles::FrmMoverCategorias& f, const QString& origen, const QString& destino) {
    ASSERT_TRUE(f.TreeArbol[0]->ClickNode(Kn(origen))) << origen.toStdString();
    ASSERT_TRUE(f.TreeArbol[1]->ClickNode(Kn(destino))) << destino.toStdString();
  }

  void Fila(const QString& tabla, const QString& columna, qint32 valor) {
    cn->ExecuteSQL(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(tabla, columna).arg(valor), 0);
    ASSERT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  }
  // Category assignments of customers (tipo 1) and suppliers (2): tipo, whose, node name.
  struct Asignacion {
    qint32 tipo;
    qint32 quien;
    const char* categoria;
  };
  void Asignaciones(const QList<Asignacion>& filas) {
    for (const Asignacion& a : filas)
      cn->ExecuteSQL(
          QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (%1, %2, %3)")
              .arg(a.tipo)
              .arg(a.quien)
              .arg(Id(QString::fromUtf8(a.categoria))),
          0);
  }
  // "tipo quien id_categoria" of every assignment, in row order.
  QStringList Asignadas() {
    QStringList filas;
    const auto rs = arboles::recordsetOf(
        cn->ExecuteSQL("SELECT Tipo, ID_Quien, id_categoria FROM Categorias ORDER BY ZolmarID", 5));
    while (rs && rs->Read())
      filas << QStringLiteral("%1 %2 %3")
                   .arg(rs->Field("Tipo").toInt())
                   .arg(rs->Field("ID_Quien").toInt())
                   .arg(rs->Field("id_categoria").toInt());
    return filas;
  }
  qint32 Cuantas(const QString& tabla, const QString& columna, qint32 valor) {
    return Valor(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2=%3").arg(tabla, columna).arg(valor))
        .toInt();
  }

  // No damage and no stale path anywhere in the tree.
  void Sano(qint32 tipo = 3) {
    arboles::VerificadorArbol verificador(host->appGlobal()->GetGlobales(), tipo);
    for (const auto& p : verificador.Verificar()) ADD_FAILURE() << p.texto.toStdString();
  }

  qint32 Preguntas() const {
    qint32 n = 0;
    for (const auto& m : host->scriptedUserInterface().messages()) n += m.kind == QLatin1String("question");
    return n;
  }

  static bool Resaltado(const zolmar::TreeNode& n) {
    return n.BackColor() == zolmar::TreeView::ActiveTitleBarColor();
  }
};
