#pragma once
// A company database file with a wide and deep article tree, operations on
// it with the parent links each leaves, and what a test of interrupted
// writes reads afterwards: the parent links, the file's own integrity check
// and the arboles program's verdict.

#include <sqlite3.h>

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <algorithm>

#include "common/host_fixture.h"

class ChoquesFixture : public HostFixture {
 public:
  using Padres = QMap<qint32, qint32>;  // node -> parent
  // One operation and the parent links it leaves when it completes.
  struct Orden {
    QStringList args;  // of the arboles program
    Padres despues;
    qint32 nuevas = 0;  // nodes an import adds
  };

 protected:
  // Parents chosen at random among the nodes already written, the levels and
  // the children of a parent kept within what a key holds.
  void Arbol(qint32 nodos) {
    QRandomGenerator azar(17);
    QVector<qint32> ids;
    QHash<qint32, qint32> hijos;
    QHash<qint32, QString> prefijo{{0, QString()}};
    cn->BeginTrans(QStringLiteral("arbol"));
    for (qint32 i = 0; i < nodos; ++i) {
      qint32 padre = 0;
      for (qint32 intento = 0; intento < 20 && !ids.isEmpty(); ++intento) {
        const qint32 p = ids[azar.bounded(ids.size())];
        if (prefijo[p].size() < 14 && hijos[p] < 255) {
          padre = p;
          break;
        }
      }
      const QString p =
          prefijo[padre] + QStringLiteral("%1").arg(++hijos[padre], 2, 16, QLatin1Char('0')).toUpper();
      const qint32 id = InsertarNodo(3, p.leftJustified(16, '0'), QStringLiteral("N%1").arg(nodos - i), padre,
                                     0, {{QStringLiteral("RutaPadre"), QStringLiteral("''")}});
      prefijo[id] = p;
      ids << id;
    }
    cn->CommitTrans(QStringLiteral("arbol"), 0);
  }

  // Every connection to the file closed, this process's included.
  void Cerrar() {
    taz.reset();
    cn.reset();
    host.reset();
  }

  Padres LeerPadres() {
    Padres padres;
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(cn->handle(), "SELECT ZolmarID, id_padre FROM Arboles WHERE Tipo=3", -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
      padres.insert(sqlite3_column_int(st, 0), sqlite3_column_int(st, 1));
    sqlite3_finalize(st);
    return padres;
  }

  QString Integridad() {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(cn->handle(), "PRAGMA integrity_check", -1, &st, nullptr);
    const QString r = sqlite3_step(st) == SQLITE_ROW
                          ? QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)))
                          : QStringLiteral("sin respuesta");
    sqlite3_finalize(st);
    return r;
  }

  // A document of one new top-level branch holding `ramas` - 1 more below it, three to a parent.
  static void Documento(const QString& ruta, const QString& prefijo, qint32 ramas) {
    QJsonArray contenido;
    for (qint32 i = 1; i <= ramas; ++i)
      contenido.append(QJsonObject{{"zolmarID", i},
                                   {"ID_RamaOriginal", i},
                                   {"ID_RamaPadreOriginal", i == 1 ? 0 : (i + 1) / 3},
                                   {"Nombre", prefijo + QString::number(i)}});
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write(QJsonDocument(QJsonObject{{"TipoDocumento", 9}, {"TipoArbol", 3}, {"Contenido", contenido}})
                .toJson());
  }

  // The exit status of the arboles program, -1 when it did not end by itself;
  // what it printed goes to *salida.
  static int Arboles(const QStringList& args, QString* salida = nullptr) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(Programa(), args);
    p.waitForFinished(120000);
    if (salida) *salida = QString::fromUtf8(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  }
  static QString Programa() { return QCoreApplication::applicationDirPath() + "/../app/arboles"; }

  static QHash<qint32, QVector<qint32>> Hijos(const Padres& padres) {
    QHash<qint32, QVector<qint32>> hijos;
    for (auto it = padres.begin(); it != padres.end(); ++it) hijos[it.value()] << it.key();
    return hijos;
  }
  static qint32 Nivel(const Padres& padres, qint32 id) {
    qint32 n = 0;
    for (; id != 0; id = padres.value(id)) ++n;
    return n;
  }
  static qint32 Altura(const QHash<qint32, QVector<qint32>>& hijos, qint32 id) {
    qint32 mayor = 0;
    for (qint32 h : hijos.value(id)) mayor = std::max(mayor, Altura(hijos, h));
    return mayor + 1;
  }

  // A branch under a node outside it that has room for it.
  Orden Mover(const Padres& padres, QRandomGenerator& azar) {
    const auto hijos = Hijos(padres);
    const QVector<qint32> ids = padres.keys().toVector();
    for (;;) {
      const qint32 nodo = ids[azar.bounded(ids.size())];
      const qint32 destino = ids[azar.bounded(ids.size())];
      qint32 n = destino;
      while (n != 0 && n != nodo) n = padres.value(n);
      if (n == nodo || padres.value(nodo) == destino || hijos.value(destino).size() >= 255 ||
          Nivel(padres, destino) + Altura(hijos, nodo) > 8)
        continue;
      Padres despues = padres;
      despues[nodo] = destino;
      return {{"move", QString::number(nodo), QString::number(destino)}, despues};
    }
  }

  // Two leaves: the origin goes.
  Orden Unir(const Padres& padres, QRandomGenerator& azar) {
    const auto hijos = Hijos(padres);
    QVector<qint32> hojas;
    for (auto it = padres.begin(); it != padres.end(); ++it)
      if (!hijos.contains(it.key())) hojas << it.key();
    const qint32 origen = hojas[azar.bounded(hojas.size())];
    qint32 destino = origen;
    while (destino == origen) destino = hojas[azar.bounded(hojas.size())];
    Padres despues = padres;
    despues.remove(origen);
    return {{"merge", QString::number(origen), QString::number(destino), "--delete"}, despues};
  }

  // A document of new branches written beside the database.
  static Orden Importar(const QString& ruta, const QString& prefijo, qint32 ramas) {
    Documento(ruta, prefijo, ramas);
    Orden orden{{"import", ruta}, {}, ramas};
    return orden;
  }

  // Empty when the links are those before the run, or those after it.
  static QString Resultado(const Padres& antes, const Orden& orden, const Padres& ahora) {
    if (ahora == antes || (orden.nuevas == 0 && ahora == orden.despues)) return {};
    if (orden.nuevas == 0) return QStringLiteral("enlaces a medio cambiar");
    for (auto it = antes.begin(); it != antes.end(); ++it)
      if (ahora.value(it.key(), -1) != it.value()) return QStringLiteral("nodo %1 cambiado").arg(it.key());
    if (ahora.size() != antes.size() + orden.nuevas)
      return QStringLiteral("%1 ramas importadas de %2").arg(ahora.size() - antes.size()).arg(orden.nuevas);
    return {};
  }
};
