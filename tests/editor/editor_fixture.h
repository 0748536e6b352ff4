#pragma once
// A fresh in-memory company with the tree class configured, rows written
// straight into Arboles, and the editor opened as the host opens it.

#include <QApplication>
#include <QPointer>

#include "common/host_fixture.h"
#include "editor/frm_arboles.h"
#include "host/i_ficha_db.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/ctl_ficha.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/tree_view.h"

class EditorTest : public HostFixture {
 protected:
  void TearDown() override {
    for (auto& f : ventanas_)
      if (f) delete f.data();
    EXPECT_TRUE(ui().failures().isEmpty());
  }

  qint32 Nodo(qint32 tipo, const QString& clave, const QString& nombre, qint32 padre = 0, qint32 activo = 0,
              qint32 opciones = 0, const QString& criterio = QString()) {
    return InsertarNodo(tipo, clave, nombre, padre, activo,
                        {{QStringLiteral("Opciones"), QString::number(opciones)},
                         {QStringLiteral("CriterioHijos"), cn->SQLLiteral(criterio)}});
  }

  // Opens the editor as the host does; null when it did not open.
  arboles::FrmArboles* Editor(qint32 tipo, arboles::cTAZ_Arboles* otra = nullptr) {
    auto* frm = new arboles::FrmArboles();
    if (!frm->Run(otra ? *otra : *taz, tipo, false)) {
      delete frm;
      return nullptr;
    }
    ventanas_.append(frm);
    return frm;
  }

  // The tree-view key of a node.
  static QString K(qint32 id) { return QStringLiteral("K=%1").arg(id); }

  void Escribir(arboles::FrmArboles* f, const QString& nombre) { f->getNombre->setText(nombre); }

  QStringList Mensajes() { return ui().messageTexts(); }
  QString UltimoMensaje() { return Mensajes().isEmpty() ? QString() : Mensajes().last(); }

  QList<QPointer<arboles::FrmArboles>> ventanas_;
};
