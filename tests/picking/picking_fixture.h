#pragma once
// A company database with a small article tree written key by key, the tree
// class configured on it and the dialog registered with Buscar.

#include <QHash>
#include <functional>

#include "common/host_fixture.h"
#include "picking/frm_busca_arbol.h"

class PickingFixture : public HostFixture {
 protected:
  void Abrir(const QString& fichero) override {
    HostFixture::Abrir(fichero);
    arboles::FrmBuscaArbol::Registrar();
  }

  // Bebidas > {Cava y vinos espumosos, Vinos > {Tintos, Blancos}, Refrescos};
  // Alimentación > {Vinagres, D'Oro [especial]}; Retirados (BORRADO).
  void ArbolDeEjemplo(qint32 tipo = 3) {
    Nodo(tipo, "Bebidas", "0100000000000000", "");
    Nodo(tipo, "Cava y vinos espumosos", "0101000000000000", "Bebidas");
    Nodo(tipo, "Vinos", "0102000000000000", "Bebidas");
    Nodo(tipo, "Tintos", "0102010000000000", "Vinos");
    Nodo(tipo, "Blancos", "0102020000000000", "Vinos");
    Nodo(tipo, "Refrescos", "0103000000000000", "Bebidas");
    Nodo(tipo, QString::fromUtf8("Alimentación"), "0200000000000000", "");
    Nodo(tipo, "Vinagres", "0201000000000000", QString::fromUtf8("Alimentación"));
    Nodo(tipo, "D'Oro [especial]", "0202000000000000", QString::fromUtf8("Alimentación"));
    Nodo(tipo, "Retirados", "0300000000000000", "", 2);
  }

  qint32 Nodo(qint32 tipo, const QString& nombre, const QString& clave, const QString& padre,
              qint32 activo = 0) {
    const qint32 idPadre = padre.isEmpty() ? 0 : id.value(padre);
    const qint32 nuevo = InsertarNodo(tipo, clave, nombre, idPadre, activo,
                                      {{QStringLiteral("RutaPadre"), QStringLiteral("''")}});
    id.insert(nombre, nuevo);
    return nuevo;
  }

  QString Ids(const QStringList& nombres) const {
    QStringList ids;
    for (const QString& n : nombres) ids << QString::number(id.value(n));
    return ids.join(',');
  }

  QString K(const QString& nombre) const { return QStringLiteral("K=") + QString::number(id.value(nombre)); }

  // Runs Buscar with the script acting in the dialog.
  qint32 Buscar(const std::function<void(arboles::FrmBuscaArbol&)>& script, qint32 tipo = 3,
                bool soloHojas = false, qint32 actual = 0, bool multiple = false, QString* lista = nullptr,
                bool padres = false, bool materias = false, bool menu = false, QString* ruta = nullptr) {
    ui().whenWaitingFor("FrmBuscaArbol",
                        [script](QWidget* w) { script(*static_cast<arboles::FrmBuscaArbol*>(w)); });
    return taz->Buscar(nullptr, tipo, soloHojas, actual, materias, menu, ruta, multiple, lista, padres);
  }

  QHash<QString, qint32> id;
};
