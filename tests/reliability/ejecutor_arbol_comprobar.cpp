// EjecutorArbol: the comparison of the database with the model.

#include <QRegularExpression>

#include "ejecutor_arbol.h"
#include "zolmar/db/connection.h"
#include "zolmar/host.h"
#include "zolmar/services/scripted_user_interface.h"

namespace {

struct Fila {
  QString clave, nombre, ruta;
  qint32 padre = 0;
  bool borrado = false;
};

qint32 NivelDe(const QString& clave) {
  qint32 nivel = 0;
  while (nivel < 8 && clave.mid(2 * nivel, 2) != QLatin1String("00")) ++nivel;
  return nivel;
}

}  // namespace

QString EjecutorArbol::ComprobarClaves(const QMap<qint32, QString>& claves) const {
  static const QRegularExpression forma(QStringLiteral("^([0-9A-F]{2}){8}$"));
  for (auto it = claves.begin(); it != claves.end(); ++it) {
    const qint32 id = it.key();
    const QString& clave = it.value();
    if (!forma.match(clave).hasMatch())
      return QStringLiteral("clave mal formada de %1: '%2'").arg(Nodo(id), clave);
    const qint32 nivel = NivelDe(clave);
    if (nivel != modelo_.Nivel(id))
      return QStringLiteral("%1 en el nivel %2 según su clave %3, %4 según sus padres")
          .arg(Nodo(id))
          .arg(nivel)
          .arg(clave)
          .arg(modelo_.Nivel(id));
    if (clave.mid(2 * nivel).count(QLatin1Char('0')) != 16 - 2 * nivel)
      return QStringLiteral("clave de %1 con segmentos tras un 00: %2").arg(Nodo(id), clave);
    const qint32 padre = modelo_.Padre(id);
    const QString prefijo = padre ? claves.value(padre).left(2 * (nivel - 1)) : QString();
    if (!clave.startsWith(prefijo))
      return QStringLiteral("clave %1 de %2 fuera de la de su padre %3")
          .arg(clave, Nodo(id), claves.value(padre));
  }
  QVector<qint32> padres = modelo_.Nodos();
  padres.prepend(0);
  for (qint32 padre : padres) {
    const auto& hijos = modelo_.Hijos(padre);
    for (qsizetype i = 1; i < hijos.size(); ++i)
      if (claves.value(hijos[i - 1]) >= claves.value(hijos[i]))
        return QStringLiteral("hermanos fuera de orden o repetidos bajo %1: %2 (%3) antes que %4 (%5)")
            .arg(Nodo(padre), Nodo(hijos[i - 1]), claves.value(hijos[i - 1]), Nodo(hijos[i]),
                 claves.value(hijos[i]));
  }
  return {};
}

arboles::SqlArray EjecutorArbol::Leer(const QString& sql, const QVariantList& valores) const {
  const QVariant filas = cn_->executeNative(sql, 4, QVariant(), valores);
  return arboles::isSqlArray(filas) ? filas.value<arboles::SqlArray>() : arboles::SqlArray();
}

qint64 EjecutorArbol::Numero(const QString& sql) const {
  const arboles::SqlArray filas = Leer(sql);
  return filas.rows ? filas.at(0, 0).toLongLong() : -1;
}

QString EjecutorArbol::Comprobar() {
  QMap<qint32, Fila> filas;
  const arboles::SqlArray leidas = Leer(
      QStringLiteral("SELECT ZolmarID, Clave, Nombre, id_padre, RutaPadre, Activo FROM Arboles WHERE Tipo=%1")
          .arg(tipo_));
  for (qint32 r = 0; r < leidas.rows; ++r)
    filas.insert(leidas.at(0, r).toInt(),
                 {leidas.at(1, r).toString(), leidas.at(2, r).toString(), leidas.at(4, r).toString(),
                  leidas.at(3, r).toInt(), (leidas.at(5, r).toInt() & 2) != 0});
  QMap<qint32, QString> claves;
  for (qint32 id : modelo_.Nodos()) {
    if (!filas.contains(id)) return QStringLiteral("perdido el nodo %1").arg(Nodo(id));
    const Fila& f = filas[id];
    if (f.padre != modelo_.Padre(id))
      return QStringLiteral("%1 cuelga de %2, debería de %3")
          .arg(Nodo(id))
          .arg(f.padre)
          .arg(modelo_.Padre(id));
    if (f.nombre != modelo_.Nombre(id)) return QStringLiteral("%1 se llama '%2'").arg(Nodo(id), f.nombre);
    if (f.borrado != modelo_.Borrado(id))
      return QStringLiteral("%1 %2 la marca de BORRADO").arg(Nodo(id), f.borrado ? "tiene" : "no tiene");
    if (f.ruta != modelo_.Ruta(id))
      return QStringLiteral("RutaPadre de %1 es '%2', debería ser '%3'")
          .arg(Nodo(id), f.ruta, modelo_.Ruta(id));
    claves.insert(id, f.clave);
  }
  for (auto it = filas.begin(); it != filas.end(); ++it)
    if (!modelo_.Existe(it.key())) return QStringLiteral("nodo %1 '%2' de más").arg(it.key()).arg(it->nombre);
  if (QString e = ComprobarClaves(claves); !e.isEmpty()) return e;
  if (QString e = ComprobarReferencias(); !e.isEmpty()) return e;
  if (const qint64 n = Numero(QStringLiteral("SELECT COUNT(*) FROM ZolmarBloqueos")); n != 0)
    return QStringLiteral("%1 bloqueos sin liberar").arg(n);
  if (cn_->transactionDepth() != 0) return QStringLiteral("transacción abierta");
  const auto& fallos = host_.scriptedUserInterface().failures();
  if (!fallos.isEmpty()) return QStringLiteral("interfaz: ") + fallos.join(QStringLiteral("; "));
  return {};
}

// Every record the model knows points where the model says, at a node that
// exists, no table holds a record the model does not know, and no category
// assignment points at a node the table does not hold.
QString EjecutorArbol::ComprobarReferencias() const {
  QMap<QString, qint64> porTabla;
  const auto& referencias = modelo_.TodasLasReferencias();
  for (auto it = referencias.begin(); it != referencias.end(); ++it) {
    const QString& tabla = it.key().first;
    ++porTabla[tabla];
    const qint64 nodo = Numero(QStringLiteral("SELECT %1 FROM %2 WHERE ZolmarID=%3")
                                   .arg(ModeloArbol::Columna(tabla), tabla)
                                   .arg(it.key().second));
    if (nodo == -1) return QStringLiteral("perdida la fila %1 de %2").arg(it.key().second).arg(tabla);
    if (nodo != it->nodo)
      return QStringLiteral("la fila %1 de %2 apunta a %3, debería a %4")
          .arg(it.key().second)
          .arg(tabla)
          .arg(nodo)
          .arg(it->nodo);
    if (!modelo_.Existe(it->nodo))
      return QStringLiteral("perdido el nodo %1 al que apunta la fila %2 de %3")
          .arg(it->nodo)
          .arg(it.key().second)
          .arg(tabla);
  }
  for (const char* tabla : {"Articulos", "Clientes", "Proveedores", "Tarifas", "GruposComisionesX",
                            "ArtCompuestos", "Categorias"}) {
    const qint64 n = Numero(QStringLiteral("SELECT COUNT(*) FROM %1").arg(tabla));
    if (n != porTabla.value(QString::fromLatin1(tabla)))
      return QStringLiteral("%1 filas en %2, deberían ser %3").arg(n).arg(tabla).arg(porTabla.value(tabla));
  }
  const qint64 huerfanas =
      Numero(QStringLiteral("SELECT COUNT(*) FROM Categorias C LEFT JOIN Arboles A ON "
                            "A.ZolmarID=C.id_categoria WHERE A.ZolmarID IS NULL"));
  if (huerfanas != 0) return QStringLiteral("%1 asignaciones a nodos que no existen").arg(huerfanas);
  return {};
}
