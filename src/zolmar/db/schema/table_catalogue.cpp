#include "zolmar/db/schema/table_catalogue.h"

namespace zolmar {

namespace {

ColumnSpec text(const char* name, int width) { return {name, ColumnSpec::Text, width}; }
ColumnSpec integer(const char* name) { return {name, ColumnSpec::Integer, 0}; }
ColumnSpec real(const char* name) { return {name, ColumnSpec::Real, 0}; }
ColumnSpec date(const char* name) { return {name, ColumnSpec::Date, 0}; }

// The widths are those the windows' field descriptors declare; free texts
// (report settings, import data, comments) are unlimited.
QVector<TableSpec> build() {
  return {
      {"Arboles",
       {integer("Tipo"), text("Clave", 16), text("Nombre", 50), text("RutaPadre", 150),
        text("CriterioHijos", 75), integer("id_padre"), text("NomAux1", 20), text("NomAux2", 20),
        text("NomAux3", 20), text("NomAux4", 20), text("NomAux5", 20), text("NomAux6", 20), text("UsoAux", 6),
        integer("Opciones"), integer("CodigoExterno"), integer("NivelExterno"), integer("id_comentario")},
       {{"IX_Arboles_Tipo_Clave", {"Tipo", "Clave"}},
        {"IX_Arboles_Padre", {"id_padre"}},
        {"IX_Arboles_Nombre", {"Nombre"}},
        // A name looked for below a key prefix of one tree (the document import).
        {"IX_Arboles_Tipo_Nombre_Clave", {"Tipo", "Nombre", "Clave"}}}},
      {"ArtCompuestos",
       {integer("ID_Compuesto"), integer("ID_Articulo"), integer("ID_Categoria"), real("Cantidad")},
       {}},
      {"Articulos",
       {text("Codigo", 20), text("Barras", 20), text("Nombre", 100), integer("ID_Categoria1"),
        integer("ID_Proveedor"), real("PrecioCoste"), real("PrecioVenta"), real("IVA"), real("Stock"),
        integer("id_comentario"), date("FechaModificacion")},
       {{"IX_Articulos_Categoria", {"ID_Categoria1"}}}},
      {"AutoCategorias", {integer("Tipo"), text("Clave", 10), integer("ID_Categoria")}, {}},
      {"Categorias",
       {integer("Tipo"), integer("ID_Quien"), integer("id_categoria"), integer("id_comentario")},
       {{"IX_Categorias_Quien", {"Tipo", "ID_Quien"}}, {"IX_Categorias_Categoria", {"id_categoria"}}}},
      {"Clientes",
       {text("Codigo", 20), integer("ID_Nombre"), integer("ID_Grupo"), integer("ID_Tarifa"),
        real("Descuento"), integer("id_comentario"), date("FechaAlta"), date("FechaModificacion")},
       {{"IX_Clientes_Grupo", {"ID_Grupo"}}}},
      {"Data_ImpX",
       {integer("ID_Data_Imp"), integer("ID_Categoria1"), text("Nombre", 100), text("Datos", 0)},
       {}},
      {"GruposComisionesX", {integer("Id_grupo"), integer("ID_Categoria"), real("Comision")}, {}},
      {"Nombres",
       {text("Nombre", 100), text("Apellidos", 100), text("NIF", 20), text("Direccion", 150),
        text("Poblacion", 100), text("Provincia", 50), text("CodigoPostal", 10), text("Telefono", 30),
        text("Email", 100)},
       {}},
      {"Proveedores",
       {text("Codigo", 20), integer("ID_Nombre"), integer("ID_Grupo"), integer("DiasPago"),
        integer("id_comentario"), date("FechaAlta"), date("FechaModificacion")},
       {{"IX_Proveedores_Grupo", {"ID_Grupo"}}}},
      {"Tarifas",
       {text("Nombre", 50), integer("ID_GrupoClientes"), integer("ID_TarifaHotel"), integer("ID_Categoria"),
        real("Descuento"), real("Margen")},
       {{"IX_Tarifas_Categoria", {"ID_Categoria"}}}},
      {"ZolmarBloqueos",
       {text("Tabla", 100), text("Filtro", 0), text("Sesion", 100), integer("Pid"), text("Equipo", 100),
        date("Fecha")},
       {{"IX_Bloqueos_Tabla", {"Tabla"}}}},
      {"ZolmarCambios",
       {integer("Tipo"), text("Tabla", 100), integer("ID_Ficha"), text("Descripcion", 0), text("Grupo", 100),
        text("Usuario", 50), date("Fecha")},
       {}},
      {"ZolmarConfig", {text("Clave", 100), text("Valor", 0)}, {{"IX_Config_Clave", {"Clave"}, true}}},
      {"ZolmarInformes",
       {text("Ventana", 100), text("Nombre", 100), integer("Proceso"), text("Usuario", 50),
        text("Configuracion", 0), date("Fecha")},
       {}},
      {"ZolmarPermisos", {text("Usuario", 50), text("Ventana", 100), integer("Permitido")}, {}},
      {"ZolmarTraducciones",
       {text("Idioma", 10), text("Texto", 400), text("Traduccion", 400)},
       {{"IX_Traducciones_Idioma", {"Idioma", "Texto"}}}},
      {"comentarios", {text("comentario", 0), text("Usuario", 50), date("Fecha")}, {}},
  };
}

}  // namespace

const QVector<TableSpec>& TableCatalogue::company() {
  static const QVector<TableSpec> tables = build();
  return tables;
}

const TableSpec& TableCatalogue::installation() {
  static const TableSpec ibic{"IBIC", {text("Codigo", 20), text("Nombre", 100)}, {}};
  return ibic;
}

const TableSpec* TableCatalogue::find(const QString& name) {
  for (const TableSpec& t : company())
    if (t.name.compare(name, Qt::CaseInsensitive) == 0) return &t;
  return nullptr;
}

}  // namespace zolmar
