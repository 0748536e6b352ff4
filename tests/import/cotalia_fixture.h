#pragma once
// A company with a small article tree, the service's classification written
// as its CSV file and named in the configuration, the import window
// registered, and helpers to open the editor and the window as the host does.

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>

#include "common/host_fixture.h"
#include "editor/frm_arboles.h"
#include "host/i_recordset.h"
#include "import/frm_importar_categorias.h"
#include "zolmar/cotalia/cotalia.h"
#include "zolmar/services/app_global.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/tree_view.h"

class CotaliaFixture : public HostFixture {
 protected:
  // Sectors Alimentación (1) and Bebidas (7); families Conservas (2),
  // Lácteos (5), Vinos (8); subfamilies 3, 4 and 6.
  static QStringList ServicioBase() {
    return {"1;0;Alimentación;Familias;10000;0", "2;1;Conservas;Subfamilias;10100;1",
            "3;2;Conservas de pescado;;10101;2", "4;2;Conservas vegetales;;10102;2",
            "5;1;Lácteos;Subfamilias;10200;1",   "6;5;Quesos;;10201;2",
            "7;0;Bebidas;Familias;20000;0",      "8;7;Vinos;;20100;1"};
  }

  void SetUp() override {
    HostFixture::SetUp();
    arboles::FrmImportarCategorias::Registrar();
    ASSERT_TRUE(dir_.isValid());
    Servicio(ServicioBase());
  }

  void TearDown() override {
    for (auto& f : ventanas_)
      if (f) delete f.data();
    EXPECT_TRUE(ui().failures().isEmpty()) << ui().failures().join('\n').toStdString();
  }

  // Writes the file (header first) and names it in the configuration.
  QString Servicio(const QStringList& filas,
                   const QString& cabecera = QStringLiteral("ID;ID_Padre;Nombre;CriterioHijos;ID_IT;Nivel")) {
    const QString ruta = dir_.filePath(QStringLiteral("clasificacion.csv"));
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write((QStringList{cabecera} + filas).join(QStringLiteral("\r\n")).toUtf8());
    f.close();
    host->app()->data().setConfiguration(QString::fromLatin1(zolmar::cCotalia::kConfigKey), ruta);
    return ruta;
  }

  qint32 Nodo(const QString& clave, const QString& nombre, qint32 padre = 0, qint32 opciones = 0) {
    return InsertarNodo(3, clave, nombre, padre, 0,
                        {{QStringLiteral("Opciones"), QString::number(opciones)}});
  }

  void ArbolBase() {
    Nodo("0100000000000000", "Bebidas");
    Nodo("0200000000000000", QString::fromUtf8("Droguería"));
  }

  arboles::FrmArboles* Editor() {
    auto* frm = new arboles::FrmArboles();
    if (!frm->Run(*taz, 3, false)) {
      delete frm;
      return nullptr;
    }
    ventanas_.append(frm);
    return frm;
  }

  arboles::RecordsetPtr Filas() {
    zolmar::cCotalia cotalia;
    auto app = host->appGlobal();
    cotalia.Configure(app);
    arboles::RecordsetPtr filas;
    qint32 codigo = 0;
    QString descripcion;
    cotalia.ImportarCategorias(filas, codigo, descripcion);
    EXPECT_EQ(codigo, 100) << descripcion.toStdString();
    return filas;
  }

  // The window opened straight on the service's rows, without the launcher.
  arboles::FrmImportarCategorias* Ventana() {
    arboles::FrmArboles* editor = Editor();
    if (!editor) return nullptr;
    auto* frm = new arboles::FrmImportarCategorias();
    if (!frm->Run(*editor, Filas())) {
      delete frm;
      return nullptr;
    }
    ventanas_.append(frm);
    return frm;
  }

  // Imports through a fresh window: the ids are checked, then "Aceptar".
  void Importar(std::initializer_list<qint32> ids) {
    arboles::FrmImportarCategorias* frm = Ventana();
    ASSERT_NE(frm, nullptr);
    for (qint32 id : ids) Marcar(*frm, id);
    frm->btnAceptar->Click();
    ASSERT_TRUE(frm->IsClosed());
    for (auto& f : ventanas_)
      if (f) delete f.data();
    ventanas_.clear();
  }

  static QString K(qint32 id) { return QStringLiteral("K=%1").arg(id); }
  // A click on the node's check box.
  static void Marcar(arboles::FrmImportarCategorias& frm, qint32 id) {
    EXPECT_TRUE(frm.TreeArbol->ClickCheckBox(K(id))) << id;
  }
  static void Espacio(arboles::FrmImportarCategorias& frm, qint32 id) {
    frm.TreeArbol->setSelectedItem(frm.TreeArbol->Node(K(id)));
    frm.TreeArbol->PressKey(32);
  }
  static QList<qint32> Marcados(arboles::FrmImportarCategorias& frm, qint32 hasta) {
    QList<qint32> ids;
    for (qint32 id = 1; id <= hasta; ++id)
      if (frm.TreeArbol->Node(K(id)).Checked()) ids << id;
    return ids;
  }
  static void Esperar(const std::function<bool()>& hecho, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!hecho() && t.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 20);
  }

  // Imported row of the service code: key, parent id, path, name.
  struct Importada {
    qint32 id = 0;
    QString clave;
    qint32 padre = 0;
    QString ruta;
    QString nombre;
  };
  Importada Fila(qint32 codigo, qint32 nivel) {
    const auto rs = arboles::recordsetOf(cn->ExecuteSQL(
        QStringLiteral("SELECT ZolmarID, Clave, ID_Padre, RutaPadre, Nombre FROM Arboles WHERE "
                       "Tipo=3 AND CodigoExterno=%1 AND NivelExterno=%2 AND (Opciones & 1)>0")
            .arg(codigo)
            .arg(nivel),
        5));
    Importada f;
    if (!rs || !rs->Read()) return f;
    f.id = rs->Field("ZolmarID").toInt();
    f.clave = rs->Field("Clave").toString();
    f.padre = rs->Field("ID_Padre").toInt();
    f.ruta = rs->Field("RutaPadre").toString();
    f.nombre = rs->Field("Nombre").toString();
    return f;
  }
  qint32 Importadas() {
    return Valor(QStringLiteral("SELECT COUNT(*) FROM Arboles WHERE (Opciones & 1)>0 AND CodigoExterno>0"))
        .toInt();
  }

  QTemporaryDir dir_;
  QList<QPointer<QWidget>> ventanas_;
};
