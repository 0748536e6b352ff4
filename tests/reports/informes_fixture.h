#pragma once
// The tree report on a fresh company: a small article tree whose shape the
// drawing tests know, and helpers that open the window as the host does.

#include <QTemporaryDir>

#include "common/host_fixture.h"
#include "host/i_recordset.h"
#include "reports/frm_rpt_arboles.h"
#include "zolmar/report/report_framework.h"
#include "zolmar/report/rpt_generar.h"
#include "zolmar/ui/get.h"

class InformesFixture : public HostFixture {
 protected:
  // Tree type 3:   A (01)            B (02)
  //                ├ A1 (0101)       └ B1 (0201)
  //                │ └ A1a (010101)
  //                └ A2 (0102)
  void SetUp() override {
    HostFixture::SetUp();
    arboles::FrmRptArboles::Registrar();
    idA = InsertarNodo(3, "01" + QString(14, '0'), "A", 0, 0);
    idA1 = InsertarNodo(3, "0101" + QString(12, '0'), "A1", idA, 0);
    idA1a = InsertarNodo(3, "010101" + QString(10, '0'), "A1a", idA1, 0);
    idA2 = InsertarNodo(3, "0102" + QString(12, '0'), "A2", idA, 0);
    idB = InsertarNodo(3, "02" + QString(14, '0'), "B", 0, 0);
    idB1 = InsertarNodo(3, "0201" + QString(12, '0'), "B1", idB, 0);
    InsertarNodo(1, "01" + QString(14, '0'), "Otro árbol", 0, 0);
  }

  // The window as MostrarInformes opens it without waiting.
  arboles::FrmRptArboles* Abrir(qint32 proceso = 0, bool soloHojas = false, qint32 tipo = 3) {
    auto* frm = new arboles::FrmRptArboles();
    frm->setAttribute(Qt::WA_DeleteOnClose);
    frm->Run(*taz, tipo, proceso, false, soloHojas);
    return frm;
  }

  QString Fichero(const QString& nombre) { return dir.filePath(nombre); }

  qint32 idA = 0, idA1 = 0, idA1a = 0, idA2 = 0, idB = 0, idB1 = 0;
  QTemporaryDir dir;
};
