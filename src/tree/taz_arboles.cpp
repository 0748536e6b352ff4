#include "tree/taz_arboles.h"

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <stdexcept>

#include "host/i_app_global.h"
#include "host/i_connection.h"
#include "host/i_daz.h"
#include "host/i_ficha_db.h"
#include "host/i_globales.h"
#include "host/i_host_objects.h"
#include "host/i_list_object.h"
#include "tree/borrado_arbol.h"
#include "tree/clave_arbol.h"
#include "tree/columnas_tabla.h"
#include "tree/mantenimiento_arbol.h"
#include "tree/ventanas_arboles.h"
#include "zolmar/ui/get.h"

namespace arboles {

namespace {

using Clase = ColumnasTabla::Clase;

// Column order of the table: I_TAZ_EnumerateDAZs hands them out in this order.
const ColumnasTabla::Columna kColumnas[] = {
    {"ZolmarID", Clase::Id, 0, "", 0, false},
    {"Activo", Clase::Estado, 0, "", 0, false},
    {"Tipo", Clase::Numero, 1, "Tipo de grupo", 1, true},
    {"Clave", Clase::Texto, 16, "Orden de los elementos en el árbol", 0, true},
    {"Nombre", Clase::Texto, 50, "Nombre del grupo", 0, false},
    {"RutaPadre", Clase::Texto, 150, "Nombre de las ramas anteriores", 0, false},
    {"CriterioHijos", Clase::Texto, 75, "Criterio de clasificación de las ramas de un nivel", 0, false},
    {"id_padre", Clase::Numero, 7, "Id. del padre", 3, false},
    {"NomAux1", Clase::Texto, 20, "Nombre del auxiliar 1", 0, false},
    {"NomAux2", Clase::Texto, 20, "Nombre del auxiliar 2", 0, false},
    {"NomAux3", Clase::Texto, 20, "Nombre del auxiliar 3", 0, false},
    {"NomAux4", Clase::Texto, 20, "Nombre del auxiliar 4", 0, false},
    {"NomAux5", Clase::Texto, 20, "Nombre del auxiliar 5", 0, false},
    {"NomAux6", Clase::Texto, 20, "Nombre del auxiliar 6", 0, false},
    {"UsoAux", Clase::Texto, 6, "Validación del auxiliar", 0, false},
    {"Opciones", Clase::Numero, 1, "Opciones de esta rama", 1, false},
    {"CodigoExterno", Clase::Numero, 7, "Código correspondiente en otro programa", 3, true},
    {"NivelExterno", Clase::Numero, 4, "Nivel correspondiente en otro programa", 3, false},
    {"id_comentario", Clase::Numero, 7, "Id. del comentario", 3, false},
};

struct FilaMenu {
  const char* titulo;
  qint32 padre;
};

const FilaMenu kMenus[] = {
    {"Ficheros", 0},
    {"Empresa", 1},
    {"Ubicaciones", 1},
    {"Salir", 1},
    {"Edición", 0},
    {"Informes", 0},
    {"Artículos", 6},
    {"Clientes", 6},
    {"Hostelería", 6},
    {"Restaurante", 6},
    {"Proveedores", 6},
    {"Almacén", 6},
    {"Caja", 6},
    {"Contabilidad", 6},
    {"Artículos", 0},
    {"Clientes", 0},
    {"Hostelería", 0},
    {"Restaurante", 0},
    {"Proveedores", 0},
    {"Almacén", 0},
    {"Caja", 0},
    {"Contabilidad", 0},
    {"AEAT", 0},
    {"AEAT (Aplicación externa)", 0},
    {"Configuración", 0},
    {"Auxiliar", 0},
    {"Procesos especiales", 26},
    {"Reservado", 0},
    {"Ayuda", 0},
    {"Ver modificaciones", 29},
    {"Descargar manuales", 29},
};

}  // namespace

cTAZ_Arboles::cTAZ_Arboles()
    : descriptores_(ColumnasTabla(QStringLiteral("Arboles"), kColumnas).CrearDescriptores()) {}

cTAZ_Arboles::~cTAZ_Arboles() = default;

QString cTAZ_Arboles::NombreVentanaEditor(qint32 nTipoArbol) {
  switch (nTipoArbol) {
    case TipoArbolClientes:
      return QStringLiteral("FRMARBOLESCLIENTES");
    case TipoArbolProveedores:
      return QStringLiteral("FRMARBOLESPROVEEDORES");
    case TipoArbolArticulos:
      return QStringLiteral("FRMARBOLESARTICULOS");
    default:
      return QString();
  }
}

QString cTAZ_Arboles::NombreVentanaInforme(qint32 nTipoArbol) {
  switch (nTipoArbol) {
    case TipoArbolClientes:
      return QStringLiteral("FRMRPTARBOLESCLIENTES");
    case TipoArbolProveedores:
      return QStringLiteral("FRMRPTARBOLESPROVEEDORES");
    case TipoArbolArticulos:
      return QStringLiteral("FRMRPTARBOLESARTICULOS");
    default:
      return QString();
  }
}

bool cTAZ_Arboles::I_TAZ_Configure(std::shared_ptr<IGlobales> oGlobalesActual,
                                   std::shared_ptr<IAppGlobal> oAppGlobalActual, const QString& cTabla,
                                   bool lCrear) {
  oGlobales = std::move(oGlobalesActual);
  oAppGlobal = std::move(oAppGlobalActual);
  tabla_ = cTabla.isEmpty() ? QStringLiteral("Arboles") : cTabla;
  ColumnasTabla(QStringLiteral("Arboles"), kColumnas).ConfigurarDescriptores(descriptores_);
  if (lCrear) return false;
  // The menu list speaks the application's language: without its globals there is none.
  if (!oGlobales || !oAppGlobal)
    throw std::invalid_argument("I_TAZ_Configure necesita los objetos globales de la aplicación");
  CrearMenus();
  fichaDB_ = oGlobales->CreateFichaDB();
  if (!fichaDB_ ||
      fichaDB_->Open(oGlobales->GetConnection(), tabla_, QStringLiteral("ZolmarID"), QString(), 0)) {
    fichaDB_.reset();
    return false;
  }
  return true;
}

void cTAZ_Arboles::CrearMenus() {
  oMOptMenus = oGlobales->CreateListObject();
  oMOptMenus->Init(1, 3, 1, 0);
  QStringList titulos;
  for (const FilaMenu& f : kMenus) {
    const QString titulo = oAppGlobal->Translate(QString::fromUtf8(f.titulo));
    const QString ruta = f.padre == 0
                             ? titulo + QStringLiteral(": ")
                             : titulos.at(f.padre - 1) + QLatin1Char(':') + titulo + QStringLiteral(": ");
    titulos.append(titulo);
    oMOptMenus->AddRow({titulo, f.padre, ruta});
  }
}

std::shared_ptr<I_DAZ> cTAZ_Arboles::I_TAZ_Str2DAZ(const QString& cCampo) {
  const qint32 i = ColumnasTabla(QStringLiteral("Arboles"), kColumnas).Indice(cCampo);
  return i >= 0 && i < descriptores_.size() ? descriptores_.at(i) : nullptr;
}

QVector<std::shared_ptr<I_DAZ>> cTAZ_Arboles::I_TAZ_EnumerateDAZs() { return descriptores_; }

QString cTAZ_Arboles::I_TAZ_Name() { return tabla_; }

qint32 cTAZ_Arboles::I_TAZ_SeekID(qint32 nID) { return fichaDB_ ? fichaDB_->SeekID(nID) : 0; }

QVariant cTAZ_Arboles::I_TAZ_Field(const QString& cFieldName) {
  return fichaDB_ ? fichaDB_->Field(cFieldName) : QVariant();
}

std::shared_ptr<IFichaDB> cTAZ_Arboles::I_TAZ_FichaDB() { return fichaDB_; }

std::shared_ptr<IGlobales> cTAZ_Arboles::I_TAZ_Globales() { return oGlobales; }

QString cTAZ_Arboles::CanBeDeleted() { return BorradoArbol(oGlobales, oAppGlobal, fichaDB_).CanBeDeleted(); }

bool cTAZ_Arboles::Delete() { return BorradoArbol(oGlobales, oAppGlobal, fichaDB_).Delete(); }

QString cTAZ_Arboles::NameByID(qint32 nID) { return MantenimientoArbol(oGlobales, oAppGlobal).NameByID(nID); }

void cTAZ_Arboles::OrdenarClavesNombre(qint32 nTipoArbol, bool lBloquear, bool lOrdenarPorNombre) {
  MantenimientoArbol(oGlobales, oAppGlobal).OrdenarClavesNombre(nTipoArbol, lBloquear, lOrdenarPorNombre);
}

void cTAZ_Arboles::UpdateRutaPadre(qint32 nTipoArbol, bool lBloquear) {
  MantenimientoArbol(oGlobales, oAppGlobal).UpdateRutaPadre(nTipoArbol, lBloquear);
}

qint32 cTAZ_Arboles::ObtenerNivel(const QString& cClave) { return ClaveArbol::ObtenerNivel(cClave); }

}  // namespace arboles

namespace arboles {

bool cTAZ_Arboles::MostrarFicha(qint32 nTipoArbol, qint32 nMoveToRecord, bool lWaitUntilClose) {
  const auto& crear = VentanasArboles::instance().editor();
  if (!fichaDB_ || !crear) return false;
  if (nMoveToRecord == 1)
    fichaDB_->MoveFirst();
  else if (nMoveToRecord == 2)
    fichaDB_->MoveLast();
  const QString ventana = NombreVentanaEditor(nTipoArbol);
  if (ventana.isEmpty() || !oAppGlobal->CanOpenWindow(ventana, 0, 1, 0)) return false;
  QWidget* frm = crear(*this, nTipoArbol, nMoveToRecord != 0);
  if (frm && lWaitUntilClose) oAppGlobal->GetFormWaiter()->WaitFormClosed(frm);
  return frm != nullptr;
}

qint32 cTAZ_Arboles::MostrarInformes(qint32 nTipoArbol, qint32 nProcesoInicial, bool* lWaitUntilClose,
                                     bool lOnlyLeafNodes) {
  const auto& crear = VentanasArboles::instance().informes();
  if (!fichaDB_ || !crear) return 0;
  if (nProcesoInicial != TAZ_Arboles_ProcesosBusqueda) {
    const QString ventana = NombreVentanaInforme(nTipoArbol);
    if (!ventana.isEmpty() && !oAppGlobal->CanOpenWindow(ventana, 0, 1, 0)) return 0;
  }
  bool esperar = lWaitUntilClose ? *lWaitUntilClose : false;
  const qint32 resultado = crear(*this, nTipoArbol, nProcesoInicial, esperar, lOnlyLeafNodes);
  if (lWaitUntilClose) *lWaitUntilClose = esperar;
  return resultado;
}

qint32 cTAZ_Arboles::BuscarFicha(QObject* oFrm, qint32 nTipoArbol, bool lOnlyLeafNodes) {
  bool esperar = oFrm != nullptr;
  const qint32 id = MostrarInformes(nTipoArbol, TAZ_Arboles_ProcesosBusqueda, &esperar, lOnlyLeafNodes);
  if (id > 0) I_TAZ_SeekID(id);
  return id;
}

qint32 cTAZ_Arboles::Buscar(QObject*, qint32 nTipoArbol, bool lOnlyLeafNodes, qint32 nID_Actual,
                            bool lArbolMaterias, bool lArbolOpcionesMenu, QString* cRutaPadre,
                            bool lMultiSeleccion, QString* cListaCategorias, bool lGetIDsPadresMultiSelect) {
  const auto& crear = VentanasArboles::instance().busqueda();
  if (!fichaDB_ || !crear) return 0;
  const ParametrosBuscar parametros{nTipoArbol,      lOnlyLeafNodes,     nID_Actual,
                                    lArbolMaterias,  lArbolOpcionesMenu, cRutaPadre,
                                    lMultiSeleccion, cListaCategorias,   lGetIDsPadresMultiSelect};
  const qint32 id = crear(*this, parametros);
  if (id > 0) I_TAZ_SeekID(id);
  return id;
}

bool cTAZ_Arboles::MostrarMoverCategorias(qint32 nTipoArbol) {
  const auto& crear = VentanasArboles::instance().moverCategorias();
  if (!fichaDB_ || !crear) return false;
  QWidget* frm = crear(*this, nTipoArbol);
  EsperarYLiberar(frm);
  return frm != nullptr;
}

bool cTAZ_Arboles::MostrarCrearCategoriasRest() {
  const auto& crear = VentanasArboles::instance().crearCategoriasRest();
  if (!fichaDB_ || !crear) return false;
  QWidget* frm = crear(*this);
  EsperarYLiberar(frm);
  return frm != nullptr;
}

// The window may delete itself when it closes; the guard tells.
void cTAZ_Arboles::EsperarYLiberar(QWidget* ventana) {
  if (!ventana) return;
  QPointer<QWidget> guarda(ventana);
  oAppGlobal->GetFormWaiter()->WaitFormClosed(ventana);
  delete guarda.data();
}

void cTAZ_Arboles::ValidarControlesCategoria(zolmar::get& oCtlSAY, zolmar::get& oCtlGET,
                                             const QString& cListaCategorias) {
  // A list is written into the entry only once the entry is locked.
  const bool multiple = !cListaCategorias.isEmpty();
  if (multiple)
    oCtlSAY.setText(QString());
  else {
    oCtlSAY.setValue(0);
    oCtlGET.setValue(QString());
  }
  oCtlGET.setShownEnabled(!multiple);
  oCtlGET.setEnabledCombo(!multiple);
  oCtlGET.setEnabledBuscar(!multiple);
  if (multiple) oCtlGET.setValue(cListaCategorias);
}

}  // namespace arboles
