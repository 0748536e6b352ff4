#include "frm_ayuda.h"

#include <QApplication>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "host/i_app_global.h"

// The help is a resource of a static library: it is registered by hand.
static void RegistrarAyuda() { Q_INIT_RESOURCE(ayuda); }

namespace zolmar {

namespace {
// The host's key action that closes a window.
constexpr qint32 kAccionCerrar = 3;
}  // namespace

const QString FrmAyuda::NombreVentana = QStringLiteral("FrmAyuda");

FrmAyuda::FrmAyuda(QWidget* parent) : FrmBasico(parent) {
  RegistrarAyuda();
  setAttribute(Qt::WA_DeleteOnClose);
  setObjectName(NombreVentana);
  setWindowTitle(QStringLiteral("Ayuda"));
  resize(640, 560);
  txtAyuda = new QTextBrowser(this);
  txtAyuda->setOpenExternalLinks(true);
  txtAyuda->setSource(QUrl(QStringLiteral("qrc:/ayuda/ayuda.md")), QTextDocument::MarkdownResource);
  auto* todo = new QVBoxLayout(this);
  todo->setContentsMargins(0, 0, 0, 0);
  todo->addWidget(txtAyuda);
}

FrmAyuda* FrmAyuda::Mostrar(std::shared_ptr<arboles::IAppGlobal> appGlobal) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    auto* abierta = qobject_cast<FrmAyuda*>(w);
    if (abierta && !abierta->IsClosed()) {
      abierta->Show();
      return abierta;
    }
  }
  auto* frm = new FrmAyuda();
  frm->setWindowTitle(appGlobal->Translate(QStringLiteral("Ayuda")));
  frm->SetAppGlobal(std::move(appGlobal), NombreVentana);
  frm->Show();
  return frm;
}

void FrmAyuda::Form_KeyDown(qint32& KeyCode, qint32 Shift) {
  if (!AppGlobal() || AppGlobal()->MapKey(KeyCode, Shift) != kAccionCerrar) return;
  KeyCode = 0;
  Unload();
}

}  // namespace zolmar
