#include "zolmar/demo/sample_data.h"

#include <QVariantList>

#include "zolmar/db/connection.h"
#include "zolmar/demo/demo_catalogue.h"
#include "zolmar/demo/tree_builder.h"

namespace zolmar {

namespace {

using Node = TreeBuilder::Node;

std::vector<Node> customerGroups() {
  return {{"Hostelería",
           {{"Restaurantes"}, {"Bares y cafeterías"}, {"Hoteles"}, {"Catering"}},
           0,
           "Tipo de local"},
          {"Comercio", {{"Tiendas de alimentación"}, {"Supermercados"}, {"Mayoristas"}}},
          {"Particulares", {{"Clientes de mostrador"}, {"Venta por internet"}}},
          {"Administraciones públicas", {{"Ayuntamientos"}, {"Colegios"}}}};
}

std::vector<Node> supplierGroups() {
  return {{"Proveedores de mercancía",
           {{"Bodegas"}, {"Fabricantes de bebidas"}, {"Distribuidores de alimentación"}, {"Droguería"}}},
          {"Acreedores",
           {{"Suministros", {{"Electricidad"}, {"Agua"}, {"Telefonía"}}}, {"Servicios profesionales"}}},
          {"Transportistas"}};
}

std::vector<Node> articleCategories() {
  return {{"Bebidas",
           {{"Vinos",
             {{"Tintos", {{"Crianza"}, {"Reserva"}, {"Joven"}}}, {"Blancos"}, {"Rosados"}, {"Espumosos"}},
             0,
             "Tipo de vino"},
            {"Cervezas"},
            {"Refrescos"},
            {"Aguas"},
            {"Licores"}}},
          {"Alimentación",
           {{"Conservas"}, {"Lácteos"}, {"Embutidos"}, {"Aceites y vinagres"}, {"Panadería y bollería"}}},
          {"Droguería", {{"Limpieza del hogar"}, {"Higiene personal"}, {"Papel y celulosa"}}},
          {"Cotalia", {{"Libros"}, {"Papelería"}}, 1}};
}

struct Person {
  const char* nombre;
  const char* apellidos;
  const char* nif;
  const char* poblacion;
  const char* provincia;
  const char* grupo;  // path in the group tree
};

const Person kCustomers[] = {
    {"Restaurante", "El Fogón de Aranda", "B09123456", "Aranda de Duero", "Burgos",
     "Hostelería:Restaurantes"},
    {"Mesón", "La Villa", "B09234567", "Peñafiel", "Valladolid", "Hostelería:Restaurantes"},
    {"Bar", "Los Arcos", "B47345678", "Valladolid", "Valladolid", "Hostelería:Bares y cafeterías"},
    {"Cafetería", "Plaza Mayor", "B37456789", "Salamanca", "Salamanca", "Hostelería:Bares y cafeterías"},
    {"Hotel", "Río Duero", "A09567890", "Roa", "Burgos", "Hostelería:Hoteles"},
    {"Ultramarinos", "Hermanos Núñez", "B09678901", "Burgos", "Burgos", "Comercio:Tiendas de alimentación"},
    {"Supermercados", "Castilla", "A47789012", "Valladolid", "Valladolid", "Comercio:Supermercados"},
    {"María José", "Íñiguez Peña", "12345678Z", "Aranda de Duero", "Burgos",
     "Particulares:Clientes de mostrador"},
    {"Luis", "O'Donnell García", "71234567B", "Soria", "Soria", "Particulares:Venta por internet"},
    {"Ayuntamiento", "de Roa", "P0930900A", "Roa", "Burgos", "Administraciones públicas:Ayuntamientos"},
};

const Person kSuppliers[] = {
    {"Bodegas", "Valdelosfrailes", "B47111222", "Cubillas de Santa Marta", "Valladolid",
     "Proveedores de mercancía:Bodegas"},
    {"Bodegas", "Peñalba del Duero", "B09222333", "Aranda de Duero", "Burgos",
     "Proveedores de mercancía:Bodegas"},
    {"Cervezas", "del Norte", "A48333444", "Bilbao", "Vizcaya",
     "Proveedores de mercancía:Fabricantes de bebidas"},
    {"Conservas", "Ortiz y Cía", "B39444555", "Santoña", "Cantabria",
     "Proveedores de mercancía:Distribuidores de alimentación"},
    {"Limpiezas", "Duero", "B09555666", "Burgos", "Burgos", "Proveedores de mercancía:Droguería"},
    {"Eléctrica", "Castellana", "A28666777", "Madrid", "Madrid", "Acreedores:Suministros:Electricidad"},
    {"Asesoría", "Gómez y Asociados", "B09777888", "Aranda de Duero", "Burgos",
     "Acreedores:Servicios profesionales"},
    {"Transportes", "Hermanos Sanz", "B09888999", "Lerma", "Burgos", "Transportistas"},
};

struct Article {
  const char* codigo;
  const char* nombre;
  const char* categoria;
  double coste;
  double venta;
};

const Article kArticles[] = {
    {"VT001", "Tinto crianza Ribera 75 cl", "Bebidas:Vinos:Tintos:Crianza", 5.20, 9.50},
    {"VT002", "Tinto reserva Ribera 75 cl", "Bebidas:Vinos:Tintos:Reserva", 9.80, 17.90},
    {"VT003", "Tinto joven roble 75 cl", "Bebidas:Vinos:Tintos:Joven", 2.90, 5.40},
    {"VB001", "Blanco verdejo Rueda 75 cl", "Bebidas:Vinos:Blancos", 3.40, 6.50},
    {"VR001", "Rosado Cigales 75 cl", "Bebidas:Vinos:Rosados", 3.10, 5.90},
    {"VE001", "Cava brut nature 75 cl", "Bebidas:Vinos:Espumosos", 4.60, 8.90},
    {"CE001", "Cerveza rubia 33 cl (pack 24)", "Bebidas:Cervezas", 11.50, 18.00},
    {"RF001", "Refresco de naranja 33 cl", "Bebidas:Refrescos", 0.35, 0.80},
    {"AG001", "Agua mineral 1,5 l", "Bebidas:Aguas", 0.22, 0.55},
    {"LI001", "Orujo de hierbas 70 cl", "Bebidas:Licores", 6.80, 12.50},
    {"AL001", "Bonito del norte en aceite 250 g", "Alimentación:Conservas", 3.90, 6.75},
    {"AL002", "Queso curado de oveja 1 kg", "Alimentación:Lácteos", 11.00, 18.50},
    {"AL003", "Chorizo ibérico sarta", "Alimentación:Embutidos", 4.20, 7.95},
    {"AL004", "Aceite de oliva virgen extra 1 l", "Alimentación:Aceites y vinagres", 6.10, 9.20},
    {"AL005", "Hogaza de pan candeal 1 kg", "Alimentación:Panadería y bollería", 1.80, 3.20},
    {"DR001", "Friegasuelos 1,5 l", "Droguería:Limpieza del hogar", 1.10, 2.25},
    {"DR002", "Gel de baño 750 ml", "Droguería:Higiene personal", 1.40, 2.95},
    {"DR003", "Papel de cocina (pack 4)", "Droguería:Papel y celulosa", 1.60, 3.10},
};

class Filler {
 public:
  explicit Filler(Connection& cn) : cn_(cn), trees_(cn) {}

  bool run(QString* error) {
    return trees_.addTree(1, customerGroups(), error) && trees_.addTree(2, supplierGroups(), error) &&
           trees_.addTree(3, articleCategories(), error) && people(error) && articles(error) &&
           priceLists(error) && assignments(error) && settings(error) && translations(error);
  }

 private:
  QVariant exec(const QString& sql, const QVariantList& params, QString* error, qint32 mode = 9) {
    const QVariant v = cn_.executeNative(sql, mode, 0, params);
    if (cn_.HasError() && error && error->isEmpty()) *error = cn_.LastError();
    return v;
  }

  qint32 name(const Person& p, QString* error) {
    return exec(
               "INSERT INTO Nombres (Nombre, Apellidos, NIF, Poblacion, Provincia) VALUES (?1, ?2, ?3, ?4, "
               "?5)",
               {QString::fromUtf8(p.nombre), QString::fromUtf8(p.apellidos), p.nif,
                QString::fromUtf8(p.poblacion), QString::fromUtf8(p.provincia)},
               error)
        .toInt();
  }

  bool people(QString* error) {
    int n = 0;
    for (const Person& p : kCustomers) {
      const qint32 group = trees_.idOf(1, QString::fromUtf8(p.grupo));
      customers_ << exec(
                        "INSERT INTO Clientes (Codigo, ID_Nombre, ID_Grupo, FechaAlta) VALUES (?1, ?2, ?3, "
                        "'2023-01-02 09:00:00')",
                        {QString("C%1").arg(++n, 4, 10, QChar('0')), name(p, error), group}, error)
                        .toInt();
    }
    n = 0;
    for (const Person& p : kSuppliers) {
      const qint32 group = trees_.idOf(2, QString::fromUtf8(p.grupo));
      suppliers_
          << exec(
                 "INSERT INTO Proveedores (Codigo, ID_Nombre, ID_Grupo, DiasPago, FechaAlta) VALUES (?1, "
                 "?2, ?3, 30, '2023-01-02 09:00:00')",
                 {QString("P%1").arg(++n, 4, 10, QChar('0')), name(p, error), group}, error)
                 .toInt();
    }
    return error->isEmpty();
  }

  bool articles(QString* error) {
    int barcode = 0;
    for (const Article& a : kArticles) {
      exec(
          "INSERT INTO Articulos (Codigo, Barras, Nombre, ID_Categoria1, PrecioCoste, PrecioVenta, IVA) "
          "VALUES "
          "(?1, ?2, ?3, ?4, ?5, ?6, 21)",
          {a.codigo, QString("84123450%1").arg(++barcode, 5, 10, QChar('0')), QString::fromUtf8(a.nombre),
           trees_.idOf(3, QString::fromUtf8(a.categoria)), a.coste, a.venta},
          error);
    }
    // A menu made of two components, each with its category.
    exec(
        "INSERT INTO ArtCompuestos (ID_Compuesto, ID_Articulo, ID_Categoria, Cantidad) VALUES (15, 13, ?1, "
        "1)",
        {trees_.idOf(3, "Alimentación:Embutidos")}, error);
    exec("INSERT INTO GruposComisionesX (Id_grupo, ID_Categoria, Comision) VALUES (1, ?1, 3.5)",
         {trees_.idOf(3, "Bebidas:Vinos")}, error);
    exec(
        "INSERT INTO Data_ImpX (ID_Data_Imp, ID_Categoria1, Nombre) VALUES (1, ?1, 'Importación de tarifas')",
        {trees_.idOf(3, "Bebidas:Cervezas")}, error);
    return error->isEmpty();
  }

  bool priceLists(QString* error) {
    exec(
        "INSERT INTO Tarifas (Nombre, ID_GrupoClientes, ID_TarifaHotel, ID_Categoria, Descuento) VALUES "
        "('Hostelería vinos', ?1, 0, ?2, 10)",
        {trees_.idOf(1, "Hostelería"), trees_.idOf(3, "Bebidas:Vinos:Tintos")}, error);
    exec(
        "INSERT INTO Tarifas (Nombre, ID_GrupoClientes, ID_TarifaHotel, ID_Categoria, Descuento) VALUES "
        "('Hotel temporada alta', 0, 7, ?1, 5)",
        {trees_.idOf(3, "Bebidas:Aguas")}, error);
    return error->isEmpty();
  }

  bool assignments(QString* error) {
    const QString cats[] = {"Bebidas:Vinos:Tintos", "Bebidas:Cervezas", "Alimentación:Lácteos",
                            "Droguería:Limpieza del hogar"};
    for (int i = 0; i < customers_.size(); ++i)
      exec("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, ?1, ?2)",
           {customers_[i], trees_.idOf(3, cats[i % 4])}, error);
    for (int i = 0; i < suppliers_.size(); ++i)
      exec("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (2, ?1, ?2)",
           {suppliers_[i], trees_.idOf(3, cats[(i + 1) % 4])}, error);
    exec("INSERT INTO AutoCategorias (Tipo, Clave, ID_Categoria) VALUES (1, 'VINO', ?1)",
         {trees_.idOf(3, "Bebidas:Vinos")}, error);
    return error->isEmpty();
  }

  bool settings(QString* error) {
    // Said in SQL every engine takes.
    exec("DELETE FROM ZolmarConfig WHERE Clave = 'CFG_EMPRESA:NOMBRE'", {}, error);
    exec("INSERT INTO ZolmarConfig (Clave, Valor) VALUES ('CFG_EMPRESA:NOMBRE', ?1)",
         {QString::fromUtf8(SampleData::kCompanyName)}, error);
    const char* windows[] = {"FRMARBOLESCLIENTES",    "FRMARBOLESPROVEEDORES",    "FRMARBOLESARTICULOS",
                             "FRMRPTARBOLESCLIENTES", "FRMRPTARBOLESPROVEEDORES", "FRMRPTARBOLESARTICULOS",
                             "FRMRPTCATEGORIAS",      "INFORMES_ENVIAR_A",        "FRMORGANIZARCATEGORIAS",
                             "INFORMES_SQL_EXPERTO"};
    for (const char* w : windows)
      exec("INSERT INTO ZolmarPermisos (Usuario, Ventana, Permitido) VALUES (?1, ?2, 1)",
           {SampleData::kDemoUser, w}, error);
    return error->isEmpty();
  }

  // An English catalogue of the main menus: "CFG_IDIOMA" = "EN" shows it.
  bool translations(QString* error) {
    const char* pairs[][2] = {
        {"Ficheros", "Files"},     {"Empresa", "Company"},         {"Salir", "Exit"},
        {"Edición", "Edit"},       {"Informes", "Reports"},        {"Artículos", "Items"},
        {"Clientes", "Customers"}, {"Proveedores", "Suppliers"},   {"Almacén", "Warehouse"},
        {"Caja", "Till"},          {"Contabilidad", "Accounting"}, {"Configuración", "Settings"},
        {"Ayuda", "Help"},         {"Árboles", "Trees"},           {"Ubicaciones", "Locations"},
    };
    for (const auto& pair : pairs)
      exec("INSERT INTO ZolmarTraducciones (Idioma, Texto, Traduccion) VALUES ('EN', ?1, ?2)",
           {QString::fromUtf8(pair[0]), QString::fromUtf8(pair[1])}, error);
    return error->isEmpty();
  }

  Connection& cn_;
  TreeBuilder trees_;
  QList<qint32> customers_;
  QList<qint32> suppliers_;
};

}  // namespace

bool SampleData::fill(Connection& cn, QString* error, bool withCatalogue) {
  QString failure;
  Filler filler(cn);
  const bool ok = cn.atomically(
      [&] {
        return filler.run(&failure) && failure.isEmpty() &&
               (!withCatalogue || DemoCatalogue::fill(cn, &failure));
      },
      &failure);
  if (!ok && error) *error = failure.isEmpty() ? cn.LastError() : failure;
  return ok;
}

}  // namespace zolmar
