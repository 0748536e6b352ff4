#include "tsql_fixture.h"

#include <QCoreApplication>

#include "common/test_server.h"
#include "zolmar/db/engine/pg_backend.h"
#include "zolmar/db/engine/sqlite_backend.h"
#include "zolmar/db/schema/pg_support.h"
#include "zolmar/db/schema/schema_ddl.h"

namespace zolmar {

namespace {

// The tables as SQLite declares them; the server's spelling is derived from it.
const char* const kTables = R"(
CREATE TABLE Arboles(ZolmarID INTEGER PRIMARY KEY, Activo INTEGER DEFAULT 0, Tipo INTEGER,
  Clave VARCHAR(16) COLLATE ES_CI_AS, Nombre VARCHAR(50) COLLATE ES_CI_AS, RutaPadre VARCHAR(150) COLLATE ES_CI_AS,
  CriterioHijos VARCHAR(75) COLLATE ES_CI_AS, id_padre INTEGER, NomAux1 VARCHAR(20) COLLATE ES_CI_AS,
  NomAux2 VARCHAR(20) COLLATE ES_CI_AS, NomAux3 VARCHAR(20) COLLATE ES_CI_AS, NomAux4 VARCHAR(20) COLLATE ES_CI_AS,
  NomAux5 VARCHAR(20) COLLATE ES_CI_AS, NomAux6 VARCHAR(20) COLLATE ES_CI_AS,
  UsoAux VARCHAR(6) COLLATE ES_CI_AS, Opciones INTEGER DEFAULT 0, CodigoExterno INTEGER, NivelExterno INTEGER,
  id_comentario INTEGER DEFAULT 0);
CREATE TABLE Clientes(ZolmarID INTEGER PRIMARY KEY, Activo INTEGER, ID_Grupo INTEGER, ID_Nombre INTEGER,
  FechaModificacion DATETIME);
CREATE TABLE Proveedores(ZolmarID INTEGER PRIMARY KEY, Activo INTEGER, ID_Grupo INTEGER, ID_Nombre INTEGER,
  FechaModificacion DATETIME);
CREATE TABLE Nombres(ZolmarID INTEGER PRIMARY KEY, Nombre VARCHAR(40) COLLATE ES_CI_AS,
  Apellidos VARCHAR(60) COLLATE ES_CI_AS);
CREATE TABLE Articulos(ZolmarID INTEGER PRIMARY KEY, Activo INTEGER, ID_Categoria1 INTEGER,
  Barras VARCHAR(20) COLLATE ES_CI_AS, Nombre VARCHAR(50) COLLATE ES_CI_AS, FechaModificacion DATETIME);
CREATE TABLE Categorias(ZolmarID INTEGER PRIMARY KEY, Tipo INTEGER, ID_Quien INTEGER, ID_Categoria INTEGER);
CREATE TABLE AutoCategorias(ZolmarID INTEGER PRIMARY KEY, Activo INTEGER DEFAULT 0, Tipo INTEGER,
  Clave VARCHAR(40) COLLATE ES_CI_AS, ID_Categoria INTEGER);
CREATE TABLE Tarifas(ZolmarID INTEGER PRIMARY KEY, ID_Categoria INTEGER, ID_GrupoClientes INTEGER,
  ID_TarifaHotel INTEGER);
CREATE TABLE GruposComisionesX(ZolmarID INTEGER PRIMARY KEY, Id_grupo INTEGER, ID_Categoria INTEGER);
CREATE TABLE ArtCompuestos(ZolmarID INTEGER PRIMARY KEY, ID_Compuesto INTEGER, ID_Categoria INTEGER);
CREATE TABLE Data_ImpX(ZolmarID INTEGER PRIMARY KEY, ID_Categoria1 INTEGER);
CREATE TABLE comentarios(ZolmarID INTEGER PRIMARY KEY, comentario TEXT COLLATE ES_CI_AS);)";

const char* const kRows = R"(
INSERT INTO Arboles(ZolmarID, Activo, Tipo, Clave, Nombre, RutaPadre, id_padre, Opciones, id_comentario) VALUES
  (1, 0, 3, '0100000000000000', 'Bebidas', '', 0, 0, 1),
  (2, 0, 3, '0101000000000000', 'Vinos', 'Bebidas:', 1, 0, 0),
  (3, 0, 3, '0101010000000000', 'Tintos', 'Bebidas:Vinos:', 2, 0, 0),
  (4, 2, 3, '0102000000000000', 'Viños', 'Bebidas:', 1, 0, 0),
  (5, 0, 3, '0200000000000000', 'Alimentación', '', 0, 0, 0),
  (6, 0, 3, '0201000000000000', 'Ñoquis', 'Alimentación:', 5, 0, 0),
  (7, 0, 3, '0202000000000000', 'nata', 'Alimentación:', 5, 0, 0),
  (8, 0, 3, '0300000000000000', 'Cotalia', '', 0, 1, 0),
  (9, 0, 3, '0301000000000000', 'Vinagres', 'Cotalia:', 8, 1, 0),
  (10, 0, 1, '0100000000000000', 'Mayoristas', '', 0, 0, 0),
  (11, 0, 1, '0200000000000000', 'Minoristas', '', 0, 0, 0),
  (12, 0, 2, '0100000000000000', 'Bodegas', '', 0, 0, 0);
UPDATE Arboles SET NomAux1='Añada', NomAux2='Región', UsoAux='321111' WHERE ZolmarID=1;
UPDATE Arboles SET CodigoExterno=120, NivelExterno=1 WHERE ZolmarID=9;
INSERT INTO Clientes(ZolmarID, Activo, ID_Grupo, ID_Nombre) VALUES (1, 0, 10, 1), (2, 2, 10, 2), (3, 0, 11, 3);
INSERT INTO Proveedores(ZolmarID, Activo, ID_Grupo, ID_Nombre) VALUES (1, 0, 11, 2), (2, 0, 12, 1);
INSERT INTO Nombres VALUES (1, 'Juan', 'Pérez'), (2, 'Ana', 'O''Brien'), (3, 'Eva', NULL);
INSERT INTO Articulos(ZolmarID, Activo, ID_Categoria1, Barras, Nombre) VALUES (1, 0, 3, '8410', 'Rioja'),
  (2, 2, 7, '8411', 'Nata vieja'), (3, 0, 3, '8412', 'Toro');
INSERT INTO Categorias VALUES (1, 1, 1, 3), (2, 1, 3, 7), (3, 2, 1, 6);
INSERT INTO AutoCategorias(ZolmarID, Tipo, Clave, ID_Categoria) VALUES (1, 1, 'TPV', 3), (2, 2, 'WEB', 7);
INSERT INTO Tarifas VALUES (1, 7, 0, 55), (2, 6, 12, 0);
INSERT INTO GruposComisionesX VALUES (1, 4, 6);
INSERT INTO ArtCompuestos VALUES (1, 21, 6);
INSERT INTO Data_ImpX VALUES (1, 7), (2, 9);
INSERT INTO comentarios VALUES (1, 'Nota de bebidas');)";

// The installation database, shared by every test on the server (a company
// opened there may have set it up with its own subjects): these rows only.
const char* const kInstallation = R"(
CREATE TABLE IF NOT EXISTS "ZolmarInstalacion".IBIC(ZolmarID INTEGER PRIMARY KEY, Codigo VARCHAR(10) COLLATE ES_CI_AS,
  Nombre VARCHAR(80) COLLATE ES_CI_AS);
DELETE FROM "ZolmarInstalacion".IBIC;
INSERT INTO "ZolmarInstalacion".IBIC (ZolmarID, Codigo, Nombre) VALUES (1, 'A', 'Agricultura'), (2, 'A1', 'Cereales'),
  (3, '1', 'Numérico'), (4, '$version$', 'x'))";

// SQLite's "server": the other databases attached, and the list of them.
const char* const kSqliteServer = R"(
ATTACH ':memory:' AS ZolmarInstalacion;
ATTACH ':memory:' AS Master;
CREATE TABLE Master.SysDatabases(Name VARCHAR(128) COLLATE ES_CI_AS);
INSERT INTO Master.SysDatabases VALUES ('Zolmar_Cons#1'), ('ZolmarInstalacion'), ('Zolmar_Consola'))";

// The server lists its schemas as its databases.
const char* const kPgServer = R"(
CREATE SCHEMA IF NOT EXISTS "ZolmarInstalacion";
CREATE SCHEMA IF NOT EXISTS "Zolmar_Cons#1";
CREATE SCHEMA IF NOT EXISTS "Zolmar_Consola")";

// Rows inserted with their ids leave the server's counters behind.
const char* const kPgCounters =
    "DO $$ DECLARE t text; BEGIN FOR t IN SELECT table_name FROM information_schema.columns "
    "WHERE table_schema = current_schema() AND column_name = 'zolmarid' LOOP EXECUTE format("
    "'SELECT setval(pg_get_serial_sequence(%L, ''zolmarid''), (SELECT max(zolmarid) + 1 FROM %I), false)', "
    "t, t); END LOOP; END $$";

QStringList statements(const char* script) {
  QStringList out;
  for (const QString& s : QString::fromUtf8(script).split(';', Qt::SkipEmptyParts))
    if (!s.trimmed().isEmpty()) out << s.trimmed();
  return out;
}

QString forServer(QString sql) {
  return sql.replace("COLLATE ES_CI_AS", "COLLATE tsql.es_ci_as")
      .replace("INTEGER PRIMARY KEY", "INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY")
      .replace("DATETIME", "TIMESTAMP");
}

QString rows(const StatementResult& r) {
  QStringList out;
  for (const QVector<QVariant>& row : r.rows) {
    QStringList cells;
    for (const QVariant& v : row) cells << (v.isNull() ? QStringLiteral("NULL") : v.toString());
    out << cells.join('|');
  }
  return out.join(';');
}

}  // namespace

void TSqlFixture::SetUp() {
  server = testing::testServer();
  QString error;
  QStringList script = statements(kInstallation) + statements(kTables) + statements(kRows);
  if (!onServer()) {
    backend = SqliteBackend::open(":memory:", &error);
    ASSERT_TRUE(backend) << error.toStdString();
    script = statements(kSqliteServer) + script;
  } else {
#ifdef ZOLMAR_HAVE_PG
    static int next = 0;
    company = QString("TSql_%1_%2").arg(QCoreApplication::applicationPid()).arg(++next);
    backend = PgBackend::connect(PgBackend::withSchema(server, company), &error);
    ASSERT_TRUE(backend) << error.toStdString();
    for (QString& s : script) s = forServer(s);
    script = PgSupport::statements() + statements(kPgServer) +
             QStringList{"CREATE SCHEMA \"" + company + "\""} + script +
             QStringList{kPgCounters, SchemaDdl(SchemaDdl::PostgreSQL).subArboles()};
#else
    GTEST_SKIP() << "this build has no PostgreSQL client";
#endif
  }
  bool outermost = false;
  ASSERT_TRUE(backend->begin("fixture", &outermost, &error)) << error.toStdString();
  for (const QString& s : script) {
    StatementResult r;
    ASSERT_TRUE(backend->run(s, {}, Backend::Fetch::Nothing, &r, &error)) << error.toStdString() << "\n"
                                                                          << s.toStdString();
  }
  ASSERT_TRUE(backend->commit("fixture", outermost, &error)) << error.toStdString();
  translator = backend->translator();
  // The company database names itself in cross-database references (D..comentarios).
  translator->setCurrentDatabase(QStringLiteral("ZolmarEmpresa"));
}

void TSqlFixture::TearDown() {
  if (backend && onServer()) exec("DROP SCHEMA \"" + company + "\" CASCADE");
  backend.reset();
}

void TSqlFixture::exec(const QString& sql) {
  StatementResult r;
  QString error;
  ASSERT_TRUE(backend->run(sql, {}, Backend::Fetch::Nothing, &r, &error)) << error.toStdString();
}

QString TSqlFixture::query(const QString& sql) {
  StatementResult r;
  QString error;
  if (!backend->run(sql, {}, Backend::Fetch::AllRows, &r, &error)) return QStringLiteral("ERROR: ") + error;
  return rows(r);
}

QString TSqlFixture::runOne(const TSqlTranslation& t, QString* error) {
  StatementResult r;
  QString failure;
  if (!backend->run(t.sql, t.literals, Backend::Fetch::AllRows, &r, &failure)) {
    if (error) *error = failure + QStringLiteral(" in ") + t.sql;
    return QString();
  }
  if (error) error->clear();
  return rows(r);
}

// A batch joined with " ; " runs statement by statement; the rows are the last statement's.
QString TSqlFixture::run(const QString& tsql, QString* error) {
  const QVector<TSqlTranslation> batch = translator->translateBatch(tsql);
  if (error) error->clear();
  for (const TSqlTranslation& t : batch) {
    if (!t.ok()) {
      if (error) *error = t.error;
      return QString();
    }
  }
  QString result;
  for (const TSqlTranslation& t : batch) {
    QString stepError;
    result = runOne(t, &stepError);
    if (!stepError.isEmpty()) {
      if (error) *error = stepError;
      return QString();
    }
  }
  return result;
}

}  // namespace zolmar
