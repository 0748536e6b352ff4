#pragma once
// FrmBuscaArbol: the dialog with which a host window picks one node of a tree
// (single selection, with a name search) or a set of nodes (multiple
// selection, with check boxes). Besides the trees of Arboles it shows the book
// subjects of the installation database and the host's menu options.

#include <QHash>
#include <QString>
#include <QVector>
#include <memory>

#include "host/host_types.h"
#include "tree/marca_pendiente.h"
#include "zolmar/ui/frm_basico.h"
#include "zolmar/ui/tree_node.h"

namespace zolmar {
class btn;
class get;
class TreeView;
}  // namespace zolmar

namespace arboles {

class cTAZ_Arboles;
class IAppGlobal;
class IGlobales;
class IConnection;

class FrmBuscaArbol : public zolmar::FrmBasico {
  Q_OBJECT
 public:
  static const QString NombreVentana;  // "FrmBuscaArbol"
  static const QString MensajeSoloHojas;

  explicit FrmBuscaArbol(QWidget* parent = nullptr);
  ~FrmBuscaArbol() override;

  // Makes Buscar of cTAZ_Arboles open this dialog (idempotent).
  static void Registrar();

  // Shows the dialog and waits until it closes. Returns the chosen id (single
  // selection), 1 (multiple selection: the ids come back in cListaCategorias)
  // or 0 when cancelled. In menu-options mode cRutaPadre receives the chosen
  // row's path.
  qint32 Run(cTAZ_Arboles& oTAZ_Arboles, qint32 nTipoArbol, bool lOnlyLeafNodes, qint32 nID_Actual,
             bool lArbolMaterias, bool lArbolOpcionesMenu, QString& cRutaPadre, bool lMultiSeleccion,
             QString& cListaCategorias, bool lGetIDsPadresMultiSelect);
  // The first half of Run: loads, fills and shows the dialog without
  // waiting (a program that reports the choice when the dialog closes).
  bool Mostrar(cTAZ_Arboles& oTAZ_Arboles, qint32 nTipoArbol, bool lOnlyLeafNodes, qint32 nID_Actual,
               bool lArbolMaterias, bool lArbolOpcionesMenu, bool lMultiSeleccion,
               const QString& cListaCategorias, bool lGetIDsPadresMultiSelect);
  // The second half, once the dialog is closed: Run's result and out values.
  qint32 Resultado(QString& cRutaPadre, QString& cListaCategorias);
  bool AppQueryUnload() override;

  // What the person sees.
  qint32 IdSeleccionado() const { return nIdSeleccionado_; }
  qint32 Filas() const { return qint32(filas_.size()); }
  bool Marcado(qint32 nID) const;

  zolmar::TreeView* TreeArbol;
  zolmar::get* getBuscar;
  zolmar::btn* btnAceptar;
  zolmar::btn* btnCancelar;
  zolmar::btn* btnMarcarTodo;
  zolmar::btn* btnDesmarcarTodo;

 protected:
  void Form_Load() override;
  void Form_QueryUnload(bool& Cancel, qint32 UnloadMode) override;
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override;

 private:
  // One row of the row set, cached by position for the tree and the checks.
  struct Fila {
    qint32 id = 0;
    qint32 idPadre = 0;
    QString clave;
    zolmar::TreeNode nodo;
  };

  // Layout and events (frm_busca_arbol.cpp).
  void CrearControles();
  void ConectarEventos();
  void btnAceptar_Click();
  void btnCancelar_Click();
  QString TextoEspera() const;
  QString ListaMarcados() const;
  QString RutaDeSeleccion();

  // Reading and filling (frm_busca_arbol_carga.cpp).
  void LlenarArbol();
  RecordsetPtr LeerFilas();
  QString ConsultaArbol() const;
  QString ConsultaMaterias() const;
  RecordsetPtr FilasOpcionesMenu() const;
  void AsignarPadresMaterias(IRecordset& rs);
  void CachearFilas(IRecordset& rs);
  void MarcarAntecesoresPreseleccion();
  void AnadirNodos();
  void SeleccionarInicial();
  static QString NormalizarLista(const QString& lista);

  // Selection, search and checks (frm_busca_arbol_marcas.cpp).
  void Resaltar(qint32 nID, bool lResaltar);
  void MoverSeleccion(const zolmar::TreeNode& node);
  void TreeArbol_NodeClick(const zolmar::TreeNode& node);
  void TreeArbol_Collapse(const zolmar::TreeNode& node);
  void TreeArbol_Expand(const zolmar::TreeNode& node);
  void TreeArbol_MouseDown(qint32 Button, qint32 Shift, float x, float y);
  void TreeArbol_MouseUp(qint32 Button, qint32 Shift, float x, float y);
  void TreeArbol_KeyPress(qint32& KeyAscii);
  void TreeArbol_NodeCheck(const zolmar::TreeNode& node);
  void getBuscar_Change();
  qint32 PrimeraFilaQueEmpieza(const QString& texto);
  void AplicarMarca(qint32 pos, bool lMarcar);
  QString PrefijoDescendientes(const QString& clave) const;
  void RefrescarMarcas();
  static void ExpandirAntecesores(const zolmar::TreeNode& node);
  void btnMarcarTodo_Click();
  void btnDesmarcarTodo_Click();
  static qint32 IdDeClave(const QString& key);
  static QString ClaveDeId(qint32 nID);

  std::shared_ptr<IGlobales> oGlobales_;
  std::shared_ptr<IAppGlobal> oAppGlobal_;
  std::shared_ptr<IConnection> oCn_;
  qint32 nTipoArbol_ = 0;
  bool lOnlyLeafNodes_ = false;
  qint32 nIdSeleccionado_ = 0;
  bool lArbolMaterias_ = false;
  bool lArbolOpcionesMenu_ = false;
  bool lMultiSeleccion_ = false;
  QString cListaIds_;
  bool lGetIDsPadresMultiSelect_ = false;
  bool lAceptado_ = false;
  MarcaPendiente marcaPendiente_;

  RecordsetPtr rs_;
  QVector<Fila> filas_;            // row set order
  QVector<quint8> marcas_;         // the rows' check mark (Activo of the row set)
  QHash<qint32, qint32> posDeId_;  // id -> index into filas_
};

}  // namespace arboles
