#include "zolmar/db/schema.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>

#include "host/i_recordset.h"
#include "zolmar/db/connection.h"
#include "zolmar/db/restaurant_template.h"
#include "zolmar/db/tree_builder.h"

namespace zolmar {

namespace {

// Column shorthands: every text column compares like SQL Server's default collation.
QString text(const char* name) { return QString("%1 TEXT COLLATE ES_CI_AS DEFAULT ''").arg(name); }
QString integer(const char* name) { return QString("%1 INTEGER DEFAULT 0").arg(name); }
QString real(const char* name) { return QString("%1 REAL DEFAULT 0").arg(name); }
QString date(const char* name) { return QString("%1 DATETIME").arg(name); }

const QMap<QString, QStringList>& definitions() {
  static const QMap<QString, QStringList> defs = {
      {"Arboles",
       {integer("Tipo"), text("Clave"), text("Nombre"), text("RutaPadre"), text("CriterioHijos"),
        integer("id_padre"), text("NomAux1"), text("NomAux2"), text("NomAux3"), text("NomAux4"),
        text("NomAux5"), text("NomAux6"), text("UsoAux"), integer("Opciones"), integer("CodigoExterno"),
        integer("NivelExterno"), integer("id_comentario")}},
      {"Categorias",
       {integer("Tipo"), integer("ID_Quien"), integer("id_categoria"), integer("id_comentario")}},
      {"AutoCategorias", {integer("Tipo"), text("Clave"), integer("ID_Categoria")}},
      {"Nombres",
       {text("Nombre"), text("Apellidos"), text("NIF"), text("Direccion"), text("Poblacion"),
        text("Provincia"), text("CodigoPostal"), text("Telefono"), text("Email")}},
      {"Clientes",
       {text("Codigo"), integer("ID_Nombre"), integer("ID_Grupo"), integer("ID_Tarifa"), real("Descuento"),
        integer("id_comentario"), date("FechaAlta"), date("FechaModificacion")}},
      {"Proveedores",
       {text("Codigo"), integer("ID_Nombre"), integer("ID_Grupo"), integer("DiasPago"),
        integer("id_comentario"), date("FechaAlta"), date("FechaModificacion")}},
      {"Articulos",
       {text("Codigo"), text("Barras"), text("Nombre"), integer("ID_Categoria1"), integer("ID_Proveedor"),
        real("PrecioCoste"), real("PrecioVenta"), real("IVA"), real("Stock"), integer("id_comentario"),
        date("FechaModificacion")}},
      {"Tarifas",
       {text("Nombre"), integer("ID_GrupoClientes"), integer("ID_TarifaHotel"), integer("ID_Categoria"),
        real("Descuento"), real("Margen")}},
      {"ArtCompuestos",
       {integer("ID_Compuesto"), integer("ID_Articulo"), integer("ID_Categoria"), real("Cantidad")}},
      {"GruposComisionesX", {integer("Id_grupo"), integer("ID_Categoria"), real("Comision")}},
      {"Data_ImpX", {integer("ID_Data_Imp"), integer("ID_Categoria1"), text("Nombre"), text("Datos")}},
      {"comentarios", {text("comentario"), text("Usuario"), date("Fecha")}},
      {"ZolmarBloqueos",
       {text("Tabla"), text("Filtro"), text("Sesion"), integer("Pid"), text("Equipo"), date("Fecha")}},
      {"ZolmarCambios",
       {integer("Tipo"), text("Tabla"), integer("ID_Ficha"), text("Descripcion"), text("Grupo"),
        text("Usuario"), date("Fecha")}},
      {"ZolmarConfig", {text("Clave"), text("Valor")}},
      {"ZolmarPermisos", {text("Usuario"), text("Ventana"), integer("Permitido")}},
      {"ZolmarTraducciones", {text("Idioma"), text("Texto"), text("Traduccion")}},
      {"ZolmarInformes",
       {text("Ventana"), text("Nombre"), integer("Proceso"), text("Usuario"), text("Configuracion"),
        date("Fecha")}},
  };
  return defs;
}

const QStringList& indexes() {
  static const QStringList list = {
      "CREATE INDEX IF NOT EXISTS IX_Arboles_Tipo_Clave ON Arboles (Tipo, Clave)",
      "CREATE INDEX IF NOT EXISTS IX_Arboles_Padre ON Arboles (id_padre)",
      "CREATE INDEX IF NOT EXISTS IX_Arboles_Nombre ON Arboles (Nombre)",
      // A name looked for below a key prefix of one tree (the document import).
      "CREATE INDEX IF NOT EXISTS IX_Arboles_Tipo_Nombre_Clave ON Arboles (Tipo, Nombre, Clave)",
      "CREATE INDEX IF NOT EXISTS IX_Categorias_Quien ON Categorias (Tipo, ID_Quien)",
      "CREATE INDEX IF NOT EXISTS IX_Categorias_Categoria ON Categorias (id_categoria)",
      "CREATE INDEX IF NOT EXISTS IX_Clientes_Grupo ON Clientes (ID_Grupo)",
      "CREATE INDEX IF NOT EXISTS IX_Proveedores_Grupo ON Proveedores (ID_Grupo)",
      "CREATE INDEX IF NOT EXISTS IX_Articulos_Categoria ON Articulos (ID_Categoria1)",
      "CREATE INDEX IF NOT EXISTS IX_Tarifas_Categoria ON Tarifas (ID_Categoria)",
      "CREATE INDEX IF NOT EXISTS IX_Bloqueos_Tabla ON ZolmarBloqueos (Tabla)",
      "CREATE UNIQUE INDEX IF NOT EXISTS IX_Config_Clave ON ZolmarConfig (Clave)",
      "CREATE INDEX IF NOT EXISTS IX_Traducciones_Idioma ON ZolmarTraducciones (Idioma, Texto)",
  };
  return list;
}

// Whether every table and index is there already: a read, so that opening a
// company database does not wait for another program's write transaction.
bool complete(Connection& cn) {
  static const QRegularExpression nombre(QStringLiteral("IF NOT EXISTS (\\w+)"));
  QSet<QString> faltan;
  for (const QString& table : definitions().keys()) faltan << table.toLower();
  for (const QString& sql : indexes()) faltan << nombre.match(sql).captured(1).toLower();
  const auto rs = arboles::recordsetOf(
      cn.executeNative(QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('table', 'index')"), 5));
  if (cn.HasError() || !rs) return false;
  while (rs->Read()) faltan.remove(rs->Field(QStringLiteral("name")).toString().toLower());
  return faltan.isEmpty();
}

}  // namespace

QStringList Schema::tables() { return definitions().keys(); }

QString Schema::tableDdl(const QString& table) {
  const QStringList columns = definitions().value(table);
  if (columns.isEmpty()) return QString();
  return "CREATE TABLE IF NOT EXISTS " + table +
         " (ZolmarID INTEGER PRIMARY KEY AUTOINCREMENT, Activo INTEGER DEFAULT 0, " + columns.join(", ") +
         ")";
}

bool Schema::run(Connection& cn, const QStringList& statements, QString* error) {
  QString failure;
  const bool ok = cn.atomically(
      [&] {
        for (const QString& sql : statements) {
          cn.executeNative(sql);
          if (cn.HasError()) {
            failure = cn.LastError();
            return false;
          }
        }
        return true;
      },
      &failure);
  cn.schemaChanged();
  if (!ok && error) *error = failure;
  return ok;
}

bool Schema::create(Connection& cn, QString* error) {
  if (complete(cn)) return true;
  QStringList statements;
  for (const QString& table : tables()) statements << tableDdl(table);
  statements << indexes();
  // The reports' SQL editor is for whom it is granted: refused to everybody
  // ('*') unless a person's own row allows it.
  statements << QStringLiteral(
      "INSERT INTO ZolmarPermisos (Usuario, Ventana, Permitido) SELECT '*', 'INFORMES_SQL_EXPERTO', 0 "
      "WHERE NOT EXISTS (SELECT 1 FROM ZolmarPermisos WHERE Ventana='INFORMES_SQL_EXPERTO')");
  return run(cn, statements, error);
}

bool Schema::createServerDatabases(const QString& folder, QString* error) {
  QDir().mkpath(folder);
  const QDir dir(folder);
  const QString installation = dir.filePath(QString(kInstallationDatabase) + ".db");
  const QString consultant = dir.filePath(QString(kConsultantDatabase) + ".db");
  if (!QFileInfo::exists(installation) && !createInstallation(installation, error)) return false;
  if (!QFileInfo::exists(consultant) && !createConsultant(consultant, error)) return false;
  return true;
}

bool Schema::createInstallation(const QString& file, QString* error) {
  auto cn = Connection::open(file, error);
  if (!cn) return false;
  QStringList statements = {"CREATE TABLE IF NOT EXISTS IBIC (ZolmarID INTEGER PRIMARY KEY AUTOINCREMENT, " +
                            text("Codigo") + ", " + text("Nombre") + ")"};
  static const char* subjects[][2] = {
      {"$version$", "2"},
      {"A", "Artes"},
      {"AB", "Bellas artes: tratamientos y temas"},
      {"AF", "Artes: formas"},
      {"AFC", "Pintura y pinturas"},
      {"D", "Biografía, literatura y estudios literarios"},
      {"DC", "Poesía"},
      {"DD", "Obras de teatro"},
      {"F", "Narrativa y temas afines"},
      {"FA", "Narrativa moderna y contemporánea"},
      {"FF", "Novela policíaca y de misterio"},
      {"W", "Estilo de vida, deporte y ocio"},
      {"WB", "Gastronomía y bebida"},
      {"WBA", "Cocina general"},
      {"WBX", "Bebidas"},
      {"WBXD", "Vinos y bebidas alcohólicas"},
      {"1D", "Europa"},
      {"1DS", "Europa del Sur"},
      {"1DSE", "España"},
  };
  for (const auto& s : subjects)
    statements << QString("INSERT INTO IBIC (Codigo, Nombre) VALUES ('%1', '%2')").arg(s[0], s[1]);
  return run(*cn, statements, error);
}

bool Schema::createConsultant(const QString& file, QString* error) {
  auto cn = Connection::open(file, error);
  if (!cn) return false;
  if (!run(*cn, {tableDdl("Arboles"), indexes().first()}, error)) return false;
  TreeBuilder builder(*cn);
  QString failure;
  const bool ok =
      cn->atomically([&] { return builder.addTree(3, RestaurantTemplate::nodes(), &failure); }, &failure);
  if (!ok && error) *error = failure;
  return ok;
}

}  // namespace zolmar
