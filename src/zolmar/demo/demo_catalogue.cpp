#include "zolmar/demo/demo_catalogue.h"

#include <QStringList>
#include <QVariantList>
#include <vector>

#include "host/i_recordset.h"
#include "zolmar/db/connection.h"
#include "zolmar/demo/tree_builder.h"

namespace zolmar {

namespace {

using Node = TreeBuilder::Node;

// Sector|criterion of its families, then "  Family: subfamily, subfamily, ...".
const char* const kSectors = R"(Frutas y verduras|Familia
  Frutas: Cítricos, Frutas de hueso, Frutas tropicales, Frutos rojos, Manzanas y peras
  Verduras de hoja: Lechugas, Espinacas y acelgas, Coles, Hierbas aromáticas
  Hortalizas: Tomates, Pimientos, Cebollas y ajos, Calabacines y berenjenas, Zanahorias
  Patatas y tubérculos: Patatas, Boniatos, Yuca
  Setas: Champiñones, Setas de cultivo, Setas silvestres
Carnes|Familia
  Vacuno: Ternera, Añojo, Buey, Picada de vacuno
  Porcino: Lomo, Costilla, Secreto y presa, Cochinillo
  Ovino: Lechazo, Cordero, Cabrito
  Aves: Pollo, Pavo, Pato, Codorniz
  Elaborados cárnicos: Hamburguesas, Salchichas frescas, Albóndigas, Adobados
Pescados y mariscos|Familia
  Pescado blanco: Merluza, Bacalao, Lenguado, Rape, Dorada
  Pescado azul: Salmón, Sardinas, Bonito, Boquerones
  Mariscos: Gambas y langostinos, Mejillones, Almejas, Cigalas
  Cefalópodos: Calamar, Pulpo, Sepia
  Congelados del mar: Filetes congelados, Surimi, Rebozados
Charcutería y quesos|Familia
  Jamones: Jamón ibérico de bellota, Jamón ibérico de cebo, Jamón serrano, Paletas
  Embutidos curados: Chorizo, Salchichón, Lomo embuchado, Fuet
  Fiambres: Jamón cocido, Pavo cocido, Mortadela, Chopped
  Quesos: Quesos curados, Quesos semicurados, Quesos frescos, Quesos azules, Quesos de importación
  Patés y ahumados: Patés, Ahumados, Foie
Lácteos y huevos|Familia
  Leche: Leche entera, Leche semidesnatada, Leche sin lactosa, Bebidas vegetales
  Yogures y postres: Yogures naturales, Yogures de sabores, Natillas y flanes, Postres vegetales
  Mantequillas y natas: Mantequilla, Nata para cocinar, Nata para montar
  Huevos: Huevos camperos, Huevos ecológicos, Huevos de codorniz
Despensa|Familia
  Arroces y legumbres: Arroz redondo, Arroz largo, Garbanzos, Lentejas, Alubias
  Pastas: Pasta seca, Pasta fresca, Pasta rellena, Fideos
  Conservas de pescado: Atún, Sardinillas, Mejillones en escabeche, Anchoas
  Conservas vegetales: Tomate triturado, Pimientos del piquillo, Espárragos, Alcachofas
  Aceites y condimentos: Aceite de oliva, Aceite de girasol, Vinagres, Especias, Sal
  Desayuno: Café, Infusiones, Cacao, Cereales, Galletas
Panadería y pastelería|Familia
  Pan del día: Barras, Hogazas, Pan integral, Pan sin gluten
  Bollería: Croissants, Magdalenas, Napolitanas, Ensaimadas
  Pastelería: Tartas, Pasteles individuales, Hojaldres, Dulces típicos
  Pan envasado: Pan de molde, Picos y colines, Tostadas
Congelados|Familia
  Verduras congeladas: Guisantes, Judías verdes, Menestra, Salteados
  Platos preparados: Pizzas, Lasañas, Croquetas, Empanadillas
  Helados: Tarrinas, Bombones helados, Polos, Tartas heladas
  Masas congeladas: Masa de hojaldre, Masa de pizza, Masa quebrada
Bodega|Denominación
  Vinos de Ribera del Duero: Ribera joven, Ribera crianza, Ribera reserva, Ribera gran reserva
  Vinos de Rioja: Rioja joven, Rioja crianza, Rioja reserva
  Vinos de Rueda: Verdejo, Sauvignon blanc, Rueda espumoso
  Otras denominaciones: Toro, Bierzo, Cigales, Albariño, Priorat
  Cavas y champanes: Cava brut, Cava brut nature, Champán
Bebidas sin alcohol|Familia
  Zumos: Zumo de naranja, Zumo de melocotón, Néctares, Zumos refrigerados
  Bebidas isotónicas: Isotónicas, Energéticas
  Infusiones frías: Té frío, Horchata, Granizados
  Gaseosas y sodas: Gaseosa, Tónica, Soda
Higiene y belleza|Familia
  Cuidado del cabello: Champú, Acondicionador, Tintes, Fijadores
  Cuidado corporal: Geles de ducha, Desodorantes, Cremas corporales, Protección solar
  Higiene bucal: Pasta de dientes, Cepillos, Enjuagues
  Cuidado facial: Limpiadoras, Cremas hidratantes, Maquillaje
Mascotas|Animal
  Perros: Pienso para perros, Comida húmeda para perros, Snacks para perros, Accesorios para perros
  Gatos: Pienso para gatos, Comida húmeda para gatos, Arena para gatos
  Otras mascotas: Pájaros, Roedores, Peces
Hogar y menaje|Familia
  Menaje de cocina: Sartenes, Ollas, Cuchillos, Utensilios
  Mesa: Vajilla, Cristalería, Cubertería, Mantelería
  Desechables: Vasos y platos, Servilletas, Film y aluminio, Bolsas de basura
  Pequeño electrodoméstico: Cafeteras, Batidoras, Tostadoras)";

std::vector<Node> sectors() {
  std::vector<Node> roots;
  for (const QString& line : QString::fromUtf8(kSectors).split(QLatin1Char('\n'))) {
    if (!line.startsWith(QLatin1Char(' '))) {
      const QStringList parts = line.split(QLatin1Char('|'));
      Node sector(parts[0].toUtf8().constData());
      sector.criterio = parts.value(1);
      roots.push_back(std::move(sector));
      continue;
    }
    const qsizetype colon = line.indexOf(QLatin1Char(':'));
    Node family(line.left(colon).trimmed().toUtf8().constData());
    family.criterio = QStringLiteral("Subfamilia");
    for (const QString& sub : line.mid(colon + 1).split(QLatin1Char(',')))
      family.children.emplace_back(sub.trimmed().toUtf8().constData());
    roots.back().children.push_back(std::move(family));
  }
  return roots;
}

const char* const kBrands[] = {"Duero",      "La Ribera", "El Castillo", "Valle Verde",    "Sierra Alta",
                               "Campo Real", "Los Tilos", "Santa Clara", "Mar Cantábrico", "El Molino"};
const char* const kFormats[] = {"250 g", "500 g", "1 kg", "pack 6", "1 l", "750 ml", "unidad", "bandeja"};

const char* const kFirstNames[] = {"Antonio", "María", "José",   "Carmen", "Manuel", "Ana",    "Francisco",
                                   "Laura",   "David", "Isabel", "Javier", "Lucía",  "Miguel", "Pilar",
                                   "Pedro",   "Elena", "Jesús",  "Rosa",   "Ángel",  "Begoña"};
const char* const kSurnames[] = {"García",    "Fernández", "González", "Rodríguez", "López",   "Martínez",
                                 "Sánchez",   "Pérez",     "Gómez",    "Martín",    "Jiménez", "Ruiz",
                                 "Hernández", "Díaz",      "Moreno",   "Muñoz",     "Álvarez", "Romero",
                                 "Alonso",    "Gutiérrez", "Núñez",    "Peña",      "Ibáñez",  "Cuesta"};
const char* const kBusinesses[] = {"Bar",    "Restaurante",  "Mesón",        "Cafetería",  "Hotel",
                                   "Hostal", "Ultramarinos", "Supermercado", "Pastelería", "Asador"};
const char* const kTowns[][2] = {
    {"Aranda de Duero", "Burgos"},
    {"Burgos", "Burgos"},
    {"Roa", "Burgos"},
    {"Lerma", "Burgos"},
    {"Peñafiel", "Valladolid"},
    {"Valladolid", "Valladolid"},
    {"Tudela de Duero", "Valladolid"},
    {"Soria", "Soria"},
    {"El Burgo de Osma", "Soria"},
    {"Segovia", "Segovia"},
    {"Cuéllar", "Segovia"},
    {"Salamanca", "Salamanca"},
    {"Zamora", "Zamora"},
    {"Toro", "Zamora"},
    {"Palencia", "Palencia"},
};
const char* const kSupplierKinds[] = {"Distribuciones", "Comercial",      "Bodegas", "Cárnicas",
                                      "Pescados",       "Hortofrutícola", "Lácteos", "Panificadora",
                                      "Suministros",    "Transportes"};

// EAN-13 with its check digit, Spanish prefix.
QString ean13(int n) {
  const QString body = QStringLiteral("8412345") + QString::number(n).rightJustified(5, QLatin1Char('0'));
  int sum = 0;
  for (int i = 0; i < 12; ++i) sum += body.at(i).digitValue() * (i % 2 == 0 ? 1 : 3);
  return body + QString::number((10 - sum % 10) % 10);
}

class Writer {
 public:
  explicit Writer(Connection& cn) : cn_(cn), trees_(cn) {}

  bool run(QString* error) {
    error_ = error;
    if (!trees_.addTree(3, sectors(), error)) return false;
    articleLeaves_ = leaves(3);
    customerGroups_ = leaves(1);
    supplierGroups_ = leaves(2);
    return people() && articles() && priceLists() && compounds() && assignments() && comments() &&
           error->isEmpty();
  }

 private:
  QVariant exec(const QString& sql, const QVariantList& params, qint32 mode = 9) {
    const QVariant v = cn_.executeNative(sql, mode, 0, params);
    if (cn_.HasError() && error_->isEmpty()) *error_ = cn_.LastError();
    return v;
  }

  QList<qint32> leaves(qint32 tipo) {
    QList<qint32> ids;
    const auto rs = arboles::recordsetOf(
        exec(QStringLiteral("SELECT ZolmarID FROM Arboles WHERE Tipo=?1 AND Opciones=0 AND ZolmarID NOT IN "
                            "(SELECT id_padre FROM Arboles WHERE Tipo=?1) ORDER BY Clave"),
             {tipo}, 5));
    while (rs && rs->Read()) ids << rs->Field(QStringLiteral("ZolmarID")).toInt();
    return ids;
  }

  qint32 name(const QString& nombre, const QString& apellidos, const QString& nif, int town) {
    return exec(QStringLiteral("INSERT INTO Nombres (Nombre, Apellidos, NIF, Poblacion, Provincia, Telefono) "
                               "VALUES (?1, ?2, ?3, ?4, ?5, ?6)"),
                {nombre, apellidos, nif, QString::fromUtf8(kTowns[town][0]),
                 QString::fromUtf8(kTowns[town][1]),
                 QStringLiteral("9%1").arg(47000000 + town * 1013 + apellidos.size() * 7)})
        .toInt();
  }

  bool people() {
    const int towns = std::size(kTowns);
    for (int i = 0; i < DemoCatalogue::kCustomers; ++i) {
      const bool business = i % 3 != 0;
      const QString surname = QString::fromUtf8(kSurnames[i % std::size(kSurnames)]);
      const QString nombre = business ? QString::fromUtf8(kBusinesses[i % std::size(kBusinesses)])
                                      : QString::fromUtf8(kFirstNames[i % std::size(kFirstNames)]);
      const QString apellidos =
          business ? QStringLiteral("%1 %2").arg(surname, QString::fromUtf8(kTowns[i % towns][0]))
                   : QStringLiteral("%1 %2").arg(
                         surname, QString::fromUtf8(kSurnames[(i * 7 + 3) % std::size(kSurnames)]));
      const qint32 id =
          exec(QStringLiteral(
                   "INSERT INTO Clientes (Codigo, ID_Nombre, ID_Grupo, FechaAlta) VALUES (?1, ?2, ?3, "
                   "'2024-03-01 09:00:00')"),
               {QStringLiteral("C%1").arg(100 + i, 4, 10, QLatin1Char('0')),
                name(nombre, apellidos, QStringLiteral("B%1").arg(9100000 + i * 37), i % towns),
                customerGroups_[i % customerGroups_.size()]})
              .toInt();
      customers_ << id;
    }
    for (int i = 0; i < DemoCatalogue::kSuppliers; ++i) {
      const QString kind = QString::fromUtf8(kSupplierKinds[i % std::size(kSupplierKinds)]);
      const QString apellidos =
          QStringLiteral("%1 %2").arg(QString::fromUtf8(kSurnames[(i * 5) % std::size(kSurnames)]),
                                      i % 2 ? QStringLiteral("S.L.") : QStringLiteral("S.A."));
      const qint32 id =
          exec(QStringLiteral(
                   "INSERT INTO Proveedores (Codigo, ID_Nombre, ID_Grupo, DiasPago, FechaAlta) VALUES "
                   "(?1, ?2, ?3, ?4, '2024-03-01 09:00:00')"),
               {QStringLiteral("P%1").arg(100 + i, 4, 10, QLatin1Char('0')),
                name(kind, apellidos, QStringLiteral("A%1").arg(4700000 + i * 53), (i * 3) % towns),
                supplierGroups_[i % supplierGroups_.size()], 30 + 30 * (i % 3)})
              .toInt();
      suppliers_ << id;
    }
    return error_->isEmpty();
  }

  bool articles() {
    const auto rs = arboles::recordsetOf(exec(
        QStringLiteral("SELECT ZolmarID, Nombre FROM Arboles WHERE Tipo=3 AND ZolmarID IN (%1)").arg([this] {
          QStringList ids;
          for (qint32 id : articleLeaves_) ids << QString::number(id);
          return ids.join(QLatin1Char(','));
        }()),
        {}, 5));
    QHash<qint32, QString> leafNames;
    while (rs && rs->Read())
      leafNames.insert(rs->Field(QStringLiteral("ZolmarID")).toInt(),
                       rs->Field(QStringLiteral("Nombre")).toString());
    for (int i = 0; i < DemoCatalogue::kArticles; ++i) {
      const qint32 leaf = articleLeaves_[i % articleLeaves_.size()];
      const int round = i / articleLeaves_.size();
      const QString nombre =
          QStringLiteral("%1 %2 %3")
              .arg(leafNames.value(leaf), QString::fromUtf8(kBrands[(i + round) % std::size(kBrands)]),
                   QString::fromUtf8(kFormats[(i * 3 + round) % std::size(kFormats)]));
      const double coste = 0.5 + (i * 37 % 2000) / 100.0;
      articles_ << exec(QStringLiteral(
                            "INSERT INTO Articulos (Codigo, Barras, Nombre, ID_Categoria1, ID_Proveedor, "
                            "PrecioCoste, PrecioVenta, IVA, Stock) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, "
                            "?8, ?9)"),
                        {QStringLiteral("A%1").arg(i + 1, 5, 10, QLatin1Char('0')), ean13(1000 + i), nombre,
                         leaf, suppliers_[i % suppliers_.size()], coste, qRound(coste * 165) / 100.0,
                         i % 5 == 0 ? 10 : 21, (i * 13) % 120})
                       .toInt();
      leafOfArticle_ << leaf;
    }
    return error_->isEmpty();
  }

  bool priceLists() {
    const QStringList names{QStringLiteral("Hostelería"), QStringLiteral("Comercio"),
                            QStringLiteral("Particulares"), QStringLiteral("Administraciones públicas")};
    for (int i = 0; i < 12; ++i) {
      const qint32 group = customerGroups_[i % customerGroups_.size()];
      const qint32 category = articleLeaves_[(i * 17) % articleLeaves_.size()];
      exec(QStringLiteral(
               "INSERT INTO Tarifas (Nombre, ID_GrupoClientes, ID_TarifaHotel, ID_Categoria, Descuento, "
               "Margen) VALUES (?1, ?2, 0, ?3, ?4, ?5)"),
           {QStringLiteral("%1 %2").arg(names[i % names.size()]).arg(2025 + i / 4), group, category,
            2 + i % 8, 25 + i % 10});
    }
    return error_->isEmpty();
  }

  // Gift baskets: each a compound article made of three others, with their categories.
  bool compounds() {
    for (int i = 0; i < 20; ++i) {
      const int basket = i * 97 % articles_.size();
      for (int k = 1; k <= 3; ++k) {
        const int part = (basket + k * 211) % articles_.size();
        exec(QStringLiteral(
                 "INSERT INTO ArtCompuestos (ID_Compuesto, ID_Articulo, ID_Categoria, Cantidad) VALUES "
                 "(?1, ?2, ?3, ?4)"),
             {articles_[basket], articles_[part], leafOfArticle_[part], k});
      }
    }
    return error_->isEmpty();
  }

  bool assignments() {
    for (int i = 0; i < customers_.size(); ++i)
      for (int k = 0; k <= i % 3; ++k)
        exec(QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (1, ?1, ?2)"),
             {customers_[i], articleLeaves_[(i * 7 + k * 31) % articleLeaves_.size()]});
    for (int i = 0; i < suppliers_.size(); ++i)
      for (int k = 0; k <= i % 2; ++k)
        exec(QStringLiteral("INSERT INTO Categorias (Tipo, ID_Quien, id_categoria) VALUES (2, ?1, ?2)"),
             {suppliers_[i], articleLeaves_[(i * 11 + k * 29) % articleLeaves_.size()]});
    return error_->isEmpty();
  }

  bool comments() {
    const char* const notes[] = {"Revisar precios cada temporada.",
                                 "Solo proveedores con certificado sanitario.",
                                 "Producto de temporada: de octubre a marzo.",
                                 "Se vende también por unidades sueltas.",
                                 "Mantener entre 0 y 4 grados.",
                                 "Precio sujeto a la lonja del lunes."};
    for (int i = 0; i < int(std::size(notes)); ++i) {
      const qint32 comment =
          exec(QStringLiteral("INSERT INTO comentarios (comentario, Usuario, Fecha) VALUES (?1, "
                              "'demo', '2024-03-01 09:00:00')"),
               {QString::fromUtf8(notes[i])})
              .toInt();
      exec(QStringLiteral("UPDATE Arboles SET id_comentario=?1 WHERE ZolmarID=?2"),
           {comment, articleLeaves_[(i * 41) % articleLeaves_.size()]}, 0);
    }
    return error_->isEmpty();
  }

  Connection& cn_;
  TreeBuilder trees_;
  QString* error_ = nullptr;
  QList<qint32> articleLeaves_, customerGroups_, supplierGroups_;
  QList<qint32> customers_, suppliers_, articles_, leafOfArticle_;
};

}  // namespace

bool DemoCatalogue::fill(Connection& cn, QString* error) {
  QString failure;
  Writer writer(cn);
  const bool ok = writer.run(&failure) && failure.isEmpty();
  if (!ok && error) *error = failure.isEmpty() ? cn.LastError() : failure;
  return ok;
}

}  // namespace zolmar
