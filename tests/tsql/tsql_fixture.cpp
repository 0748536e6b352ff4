#include "tsql_fixture.h"

namespace zolmar {

namespace {

const char* const kSchema = R"(
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
CREATE TABLE comentarios(ZolmarID INTEGER PRIMARY KEY, comentario TEXT COLLATE ES_CI_AS);
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
INSERT INTO comentarios VALUES (1, 'Nota de bebidas');
ATTACH ':memory:' AS ZolmarInstalacion;
CREATE TABLE ZolmarInstalacion.IBIC(ZolmarID INTEGER PRIMARY KEY, Codigo VARCHAR(10) COLLATE ES_CI_AS,
  Nombre VARCHAR(80) COLLATE ES_CI_AS);
INSERT INTO ZolmarInstalacion.IBIC VALUES (1, 'A', 'Agricultura'), (2, 'A1', 'Cereales'), (3, '1', 'Numérico'),
  (4, '$version$', 'x');
ATTACH ':memory:' AS Master;
CREATE TABLE Master.SysDatabases(Name VARCHAR(128) COLLATE ES_CI_AS);
INSERT INTO Master.SysDatabases VALUES ('Zolmar_Cons#1'), ('ZolmarInstalacion'), ('Zolmar_Consola');
)";

QString rows(sqlite3_stmt* st, QString* error) {
  QStringList out;
  int rc;
  while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
    QStringList cells;
    for (int i = 0; i < sqlite3_column_count(st); ++i) {
      cells << (sqlite3_column_type(st, i) == SQLITE_NULL
                    ? QStringLiteral("NULL")
                    : QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i))));
    }
    out << cells.join('|');
  }
  if (rc != SQLITE_DONE && error) *error = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(st)));
  return out.join(';');
}

}  // namespace

void TSqlFixture::SetUp() {
  ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
  QString error;
  ASSERT_TRUE(registerSqlFunctions(db, &error)) << error.toStdString();
  exec(kSchema);
  types = std::make_shared<SqliteColumnTypes>(db);
  translator = std::make_unique<TSqlTranslator>(types);
  // The company database names itself in cross-database references (D..comentarios).
  translator->setCurrentDatabase(QStringLiteral("ZolmarEmpresa"));
}

void TSqlFixture::TearDown() {
  translator.reset();
  sqlite3_close(db);
}

void TSqlFixture::exec(const char* sql) {
  char* message = nullptr;
  ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &message), SQLITE_OK) << (message ? message : "");
}

QString TSqlFixture::query(const QString& sqliteSql) {
  sqlite3_stmt* st = nullptr;
  const QByteArray sql = sqliteSql.toUtf8();
  if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK)
    return QStringLiteral("PREPARE: ") + QString::fromUtf8(sqlite3_errmsg(db));
  QString error;
  QString result = rows(st, &error);
  sqlite3_finalize(st);
  return error.isEmpty() ? result : QStringLiteral("STEP: ") + error;
}

QString TSqlFixture::runOne(const TSqlTranslation& t, QString* error) {
  sqlite3_stmt* st = nullptr;
  const QByteArray sql = t.sql.toUtf8();
  if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) != SQLITE_OK) {
    if (error) *error = QString::fromUtf8(sqlite3_errmsg(db)) + QStringLiteral(" in ") + t.sql;
    return QString();
  }
  for (int i = 0; i < t.literals.size(); ++i) {
    const QVariant& v = t.literals[i];
    if (v.typeId() == QMetaType::LongLong) {
      sqlite3_bind_int64(st, i + 1, v.toLongLong());
    } else if (v.typeId() == QMetaType::Double) {
      sqlite3_bind_double(st, i + 1, v.toDouble());
    } else {
      const QByteArray text = v.toString().toUtf8();
      sqlite3_bind_text(st, i + 1, text.constData(), text.size(), SQLITE_TRANSIENT);
    }
  }
  QString stepError;
  QString result = rows(st, &stepError);
  sqlite3_finalize(st);
  if (error) *error = stepError.isEmpty() ? QString() : stepError + QStringLiteral(" in ") + t.sql;
  return result;
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
