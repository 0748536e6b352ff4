// The reports' "SQL experto...": what a person types there can read the
// company and never change it, and the window is only for whom it is granted.

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>

#include "informes_fixture.h"
#include "zolmar/db/database_dump.h"
#include "zolmar/report/frm_sql_experto.h"
#include "zolmar/ui/btn.h"

namespace {

const QString kSoloConsultas =
    QStringLiteral("Solo se puede ejecutar una consulta, una única sentencia SELECT");

class SqlExperto : public InformesFixture {
 protected:
  void Conceder() {
    cn->ExecuteSQL(
        "INSERT INTO ZolmarPermisos (Usuario, Ventana, Permitido) VALUES ('demo', 'INFORMES_SQL_EXPERTO', "
        "1)");
    ASSERT_FALSE(cn->HasError()) << cn->LastError().toStdString();
  }

  // Replaces the editor's text by typing, then presses "Ejecutar".
  void Escribir(arboles::FrmRptArboles* frm, const QString& sql) {
    ui().whenWaitingFor("FrmSqlExperto", [sql](QWidget* w) {
      auto* e = static_cast<zolmar::FrmSqlExperto*>(w);
      QKeyEvent todo(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier);
      QCoreApplication::sendEvent(e->txtSQL, &todo);
      QKeyEvent teclas(QEvent::KeyPress, 0, Qt::NoModifier, sql);
      QCoreApplication::sendEvent(e->txtSQL, &teclas);
      e->btnEjecutar->Click();
    });
    frm->btnSQLExpert->Click();
  }
};

TEST_F(SqlExperto, NingunaSentenciaQueEscribeCambiaLaBaseDeDatos) {
  Conceder();
  const char* escrituras[] = {
      "DELETE FROM Arboles ; SELECT 1",
      "SELECT 1 ; DELETE FROM Arboles",
      "SELECT Nombre FROM Arboles WHERE Tipo=3 ; UPDATE Arboles SET Nombre='x'",
      "SELECT 1 /* ; */ ; DROP TABLE Arboles",
      "SELECT 1 -- nada\n; DELETE FROM Arboles",
      "UPDATE Arboles SET Nombre='x'",
      "INSERT INTO Arboles (Tipo, Nombre) VALUES (3, 'x')",
      "INSERT INTO Arboles (Tipo, Nombre) SELECT Tipo, Nombre FROM Arboles",
      "DELETE FROM Arboles WHERE Tipo=3",
      "DROP TABLE Arboles",
      "CREATE TABLE Copia (a INT)",
      "ALTER TABLE Arboles ADD Otra INT",
      "TRUNCATE TABLE Arboles",
      "SELECT * INTO Copia FROM Arboles",
      "ATTACH DATABASE 'otra.db' AS otra",
      "DETACH DATABASE main",
      "PRAGMA user_version=5",
      "PRAGMA query_only=0",
      "PRAGMA journal_mode=DELETE",
      "WITH x AS (SELECT 1 AS a) DELETE FROM Arboles",
      "BEGIN TRANSACTION",
      "VACUUM",
      "REPLACE INTO Arboles (Tipo, Nombre) VALUES (3, 'x')",
      "EXEC sp_rename 'Arboles', 'Otros'",
      "SELECT load_extension('libotra')",
  };
  auto* frm = Abrir(2);
  const QString antes = zolmar::DatabaseDump::of(*cn);
  const qint32 version = cn->executeNative("PRAGMA user_version", 2, -1).toInt();
  for (const char* sql : escrituras) {
    ui().clear();
    Escribir(frm, QString::fromUtf8(sql));
    ASSERT_EQ(ui().messages().size(), 1) << sql;
    EXPECT_TRUE(ui().messages()[0].text.startsWith(kSoloConsultas))
        << sql << ": " << ui().messages()[0].text.toStdString();
    EXPECT_EQ(ui().messages()[0].title, "SQL experto") << sql;
    EXPECT_EQ(zolmar::DatabaseDump::of(*cn), antes) << sql;
    EXPECT_EQ(cn->executeNative("PRAGMA user_version", 2, -1).toInt(), version) << sql;
  }
  // The connection is left as it was: the program still writes.
  EXPECT_EQ(cn->ExecuteSQL("UPDATE Arboles SET Nombre='A' WHERE ZolmarID=" + QString::number(idA), 1, -1), 1);
  EXPECT_FALSE(cn->HasError()) << cn->LastError().toStdString();

  // A plain query still works, and its rows make the report.
  ui().clear();
  Escribir(frm, "SELECT Arboles.Nombre AS F_NOMBRE FROM Arboles WHERE tipo=3 AND Nombre LIKE 'A%'");
  EXPECT_TRUE(ui().messages().isEmpty()) << ui().messageTexts().join('\n').toStdString();
  EXPECT_EQ(frm->oRptForm->Filas(), 4);
  ASSERT_NE(frm->oRptForm->Preview(), nullptr);
  frm->oRptForm->Preview()->close();
  frm->Unload();
}

TEST_F(SqlExperto, SoloSeOfreceAQuienTieneElPermiso) {
  const struct {
    const char* caso;
    QList<std::pair<const char*, int>> filas;  // user and Permitido, over the company's own
    bool ofrecido;
  } casos[] = {
      {"empresa nueva: nadie", {}, false},
      {"concedido al usuario", {{"demo", 1}}, true},
      {"denegado al usuario", {{"demo", 0}}, false},
      {"concedido a todos", {{"*", 1}}, true},
      {"concedido a todos salvo al usuario", {{"*", 1}, {"demo", 0}}, false},
  };
  for (const auto& c : casos) {
    cn->ExecuteSQL(
        "DELETE FROM ZolmarPermisos WHERE Usuario<>'*' ; UPDATE ZolmarPermisos SET Permitido=0 WHERE "
        "Ventana='INFORMES_SQL_EXPERTO'");
    for (const auto& [usuario, permitido] : c.filas)
      cn->ExecuteSQL(QStringLiteral("DELETE FROM ZolmarPermisos WHERE Usuario='%1' ; "
                                    "INSERT INTO ZolmarPermisos (Usuario, Ventana, Permitido) "
                                    "VALUES ('%1', 'INFORMES_SQL_EXPERTO', %2)")
                         .arg(usuario)
                         .arg(permitido));
    ASSERT_FALSE(cn->HasError()) << c.caso << cn->LastError().toStdString();
    ui().clear();
    auto* frm = Abrir(2);
    EXPECT_EQ(!frm->btnSQLExpert->isHidden(), c.ofrecido) << c.caso;
    // Pressed all the same (a script, a shortcut): refused with the host's message, nothing opens.
    if (!c.ofrecido) {
      frm->btnSQLExpert->Click();
      ASSERT_EQ(ui().messages().size(), 1) << c.caso;
      EXPECT_TRUE(ui().messages()[0].text.contains("INFORMES_SQL_EXPERTO")) << c.caso;
    }
    frm->Unload();
  }
}

}  // namespace
