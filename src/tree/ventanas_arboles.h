#pragma once
// The windows cTAZ_Arboles opens live in other folders of the module; each
// registers here how it is created and run, so the table-access class never
// depends on them. An opener whose window is not registered opens nothing and
// says so through its result.

#include <QString>
#include <functional>

#include "host/host_types.h"

class QWidget;

namespace zolmar {
class FrmBasico;
}

namespace arboles {

class cTAZ_Arboles;

// What Buscar hands to the search-and-pick dialog, unchanged and in order.
struct ParametrosBuscar {
  qint32 nTipoArbol = 0;
  bool lOnlyLeafNodes = false;
  qint32 nID_Actual = 0;
  bool lArbolMaterias = false;
  bool lArbolOpcionesMenu = false;
  QString* cRutaPadre = nullptr;  // by reference: the chosen node's path comes back
  bool lMultiSeleccion = false;
  QString* cListaCategorias = nullptr;  // by reference: the checked ids come back
  bool lGetIDsPadresMultiSelect = false;
};

// Registers every window of the module once; defined by the library that holds
// them all (arboles_lib) and called by the registries before they answer.
void RegistrarVentanasModulo();

class VentanasArboles {
 public:
  // Creates the tree editor and calls its Run(taz, nTipoArbol, lMoverARegistro);
  // returns the window (for waiting) or nullptr.
  using Editor = std::function<QWidget*(cTAZ_Arboles& taz, qint32 nTipoArbol, bool lMoverARegistro)>;
  // Creates the tree report window and returns what its Run returns.
  using Informes = std::function<qint32(cTAZ_Arboles& taz, qint32 nTipoArbol, qint32 nProcesoInicial,
                                        bool& lWaitUntilClose, bool lOnlyLeafNodes)>;
  // Creates the pick dialog, runs it, releases it; returns the chosen id or 0.
  using Busqueda = std::function<qint32(cTAZ_Arboles& taz, const ParametrosBuscar& parametros)>;
  // Creates the organisation window and calls its Run(taz, nTipoArbol).
  using MoverCategorias = std::function<QWidget*(cTAZ_Arboles& taz, qint32 nTipoArbol)>;
  // Creates the restaurant category window and calls its Run(taz).
  using CrearCategoriasRest = std::function<QWidget*(cTAZ_Arboles& taz)>;
  // Creates the window of the service's categories and calls its
  // Run(editor, rows); returns it (for waiting) or nullptr.
  using ImportarCategorias = std::function<QWidget*(zolmar::FrmBasico& editor, RecordsetPtr oDatos)>;

  static VentanasArboles& instance();

  // Registering an empty function removes the window.
  void registerEditor(Editor f) { editor_ = std::move(f); }
  void registerInformes(Informes f) { informes_ = std::move(f); }
  void registerBusqueda(Busqueda f) { busqueda_ = std::move(f); }
  void registerMoverCategorias(MoverCategorias f) { moverCategorias_ = std::move(f); }
  void registerCrearCategoriasRest(CrearCategoriasRest f) { crearCategoriasRest_ = std::move(f); }
  void registerImportarCategorias(ImportarCategorias f) { importarCategorias_ = std::move(f); }

  const Editor& editor() const { return editor_; }
  const Informes& informes() const { return informes_; }
  const Busqueda& busqueda() const { return busqueda_; }
  const MoverCategorias& moverCategorias() const { return moverCategorias_; }
  const CrearCategoriasRest& crearCategoriasRest() const { return crearCategoriasRest_; }
  const ImportarCategorias& importarCategorias() const { return importarCategorias_; }

 private:
  Editor editor_;
  Informes informes_;
  Busqueda busqueda_;
  MoverCategorias moverCategorias_;
  CrearCategoriasRest crearCategoriasRest_;
  ImportarCategorias importarCategorias_;
};

}  // namespace arboles
