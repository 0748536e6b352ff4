#pragma once
// A tree document imported with bare Qt and bare SQLite: the document read
// and parsed (QJsonDocument), each branch given its document key, then the
// import's statements as the host translates them, prepared once, in one
// transaction, the way the framework commits the whole import at once.

#include <sqlite3.h>

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <algorithm>
#include <vector>

#include "bench_sqlite.h"
#include "tree/clave_arbol.h"
#include "zolmar/db/connection.h"

namespace bench {

struct Rama {
  qint32 id;
  qint32 padre;
  QString nombre;
  QString claveDocumento;
};

// The document read and parsed; each branch gets its document key (its
// place among its parent's branches, in document order) from a walk down
// from the roots, and the branches are sorted by it, parents first.
inline std::vector<Rama> leerDocumento(const QString& fichero) {
  QFile f(fichero);
  f.open(QIODevice::ReadOnly);
  const QJsonArray contenido =
      QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("Contenido")).toArray();
  std::vector<Rama> ramas;
  ramas.reserve(contenido.size());
  std::vector<qint32> ids, padres;
  for (const QJsonValue& v : contenido) {
    const QJsonObject o = v.toObject();
    ramas.push_back({o.value(QStringLiteral("ID_RamaOriginal")).toInt(),
                     o.value(QStringLiteral("ID_RamaPadreOriginal")).toInt(),
                     o.value(QStringLiteral("Nombre")).toString(),
                     {}});
    ids.push_back(ramas.back().id);
    padres.push_back(ramas.back().padre);
  }
  const std::vector<QString> claves = clavesDensas(ids, padres);
  for (size_t i = 0; i < ramas.size(); ++i) ramas[i].claveDocumento = claves[i];
  std::sort(ramas.begin(), ramas.end(),
            [](const Rama& a, const Rama& b) { return a.claveDocumento < b.claveDocumento; });
  return ramas;
}

// The branches counted, the document read, then the tree locked and the
// import's statements row by row in document-key order, the lock freed inside
// the import's transaction, and the branches counted again.
inline void importar(zolmar::Connection& cn, const QString& fichero) {
  sqlite3* db = cn.handle();
  const std::vector<Rama> ramas = leerDocumento(fichero);
  Sentencia nombre(cn, "SELECT Clave FROM Arboles WHERE Tipo=3 AND Nombre='x' AND Clave LIKE '01%'");
  Sentencia mayor(cn, "SELECT MAX(SUBSTRING(Clave,3,2)) FROM Arboles WHERE Tipo=3 AND Clave LIKE '01%'");
  Sentencia padre(cn, "SELECT ZolmarID FROM Arboles WHERE Tipo=3 AND Clave LIKE '0100%'");
  Sentencia ruta(cn, "SELECT RutaPadre + Nombre FROM arboles WHERE ZolmarID=1");
  Sentencia insertar(cn,
                     "INSERT INTO Arboles (Tipo, Clave, Nombre, ID_Padre, UsoAux, RutaPadre) "
                     "VALUES (3, '0100000000000000', 'x', 0, '111111', '')");
  const QByteArray cuenta = "SELECT count(*) FROM Arboles WHERE Tipo=3";
  readAll(db, cuenta);
  bloquear(db, "Arboles");
  sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
  QString prefijo;
  for (const Rama& r : ramas) {
    prefijo = prefijo.left(r.claveDocumento.size() - 2);
    const QString existente = nombre.texto({3, r.nombre, prefijo + '%'});
    if (!existente.isEmpty()) {
      prefijo = existente;
      continue;
    }
    const QString segmento =
        arboles::ClaveArbol::SiguienteSegmento(mayor.texto({prefijo.size() + 1, 2, 3, prefijo + '%'}));
    const QString clave = arboles::ClaveArbol::Rellenar(prefijo + segmento);
    const qint32 idPadre = padre.texto({3, prefijo + "00%"}).toInt();
    QString camino = (ruta.texto({idPadre}) + ':').left(150);
    if (camino == ":") camino.clear();
    insertar.texto({3, clave, r.nombre, idPadre, QStringLiteral("111111"), camino});
    prefijo = clave;
  }
  liberar(db, "Arboles");
  sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
  readAll(db, cuenta);
}

}  // namespace bench
