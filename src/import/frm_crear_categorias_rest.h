#pragma once
// FrmCrearCategoriasRest: the article tree of a consultant database on the
// same server, its families and their subcategories under one root
// "Restaurante", with check boxes. "Aceptar" creates the checked
// subcategories, with their families, below the company's level-1 branch
// "Restaurante", reusing the nodes that already exist with the same names.

#include <QHash>
#include <QString>
#include <memory>

#include "host/host_types.h"
#include "tree/marca_pendiente.h"
#include "zolmar/ui/frm_basico.h"

namespace zolmar {
class btn;
class StBar;
class TreeNode;
class TreeView;
}  // namespace zolmar

namespace arboles {

class cTAZ_Arboles;
class IAppGlobal;
class IConnection;
class IGlobales;

class FrmCrearCategoriasRest : public zolmar::FrmBasico {
  Q_OBJECT
 public:
  static const QString NombreVentana;  // "FrmCrearCategoriasRest"
  static constexpr qint32 IdRaiz = 999999999;

  explicit FrmCrearCategoriasRest(QWidget* parent = nullptr);
  ~FrmCrearCategoriasRest() override;

  // Makes MostrarCrearCategoriasRest of cTAZ_Arboles open this window (idempotent).
  static void Registrar();

  // Connects to a consultant database and shows the window; False (nothing
  // shown) when there is none or the person chose none.
  bool Run(cTAZ_Arboles& oTAZ);
  // Creates the checked categories in the transaction "CreandoCategoriasRest";
  // True when they were created (the window then closes).
  bool CreandoCategoriasRest();

  QString Consultor() const { return consultor_; }
  qint32 IdSeleccionado() const { return nIdSeleccionado_; }
  RecordsetPtr Plantilla() const { return rs_; }

  zolmar::TreeView* TreeArbol;
  zolmar::btn* btnAceptar;
  zolmar::btn* btnCancelar;
  zolmar::StBar* stbEstado;

 protected:
  void Form_Load() override;
  void Form_KeyDown(qint32& KeyCode, qint32 Shift) override;

 private:
  class Fallo {};

  // Window (frm_crear_categorias_rest.cpp).
  void CrearControles();
  void ConectarEventos();
  bool ConectarConsultor();
  void btnAceptar_Click();
  void btnCancelar_Click();
  QString Restaurante() const;

  // The template tree (frm_crear_categorias_rest_arbol.cpp).
  void CargarArbol();
  void Marcar(bool lMarcar, qint32 nID);
  void TreeArbol_NodeClick(const zolmar::TreeNode& Node);
  void TreeArbol_Collapse(const zolmar::TreeNode& Node);
  void TreeArbol_MouseDown(qint32 Button, qint32 Shift, float x, float y);
  void TreeArbol_MouseUp(qint32 Button, qint32 Shift, float x, float y);
  void TreeArbol_KeyPress(qint32& KeyAscii);
  void TreeArbol_NodeCheck(const zolmar::TreeNode& Node);
  void AplicarMarca(const zolmar::TreeNode& Node);
  void RefrescarMarcas();
  static qint32 IdDeNodo(const zolmar::TreeNode& Node);

  // Creation (frm_crear_categorias_rest_crear.cpp).
  bool HayMarcadas();
  void CrearCategorias();
  qint32 RamaRestaurante(QString& cClave);
  qint32 Familia(const QString& cNombre, qint32 nIdRama, const QString& cClaveRama);
  void Subcategoria(const QString& cNombre, qint32 nIdFamilia, const QString& cFamilia);
  qint32 Insertar(const QString& cClave, const QString& cNombre, qint32 nIdPadre, const QString& cRuta);
  QVariant Consultar(const QString& sql, const QVariant& def);
  static QString Siguiente(const QString& cSegmento);

  cTAZ_Arboles* oTAZ_ = nullptr;
  std::shared_ptr<IAppGlobal> oAppGlobal_;
  std::shared_ptr<IGlobales> oGlobales_;
  std::shared_ptr<IConnection> oCn_;
  std::shared_ptr<IConnection> oCnConsultor_;
  QString consultor_;
  RecordsetPtr rs_;
  qint32 nIdSeleccionado_ = 0;
  MarcaPendiente marcaPendiente_;
};

}  // namespace arboles
