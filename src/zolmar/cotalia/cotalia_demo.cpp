#include "zolmar/cotalia/cotalia_demo.h"

#include <QDir>
#include <QFile>
#include <vector>

#include "zolmar/cotalia/clasificacion_csv.h"
#include "zolmar/cotalia/cotalia.h"
#include "zolmar/db/connection.h"

namespace zolmar {

namespace {

struct Familia {
  const char* nombre;
  std::vector<const char*> subfamilias;
};

struct Sector {
  const char* nombre;
  const char* criterio;
  std::vector<Familia> familias;
};

const std::vector<Sector>& clasificacion() {
  static const std::vector<Sector> sectores = {
      {"Alimentación",
       "Familias",
       {{"Conservas", {"Conservas de pescado", "Conservas vegetales", "Platos preparados", "Encurtidos"}},
        {"Lácteos", {"Leche", "Yogures y postres", "Quesos", "Mantequillas y natas"}},
        {"Charcutería", {"Embutidos curados", "Jamones y paletas", "Fiambres cocidos", "Patés"}},
        {"Aceites y vinagres", {"Aceite de oliva virgen extra", "Aceite de girasol", "Vinagres"}},
        {"Pastas, arroces y legumbres", {"Pasta seca", "Arroces", "Legumbres secas", "Legumbres cocidas"}},
        {"Panadería y bollería", {"Pan de molde", "Bollería industrial", "Galletas", "Tostadas y picos"}},
        {"Desayuno", {"Cafés", "Infusiones", "Cacao soluble", "Cereales", "Mermeladas y miel"}}}},
      {"Bebidas",
       "Familias",
       {{"Vinos", {"Tintos", "Blancos", "Rosados", "Espumosos y cavas", "Generosos"}},
        {"Cervezas", {"Cerveza rubia", "Cerveza tostada", "Cerveza sin alcohol", "Cervezas artesanas"}},
        {"Refrescos", {"Colas", "Naranja y limón", "Tónicas y gaseosas", "Bebidas isotónicas"}},
        {"Aguas", {"Agua mineral", "Agua de manantial", "Agua con gas", "Aguas saborizadas"}},
        {"Zumos y néctares", {"Zumos de fruta", "Néctares", "Bebidas vegetales"}},
        {"Licores y destilados", {"Brandy", "Whisky", "Ginebra", "Ron", "Orujos y pacharán"}}}},
      {"Droguería",
       "Familias",
       {{"Limpieza del hogar", {"Lavavajillas", "Limpiadores multiusos", "Lejías", "Ambientadores"}},
        {"Cuidado de la ropa", {"Detergentes", "Suavizantes", "Quitamanchas"}},
        {"Papel y celulosa", {"Papel higiénico", "Papel de cocina", "Servilletas", "Pañuelos"}},
        {"Insecticidas", {"Insecticidas voladores", "Insecticidas rastreros", "Antipolillas"}},
        {"Utensilios de limpieza", {"Fregonas y cubos", "Estropajos", "Bayetas", "Guantes"}}}},
      {"Perfumería e higiene",
       "Familias",
       {{"Higiene corporal", {"Geles de baño", "Desodorantes", "Jabones de manos"}},
        {"Cuidado del cabello", {"Champús", "Acondicionadores", "Fijadores", "Tintes"}},
        {"Higiene bucal", {"Pastas dentífricas", "Cepillos de dientes", "Colutorios"}},
        {"Afeitado", {"Cuchillas", "Espumas y geles de afeitar", "Lociones para después del afeitado"}},
        {"Cuidado infantil", {"Pañales", "Toallitas", "Colonias infantiles"}}}},
      {"Congelados",
       "Familias",
       {{"Verduras congeladas", {"Verduras al natural", "Salteados", "Patatas prefritas"}},
        {"Pescados congelados", {"Pescado blanco", "Mariscos", "Cefalópodos"}},
        {"Platos preparados congelados", {"Pizzas", "Croquetas y empanadillas", "Lasañas y canelones"}},
        {"Helados", {"Tarrinas", "Bombones helados", "Polos", "Conos y sándwiches"}}}},
      {"Frutas y verduras",
       "Familias",
       {{"Frutas", {"Cítricos", "Frutas de temporada", "Frutas tropicales", "Frutas del bosque"}},
        {"Verduras y hortalizas", {"Hortalizas de hoja", "Tubérculos", "Setas", "Verduras de IV gama"}},
        {"Frutos secos", {"Almendras y nueces", "Pipas y cacahuetes", "Frutas desecadas"}}}},
  };
  return sectores;
}

QString campo(const QString& texto) {
  if (!texto.contains(QLatin1Char(';')) && !texto.contains(QLatin1Char('"'))) return texto;
  return QLatin1Char('"') + QString(texto).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
         QLatin1Char('"');
}

QString linea(qint32 id, qint32 idPadre, const char* nombre, const char* criterio, qint32 idIT,
              qint32 nivel) {
  return QStringList{QString::number(id),
                     QString::number(idPadre),
                     campo(QString::fromUtf8(nombre)),
                     campo(QString::fromUtf8(criterio)),
                     QString::number(idIT),
                     QString::number(nivel)}
      .join(QLatin1Char(';'));
}

}  // namespace

// The service numbers its categories by sector (thousands), family
// (hundreds) and subfamily (units), the codes ID_IT carries.
QStringList CotaliaDemo::Lineas() {
  QStringList lineas{ClasificacionCsv::kCabecera.join(QLatin1Char(';'))};
  qint32 id = 0;
  qint32 s = 0;
  for (const Sector& sector : clasificacion()) {
    const qint32 idSector = ++id;
    const qint32 codigoSector = ++s * 10000;
    lineas << linea(idSector, 0, sector.nombre, sector.criterio, codigoSector, 0);
    qint32 f = 0;
    for (const Familia& familia : sector.familias) {
      const qint32 idFamilia = ++id;
      const qint32 codigoFamilia = codigoSector + ++f * 100;
      lineas << linea(idFamilia, idSector, familia.nombre, "Subfamilias", codigoFamilia, 1);
      qint32 n = 0;
      for (const char* subfamilia : familia.subfamilias)
        lineas << linea(++id, idFamilia, subfamilia, "", codigoFamilia + ++n, 2);
    }
  }
  return lineas;
}

bool CotaliaDemo::Instalar(Connection& cn, QString* error) {
  const QString carpeta = cn.serverFolder().isEmpty() ? QDir::tempPath() : cn.serverFolder();
  const QString ruta = QDir(carpeta).filePath(QString::fromLatin1(kFichero));
  QFile file(ruta);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    if (error) *error = QStringLiteral("%1: %2").arg(ruta, file.errorString());
    return false;
  }
  file.write((Lineas().join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
  file.close();
  cn.ExecuteSQL(QStringLiteral("DELETE FROM ZolmarConfig WHERE Clave=") +
                    cn.SQLLiteral(QString::fromLatin1(cCotalia::kConfigKey)) +
                    QStringLiteral(" ; INSERT INTO ZolmarConfig (Clave, Valor) VALUES (") +
                    cn.SQLLiteral(QString::fromLatin1(cCotalia::kConfigKey)) + QStringLiteral(", ") +
                    cn.SQLLiteral(ruta) + QStringLiteral(")"),
                1, QVariant());
  if (cn.HasError()) {
    if (error) *error = cn.LastError();
    return false;
  }
  return true;
}

}  // namespace zolmar
