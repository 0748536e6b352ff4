#pragma once
// cTAZ_Arboles: the table-access class of the Arboles table and the entry
// point through which the host opens the tree windows.

#include <QString>
#include <QVector>
#include <memory>

#include "host/i_taz.h"

class QObject;
class QWidget;

namespace zolmar {
class get;
}

namespace arboles {

class IAppGlobal;
class IGlobales;
class IListObject;
class IFichaDB;
class I_DAZ;

enum TAZ_Arboles_ProcesosConstants : qint32 {
  TAZ_Arboles_ProcesosBusqueda = 1,
  TAZ_Arboles_ProcesosListados = 2,
  TAZ_Arboles_ProcesosArbol = 3,
  TAZ_Arboles_ProcesosCount = 3,
};

enum TAZ_Arboles_OpcionesConstants : qint32 {
  TAZ_Arboles_OpcionesCotalia = 1,
};

enum TipoArbol : qint32 {
  TipoArbolClientes = 1,
  TipoArbolProveedores = 2,
  TipoArbolArticulos = 3,
};

class cTAZ_Arboles : public I_TAZ {
 public:
  cTAZ_Arboles();
  ~cTAZ_Arboles() override;

  std::shared_ptr<IGlobales> oGlobales;
  std::shared_ptr<IAppGlobal> oAppGlobal;
  std::shared_ptr<IListObject> oMOptMenus;

  // Names under which the host grants access to a tree type's windows; empty
  // for a type other than 1, 2 or 3.
  static QString NombreVentanaEditor(qint32 nTipoArbol);
  static QString NombreVentanaInforme(qint32 nTipoArbol);

  bool I_TAZ_Configure(std::shared_ptr<IGlobales> oGlobalesActual,
                       std::shared_ptr<IAppGlobal> oAppGlobalActual = nullptr,
                       const QString& cTabla = QString(), bool lCrear = false) override;

  // Window openers. Each returns whether a window was opened (or its run
  // result): False / 0 when the window is not registered in VentanasArboles,
  // access was refused, or the class is not configured.
  bool MostrarFicha(qint32 nTipoArbol, qint32 nMoveToRecord = 0, bool lWaitUntilClose = false);
  qint32 MostrarInformes(qint32 nTipoArbol, qint32 nProcesoInicial = 0, bool* lWaitUntilClose = nullptr,
                         bool lOnlyLeafNodes = false);
  qint32 BuscarFicha(QObject* oFrm, qint32 nTipoArbol, bool lOnlyLeafNodes);
  qint32 Buscar(QObject* oForm, qint32 nTipoArbol, bool lOnlyLeafNodes = false, qint32 nID_Actual = 0,
                bool lArbolMaterias = false, bool lArbolOpcionesMenu = false, QString* cRutaPadre = nullptr,
                bool lMultiSeleccion = false, QString* cListaCategorias = nullptr,
                bool lGetIDsPadresMultiSelect = false);
  bool MostrarMoverCategorias(qint32 nTipoArbol);
  bool MostrarCrearCategoriasRest();

  std::shared_ptr<I_DAZ> I_TAZ_Str2DAZ(const QString& cCampo) override;
  QVector<std::shared_ptr<I_DAZ>> I_TAZ_EnumerateDAZs() override;
  QString I_TAZ_Name() override;
  qint32 I_TAZ_SeekID(qint32 nID) override;
  QVariant I_TAZ_Field(const QString& cFieldName) override;
  std::shared_ptr<IFichaDB> I_TAZ_FichaDB() override;
  std::shared_ptr<IGlobales> I_TAZ_Globales() override;

  // On the current record of the record set.
  QString CanBeDeleted();
  bool Delete();

  QString NameByID(qint32 nID);
  void OrdenarClavesNombre(qint32 nTipoArbol, bool lBloquear = true, bool lOrdenarPorNombre = true);
  void UpdateRutaPadre(qint32 nTipoArbol, bool lBloquear = true);
  qint32 ObtenerNivel(const QString& cClave);
  // A category filter pair: the id shown in oCtlSAY, the entry oCtlGET. A
  // multiple selection shows its list in the entry and disables it.
  void ValidarControlesCategoria(zolmar::get& oCtlSAY, zolmar::get& oCtlGET, const QString& cListaCategorias);

 private:
  void ConfigurarDescriptores();
  void CrearMenus();
  void EsperarYLiberar(QWidget* ventana);

  QString tabla_;
  std::shared_ptr<IFichaDB> fichaDB_;
  QVector<std::shared_ptr<I_DAZ>> descriptores_;  // column order of the table
};

}  // namespace arboles
