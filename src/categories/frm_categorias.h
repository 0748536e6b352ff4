#pragma once
// FrmCategorias: the article categories of one customer or supplier, edited
// as a list of rows (id, name) and written back as a whole when accepted.

#include <QString>
#include <memory>

#include "zolmar/ui/frm_basico.h"

namespace zolmar {
class btn;
class get;
class Grid;
class StBar;
}  // namespace zolmar

namespace arboles {

class cTAZ_Arboles;
class cTAZ_Categorias;
class IAppGlobal;
class IConnection;
class IGlobales;
class IListObject;

class FrmCategorias : public zolmar::FrmBasico {
  Q_OBJECT
 public:
  static const QString NombreVentana;  // "FrmCategorias"

  explicit FrmCategorias(QWidget* parent = nullptr);
  ~FrmCategorias() override;

  // Loads the rows of the customer (nTipoCategoria 1) or supplier (2) and
  // shows the window without waiting.
  bool Run(cTAZ_Categorias& oTAZ, qint32 nTipoCategoria, qint32 ID_CliProv);

  // Validation event of the in-cell editor.
  void getGrid_Validate(bool& Cancel);

  // What the person sees: rows numbered from 1, as the grid shows them.
  qint32 Filas() const;
  qint32 IdFila(qint32 fila) const;
  QString NombreFila(qint32 fila) const;
  // The category's place in the tree, its ancestors' path and its name
  // ("Bebidas:Vinos:Tintos"); empty for an empty row.
  QString RutaFila(qint32 fila) const;
  bool Modificado() const { return lModificado_; }

  zolmar::Grid* grdCategorias;
  zolmar::get* getGrid;
  zolmar::StBar* stbEstado;
  zolmar::btn* btnAceptar;
  zolmar::btn* btnCancelar;

 protected:
  void Form_Load() override;
  void Form_QueryUnload(bool& Cancel, qint32 UnloadMode) override;
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override;

 private:
  // Set-up, saving and closing (frm_categorias.cpp).
  void CrearControles();
  void ConectarEventos();
  void Llenar();
  void Comprobar();
  QString RutaPadreDe(qint32 id);
  void DisponerRejilla();
  void btnAceptar_Click();
  void btnCancelar_Click();
  bool ControlesValidos();
  bool Guardar();
  qint32 FilaRepetida() const;
  bool CategoriasExisten();

  // Editing (frm_categorias_edicion.cpp).
  void grdCategorias_StartEditing(qint32 row, qint32 col, bool& Cancel);
  void grdCategorias_LeaveCell(qint32 row, qint32 col, bool& Cancel);
  void grdCategorias_MoveOn(qint32 row, qint32 col);
  void grdCategorias_DeleteRequest(qint32 row);
  void grdCategorias_RowChange(qint32 previousRow);
  void getGrid_GotFocus();
  void getGrid_Buscar();
  void getGrid_Abrir();
  void getGrid_Combo();
  bool ValidarFila(qint32 fila, bool lForzarLista);
  void BorrarFila(qint32 fila);
  void AnadirFilaVacia();
  void PonerFila(qint32 fila, qint32 id, const QString& nombre, const QString& rutaPadre);
  void PonerNodoActual(qint32 fila);
  bool FilaResuelta(qint32 fila) const;
  void PintarFila(qint32 fila);
  void Repintar();
  qint32 FilaActual() const;

  std::shared_ptr<IGlobales> oGlobales_;
  std::shared_ptr<IAppGlobal> oAppGlobal_;
  std::shared_ptr<IConnection> oCn_;
  std::shared_ptr<cTAZ_Arboles> oTAZ_Arboles_;
  std::shared_ptr<cTAZ_Categorias> oTAZ_Categorias_;
  std::shared_ptr<IListObject> oLista_;
  qint32 nTipoCategoria_ = 0;
  qint32 ID_CliProv_ = 0;
  bool lModificado_ = false;
  // The editor's text as the window last put it there: while it is unchanged
  // the row keeps the node it holds.
  QString textoCargado_;
};

}  // namespace arboles
