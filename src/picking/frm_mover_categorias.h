#pragma once
// FrmMoverCategorias: "Organización de categorías". Two views of the same
// tree, origin on the left and destination on the right: the origin node is
// merged into the destination (its records re-pointed, the node then
// deletable) or moved under it with its whole branch. Each action ends with
// the keys and paths of the whole tree rebuilt and both views reloaded.

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QString>
#include <QVector>
#include <memory>

#include "host/host_types.h"
#include "zolmar/ui/frm_basico.h"
#include "zolmar/ui/list_window.h"

namespace zolmar {
class btn;
class lbl;
class StBar;
class TreeNode;
class TreeView;
}  // namespace zolmar

namespace arboles {

class cTAZ_Arboles;
class IAppGlobal;
class IGlobales;
class IConnection;

class FrmMoverCategorias : public zolmar::FrmBasico {
  Q_OBJECT
 public:
  static const QString NombreVentana;  // "FrmMoverCategorias"
  static const QString MensajeNoValida;

  explicit FrmMoverCategorias(QWidget* parent = nullptr);
  ~FrmMoverCategorias() override;

  // Makes MostrarMoverCategorias of cTAZ_Arboles open this window (idempotent).
  static void Registrar();

  // Takes the globals of oTAZ, loads both trees and shows the window without
  // waiting. False when oTAZ is not configured.
  bool Run(cTAZ_Arboles& oTAZ, qint32 nTipoArbol);
  // The move "Añadir como un nuevo nivel" of nOrigen under nDestino for a
  // branch dropped onto a node of another window (the editor): the same
  // checks, question and rebuild, the window never shown. True when it moved.
  static bool MoverRama(cTAZ_Arboles& oTAZ, qint32 nTipoArbol, qint32 nOrigen, qint32 nDestino);
  bool AppQueryUnload() override;

  // What the person sees: the selection of each tree (0 the root "/").
  qint32 Origen() const { return nSeleccion_[0]; }
  qint32 Destino() const { return nSeleccion_[1]; }
  // Whether the last press of an action button carried it out.
  bool AccionRealizada() const { return lRealizada_; }
  // A table whose records a merge re-points, and how many of the origin's.
  struct Traspaso {
    QString tabla;
    qint64 filas = 0;
  };
  // What the last merge carried out re-pointed (or, for an assignment the
  // destination already had, dropped), table by table.
  const QVector<Traspaso>& Traspasadas() const { return traspasadas_; }
  zolmar::ListWindow* VentanaReferencias() const { return referencias_.data(); }

  zolmar::TreeView* TreeArbol[2];
  zolmar::lbl* lblArbol[2];
  zolmar::btn* btnReferencias[2];
  zolmar::btn* btnAccion[2];
  zolmar::btn* btnCancelar;
  zolmar::StBar* stbEstado;

 protected:
  void Form_Load() override;
  void Form_QueryUnload(bool& Cancel, qint32 UnloadMode) override;
  void Form_Unload(bool& Cancel) override;
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override;

 private:
  // Layout and events (frm_mover_categorias.cpp).
  void CrearControles();
  void ConectarEventos();
  void TreeArbol_NodeClick(qint32 Index, const zolmar::TreeNode& Node);
  void TreeArbol_Collapse(qint32 Index, const zolmar::TreeNode& Node);
  // A branch dragged onto a node of either tree: origin and destination, then the move.
  void TreeArbol_NodeDrop(const zolmar::TreeNode& Origen, const zolmar::TreeNode& Destino, qint32 Posicion);
  bool Preparar(cTAZ_Arboles& oTAZ, qint32 nTipoArbol);
  void btnAccion_Click(qint32 Index);
  void btnCancelar_Click();

  // Loading and marking (frm_mover_categorias_carga.cpp).
  void CargarArboles(bool lSeleccionarPrimero);
  void CargarArbol(qint32 nIndex, bool lSeleccionarPrimero);
  QString ConsultaCuentas() const;
  void MarcarNodo(qint32 nIndex, bool lMarcar, const QString& cClave);
  void MoverSeleccion(qint32 nIndex, const zolmar::TreeNode& Node);
  static QString ClaveDeId(qint32 nID);
  static qint32 IdDeClave(const QString& cClave);

  // The two actions and the rebuild (frm_mover_categorias_acciones.cpp).
  bool ComprobarSeleccion(bool& lHijoUnico, QString& cOrigen, QString& cDestino);
  QString NombreDe(qint32 nID);
  void Unir();
  void AnadirNivel();
  void BorrarOrigen();
  void RenumerarYRutas();
  void Reconstruir(bool lExpandirOrigen);
  QString Traducir(const char* texto) const;
  void Informar(const QString& cTexto, qint32 nBotones = 0);

  // References of a selection and the records a merge moves
  // (frm_mover_categorias_referencias.cpp).
  void btnReferencias_Click(qint32 Index);
  QString TablaReferenciada() const;
  QVector<Traspaso> ContarTraspaso(qint32 nOrigen);
  QString DescribirTraspaso(const QVector<Traspaso>& traspaso) const;
  static QString ReapuntarAsignaciones(const QString& origen, const QString& destino);

  // A failed statement is raised: it ends the click handling.
  void Ejecutar(const QString& sql);
  QVariant Valor(const QString& sql, const QVariant& def);
  bool ExcedeNiveles(qint32 nOrigen, qint32 nDestino);
  RecordsetPtr Abrir(const QString& sql, qint32 nModo);

  std::shared_ptr<IGlobales> oGlobales_;
  std::shared_ptr<IAppGlobal> oAppGlobal_;
  std::shared_ptr<IConnection> oCn_;
  std::shared_ptr<cTAZ_Arboles> oTAZ_Arboles_;
  qint32 nTipoArbol_ = 0;
  qint32 nSeleccion_[2] = {0, 0};
  QColor colorGuardado_[2];
  RecordsetPtr rsArbol_;
  QHash<qint32, qint32> cuentas_;  // references by node id, read once per load
  bool lRealizada_ = false;
  QVector<Traspaso> traspasadas_;
  QPointer<zolmar::ListWindow> referencias_;
};

}  // namespace arboles
