#pragma once
// "Ayuda": the person's guide to the trees, in Spanish, in a window of its
// own that stays open beside the one being used.

#include "zolmar/ui/frm_basico.h"

class QTextBrowser;

namespace zolmar {

class FrmAyuda : public FrmBasico {
  Q_OBJECT
 public:
  static const QString NombreVentana;

  explicit FrmAyuda(QWidget* parent = nullptr);

  // Opens the help over the main window, or brings the open one to the front.
  static FrmAyuda* Mostrar(std::shared_ptr<arboles::IAppGlobal> appGlobal);

  QTextBrowser* txtAyuda;

 protected:
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override;
};

}  // namespace zolmar
