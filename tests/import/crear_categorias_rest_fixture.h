#pragma once
// A company database in a server folder with a consultant database beside
// it, the restaurant window registered, and helpers to open the window, check
// its nodes and read what the creation wrote.

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>

#include "common/host_fixture.h"
#include "host/i_recordset.h"
#include "import/frm_crear_categorias_rest.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/schema.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/tree_view.h"

// Template rows: Entrantes (1) {Ensaladas (2), Sopas (3)}, Carnes (4)
// {Ternera (5) {Solomillo (6)}, Cordero (7)}, Postres (8) without children.
class CrearCategoriasRestFixture : public HostFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    Abrir(dir_.filePath("empresa.db"));
    arboles::FrmCrearCategoriasRest::Registrar();
    Consultor(QString::fromLatin1(zolmar::Schema::kConsultantDatabase),
              {{1, 0, "0100000000000000", "Entrantes"},
               {2, 1, "0101000000000000", "Ensaladas"},
               {3, 1, "0102000000000000", "Sopas"},
               {4, 0, "0200000000000000", "Carnes"},
               {5, 4, "0201000000000000", "Ternera"},
               {6, 5, "0201010000000000", "Solomillo"},
               {7, 4, "0202000000000000", "Cordero"},
               {8, 0, "0300000000000000", "Postres"}});
  }

  void TearDown() override {
    for (auto& f : ventanas_)
      if (f) delete f.data();
    EXPECT_TRUE(ui().failures().isEmpty()) << ui().failures().join('\n').toStdString();
  }

  struct Fila {
    qint32 id, padre;
    const char* clave;
    const char* nombre;
  };

  // Replaces the article tree of a consultant database of the server (created when missing).
  void Consultor(const QString& nombre, const QList<Fila>& filas) {
    auto otra = zolmar::Connection::open(dir_.filePath(nombre + ".db"), nullptr);
    ASSERT_TRUE(otra);
    otra->executeNative(zolmar::Schema::tableDdl("Arboles"));
    otra->executeNative("DELETE FROM Arboles");
    for (const Fila& f : filas)
      otra->executeNative(
          "INSERT INTO Arboles (ZolmarID, Tipo, Clave, Nombre, id_padre) VALUES (?1, 3, ?2, ?3, ?4)", 0, {},
          {f.id, QString::fromLatin1(f.clave), QString::fromUtf8(f.nombre), f.padre});
  }

  arboles::FrmCrearCategoriasRest* Ventana() {
    auto* frm = new arboles::FrmCrearCategoriasRest();
    if (!frm->Run(*taz)) {
      delete frm;
      return nullptr;
    }
    ventanas_.append(frm);
    return frm;
  }

  static QString K(qint32 id) { return QStringLiteral("K=%1").arg(id); }
  static void Marcar(arboles::FrmCrearCategoriasRest& f, qint32 id) {
    EXPECT_TRUE(f.TreeArbol->ClickCheckBox(K(id))) << id;
  }
  static QList<qint32> Marcados(arboles::FrmCrearCategoriasRest& f) {
    QList<qint32> ids;
    for (qint32 id : {arboles::FrmCrearCategoriasRest::IdRaiz, 1, 2, 3, 4, 5, 7, 8})
      if (f.TreeArbol->Node(K(id)).Checked()) ids << id;
    return ids;
  }
  // Checks the ids and accepts, answering Yes.
  bool Crear(arboles::FrmCrearCategoriasRest& f, std::initializer_list<qint32> ids) {
    for (qint32 id : ids) Marcar(f, id);
    ui().queueAnswer(true);
    f.btnAceptar->Click();
    return f.IsClosed();
  }

  // Key, parent and path of the article category of that name (and parent).
  QStringList Nodo(const QString& nombre, qint32 padre) {
    const auto rs = arboles::recordsetOf(cn->ExecuteSQL(
        QStringLiteral(
            "SELECT ZolmarID, Clave, RutaPadre, UsoAux FROM Arboles WHERE Tipo=3 AND Nombre=%1 AND "
            "ID_Padre=%2")
            .arg(cn->SQLLiteral(nombre))
            .arg(padre),
        5));
    if (!rs || !rs->Read()) return {};
    return {rs->Field("ZolmarID").toString(), rs->Field("Clave").toString(),
            rs->Field("RutaPadre").toString(), rs->Field("UsoAux").toString()};
  }
  qint32 Filas() { return Valor("SELECT COUNT(*) FROM Arboles WHERE Tipo=3").toInt(); }

  QTemporaryDir dir_;
  QList<QPointer<QWidget>> ventanas_;
};
