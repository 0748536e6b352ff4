#pragma once
// FrmArboles: the editor of one tree of the Arboles table. The tree on the
// left, the record of the selected node in a record browser on the right.
// While the window is open it holds the table lock of its tree type, so a
// second editor of the same tree cannot open.

#include <QPointer>
#include <QString>
#include <array>
#include <memory>

#include "zolmar/ui/frm_basico.h"

namespace zolmar {
class btn;
class get;
class lbl;
class StBar;
class Frame;
class CtlFicha;
class TreeView;
class TreeNode;
class ListWindow;
}  // namespace zolmar

namespace arboles {

class cTAZ_Arboles;
class IAppGlobal;
class IGlobales;
class IConnection;
class IFichaDB;
class IHostTableAccess;
class IComments;
class I_DAZ;

class FrmArboles : public zolmar::FrmBasico {
  Q_OBJECT
 public:
  static constexpr qint32 NumAux = 6;
  static const QString NombreVentana;  // "FrmArboles"
  static const QString ClaveNueva;     // "K=NEWKEY"

  explicit FrmArboles(QWidget* parent = nullptr);
  ~FrmArboles() override;

  // Makes MostrarFicha of cTAZ_Arboles open this window (idempotent).
  static void Registrar();

  // Prepares and shows the window; False when it was not shown (the window is
  // already open for a record move, or the tree is locked by another editor).
  bool Run(cTAZ_Arboles& oTAZ_Arboles, qint32 nTipoArbol, bool lMoveToRecord);
  bool AppQueryUnload() override;
  std::shared_ptr<I_DAZ> Ctl2DAZ(const zolmar::get& oCtl);
  // Fills the tree again from the database (the host's refresh command).
  void RecargarArbol() { CargarArbol(); }
  // The import of article categories from the price-information service
  // (frm_arboles_cotalia.cpp); its button, btnAccion 3, stays disabled here.
  void ImportarCategorias();

  qint32 TipoArbol() const { return nTipoArbol_; }
  QString ClaveResaltada() const { return claveResaltada_; }
  QString ClavePreparada() const { return claveNueva_; }
  qint32 PadreActual() const { return idPadre_; }
  // The last references window opened by btnAccion 4 (null when none).
  zolmar::ListWindow* VentanaReferencias() const;

  // Controls, named as the person sees them.
  zolmar::TreeView* TreeArbol;
  zolmar::CtlFicha* CtlFicha;
  zolmar::get* sayZolmarID;
  zolmar::get* sayNombre;
  zolmar::get* getNombre;
  zolmar::lbl* lblZolmarID;
  zolmar::lbl* lblNombre;
  zolmar::get* getCriteriohijos;
  zolmar::lbl* lblCriteriohijos;
  std::array<zolmar::get*, NumAux> getNomaux;
  std::array<zolmar::lbl*, NumAux> lblNomaux;
  std::array<zolmar::btn*, NumAux> chkUso;
  zolmar::lbl* lblUso;
  zolmar::Frame* Frame1;
  zolmar::Frame* Frame2;
  std::array<zolmar::btn*, 6> btnAccion;
  std::array<zolmar::btn*, 2> btnOrden;
  zolmar::btn* btnGuardar;
  zolmar::btn* btnCancelar;
  zolmar::btn* btnFrames;
  // Shows beside each node how many records use it (remembered by the host).
  zolmar::btn* chkContar;
  static const QString ClaveConfigContar;  // "CFG_ARBOLES:CONTAR_FICHAS"
  zolmar::StBar* stbEstado;

 protected:
  void Form_Load() override;
  void Form_QueryUnload(bool& Cancel, qint32 UnloadMode) override;
  void Form_Unload(bool& Cancel) override;
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override;
  void Form_KeyUp(qint32& KeyCode, qint32 Shift) override;

 private:
  // Layout (frm_arboles_controles.cpp).
  void CrearControles();
  QWidget* CrearPanelFicha();
  void CrearCamposAux(QWidget* frame);
  QWidget* CrearBotones();
  void ConectarEventos();

  // Tree fill and selection (frm_arboles.cpp).
  void CargarArbol();
  // Danado when the fill stopped on a node whose parent is not in the tree;
  // SinDatos when the rows could not be read at all.
  enum class Llenado { Completo, Danado, SinDatos };
  Llenado LlenarArbol();
  void MostrarArbolLleno();
  void MarcarNodo(bool lMarcar, const QString& cClave);
  void SeleccionarNodo(const QString& cClave);
  void ClaveNodoActual(QString& cClave) const;
  QString ClaveNodoActual() const;
  void TreeArbol_NodeClick(const zolmar::TreeNode& node);
  void TreeArbol_Collapse(const zolmar::TreeNode& node);
  void CtlFicha_RecordChanged();
  void ActualizarEstado();
  void HabilitarBotones();

  // Integrity check and repair (frm_arboles_reconstruccion.cpp).
  // Asks, then repairs the tree; False when the repair changed nothing, so
  // that asking again would change nothing either.
  bool RepararArbol();

  // Editing (frm_arboles_edicion.cpp).
  void Guardar(bool& lOk);
  void CtlFicha_Saved();
  void CtlFicha_EditRequest(bool& Cancel);
  void CtlFicha_DeleteRequest(bool& Cancel);
  bool BorrarNodo();
  qint32 IdVecinoOPadre(const QString& cClave) const;
  void CtlFicha_NewRecordDefaults();
  void CtlFicha_SearchRequest(bool& Cancel);
  void CtlFicha_CommentRequest(bool& Cancel);
  void CtlFicha_ActionRequest(qint32 action);
  void btnGuardar_Click();
  void btnCancelar_Click();
  void btnFrames_Click();
  void getNombre_Change();
  void ActualizarTextoNodo();
  void HabilitarCamposAux(qint32 nIndex);
  QString UsoAuxDeCampos() const;
  void MostrarUsoAux(const QString& usoAux);
  void RegistrarCambio(qint32 kind);
  QString PalabraGrupo() const;

  // Branch creation (frm_arboles_claves.cpp).
  void CtlFicha_NewRequest(bool& Cancel);
  bool NuevaClave(bool lNuevoNivel, bool& lOk);
  void AnadirNivel();
  bool RechazarRamaReservada();
  bool RechazarMaxHijos(qint32 nID_Padre);

  // Actions (frm_arboles_acciones.cpp).
  void btnAccion_Click(qint32 Index);
  void btnOrden_Click(qint32 Index);
  void OrdenarPorNombre();
  void MoverPosicion(qint32 Index);
  QString IdsDeRama(const QString& prefijo);
  void VerReferencias();
  void MoverCategorias();
  void ListarRegistros();

  // Branches dragged and dropped in the tree (frm_arboles_arrastre.cpp).
  void TreeArbol_NodeDrop(const zolmar::TreeNode& source, const zolmar::TreeNode& target, qint32 position);
  void MoverRama(qint32 nOrigen, qint32 nDestino);
  void MoverEntreHermanos(const zolmar::TreeNode& source, const zolmar::TreeNode& target, qint32 position);

  // Counts of the records that use each node (frm_arboles_cuentas.cpp).
  void MostrarCuentas();
  void chkContar_Click();
  QString ConsultaCuentas() const;

  // Shared helpers.
  std::shared_ptr<IConnection> Cn() const;
  QVariant Valor(const QString& sql, const QVariant& def) const;
  QVariant Campo(const QString& name) const;
  qint32 IdActual() const;
  void Informar(const QString& texto);
  void Avisar(const QString& texto, const QString& titulo);

  cTAZ_Arboles* oTAZ_Arboles_ = nullptr;
  std::shared_ptr<IGlobales> oGlobales_;
  std::shared_ptr<IAppGlobal> oAppGlobal_;
  std::shared_ptr<IFichaDB> ficha_;
  std::shared_ptr<IHostTableAccess> oArticulos_;
  std::shared_ptr<IHostTableAccess> oClientes_;
  std::shared_ptr<IHostTableAccess> oProveedores_;
  std::shared_ptr<IComments> oComentarios_;
  qint32 nTipoArbol_ = 0;
  QString tabla_;
  bool lMoveToRecord_ = false;
  bool bloqueado_ = false;
  bool borrando_ = false;
  qint32 idTrasBorrar_ = 0;
  QString claveResaltada_;
  QString claveNueva_;
  qint32 idPadre_ = 0;
  QPointer<zolmar::ListWindow> referencias_;
};

}  // namespace arboles
