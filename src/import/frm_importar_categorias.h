#pragma once
// FrmImportarCategorias: the service's classification as a tree with check
// boxes. The person marks the sectors, families and subfamilies to import
// (and may rename them); "Aceptar" writes the new ones into the article tree
// below the branch reserved for the service. Categories imported in an
// earlier run are shown checked and coloured and cannot be unchecked.

#include <QHash>
#include <QPair>
#include <QString>
#include <QVector>
#include <memory>

#include "host/host_types.h"
#include "tree/marca_pendiente.h"
#include "zolmar/ui/frm_basico.h"

class QTimer;

namespace zolmar {
class btn;
class lbl;
class StBar;
class TreeNode;
class TreeView;
}  // namespace zolmar

namespace arboles {

class IAppGlobal;
class IConnection;
class IGlobales;

class FrmImportarCategorias : public zolmar::FrmBasico {
  Q_OBJECT
 public:
  static const QString NombreVentana;  // "FrmImportarCategorias"
  static const QString NombreRama;     // "Cotalia"
  static constexpr qint32 ColorImportada = 18;

  explicit FrmImportarCategorias(QWidget* parent = nullptr);
  ~FrmImportarCategorias() override;

  // Makes the editor's import open this window (idempotent).
  static void Registrar();

  // Keeps the editor and the service rows and shows the tree; False (and
  // nothing shown) without rows.
  bool Run(zolmar::FrmBasico& oFrmArboles, RecordsetPtr oDatos);
  // Writes the checked categories in the transaction "GuardarCategorias";
  // False, with everything rolled back, on any failure.
  bool GuardarCategorias();

  qint32 IdRama() const { return idRama_; }
  RecordsetPtr Datos() const { return oDatos_; }

  zolmar::TreeView* TreeArbol;
  zolmar::lbl* lblInfo;
  zolmar::btn* btnAceptar;
  zolmar::btn* btnCancelar;
  zolmar::StBar* stbEstado;
  QTimer* TimerArbol;

 protected:
  void Form_Load() override;
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override;

 private:
  class Fallo {};

  // Window (frm_importar_categorias.cpp).
  void CrearControles();
  void ConectarEventos();
  void btnAceptar_Click();
  void btnCancelar_Click();
  void TimerArbol_Timer();

  // The service rows and the tree (frm_importar_categorias_arbol.cpp).
  void AsignarClaves();
  // hijos: each parent id's rows (positions) in their present order; ids: each position's id.
  void AsignarClavesHijos(const QHash<qint32, QVector<qint32>>& hijos, const QVector<qint32>& ids,
                          qint32 nID_Padre, const QString& cPrefijo);
  void BuscarRama();
  void CargarArbol();
  void TreeArbol_MouseDown(qint32 Button, qint32 Shift, float x, float y);
  void TreeArbol_MouseUp(qint32 Button, qint32 Shift, float x, float y);
  void TreeArbol_KeyPress(qint32& KeyAscii);
  void TreeArbol_NodeCheck(const zolmar::TreeNode& Node);
  void AplicarMarca(const zolmar::TreeNode& Node);
  void TreeArbol_BeforeLabelEdit(const zolmar::TreeNode& Node, bool& Cancel);
  void TreeArbol_AfterLabelEdit(const zolmar::TreeNode& Node, bool& Cancel, QString& NewString);
  void Informar(const QString& texto);
  static qint32 IdDeNodo(const zolmar::TreeNode& Node);

  // Saving (frm_importar_categorias_guardar.cpp).
  void CrearRama();
  void InsertarCategoria(QString& cClaveActual);
  QVariant Consultar(const QString& sql, qint32 mode, const QVariant& def);
  QString SiguienteSegmento(const QString& cMayor) const;

  zolmar::FrmBasico* oFrmArboles_ = nullptr;
  std::shared_ptr<IAppGlobal> oAppGlobal_;
  std::shared_ptr<IGlobales> oGlobales_;
  std::shared_ptr<IConnection> oCn_;
  RecordsetPtr oDatos_;
  QHash<QPair<qint32, qint32>, qint32> importadas_;  // ids imported before, by service code and level
  qint32 idRama_ = 0;
  QString segmentoRama_;
  MarcaPendiente marcaPendiente_;
  QString nodoTimer_;  // the node TimerArbol checks again
};

}  // namespace arboles
