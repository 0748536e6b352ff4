#pragma once
// The baseline of the server's benchmarks: the statements an operation of the
// module sent to PostgreSQL, captured as they went (transactions, savepoints
// and cursors included), replayed on bare libpq against a company filled the
// same way, every value of every result read as the engine reads it.

#include <libpq-fe.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "zolmar/db/engine/pg_backend.h"

namespace bench {

struct Capturada {
  QByteArray sql;
  std::vector<std::optional<QByteArray>> valores;
  std::vector<unsigned> tipos;
};

// The statements fn sends to the server.
template <typename Fn>
std::vector<Capturada> capturar(Fn&& fn) {
  std::vector<Capturada> sentencias;
  zolmar::PgBackend::setStatementTrace([&sentencias](const QByteArray& sql,
                                                     const std::vector<std::optional<QByteArray>>& valores,
                                                     const std::vector<unsigned>& tipos) {
    sentencias.push_back({sql, valores, tipos});
  });
  struct Fin {
    ~Fin() { zolmar::PgBackend::setStatementTrace({}); }
  } fin;
  fn();
  return sentencias;
}

// What the replays read, kept so that none of the reading is optimised away.
inline qsizetype leidosEnReproducciones = 0;

// Every value of a result turned into what the engine makes of it: numbers
// parsed, booleans and texts decoded.
inline qsizetype leerResultado(const PGresult* r) {
  qsizetype leidos = 0;
  const int filas = PQntuples(r), columnas = PQnfields(r);
  for (int c = 0; c < columnas; ++c) {
    const Oid tipo = PQftype(r, c);
    for (int f = 0; f < filas; ++f) {
      if (PQgetisnull(r, f, c)) continue;
      const char* v = PQgetvalue(r, f, c);
      switch (tipo) {
        case 16:  // bool
          leidos += v[0] == 't';
          break;
        case 20:  // bigint, smallint, int
        case 21:
        case 23:
          leidos += std::strtoll(v, nullptr, 10) != 0;
          break;
        case 700:  // real, double, numeric
        case 701:
        case 1700:
          leidos += std::strtod(v, nullptr) != 0;
          break;
        default:
          leidos += QString::fromUtf8(v, PQgetlength(r, f, c)).size();
      }
    }
  }
  return leidos;
}

// A bare libpq connection to the schema esquema of the server, replaying
// captured statements. A quoted name of the capturing schema (origen) in them
// names esquema instead.
class Reproduccion {
 public:
  Reproduccion(const QString& servidor, const QString& esquema)
      : cn_(PQconnectdb(servidor.toUtf8().constData()), PQfinish), esquema_(citado(esquema)) {
    if (PQstatus(cn_.get()) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(cn_.get()));
    ejecutar("SET client_encoding TO 'UTF8'", {}, {});
    ejecutar("SET search_path TO " + esquema_, {}, {});
  }

  // The statements planned once each (EXPLAIN runs nothing): the connection
  // comes to know the tables, indexes and collation, as the module's had by
  // the time it was measured.
  void calentar(const std::vector<Capturada>& sentencias, const QString& origen) {
    static const QRegularExpression planificable(
        QStringLiteral("^\\s*(SELECT|INSERT|UPDATE|DELETE|DECLARE)\\s"),
        QRegularExpression::CaseInsensitiveOption);
    QSet<QByteArray> vistas;
    for (const Capturada& s : sentencias) {
      if (vistas.contains(s.sql) || !planificable.match(QString::fromUtf8(s.sql)).hasMatch()) continue;
      vistas.insert(s.sql);
      std::vector<const char*> valores;
      for (const auto& v : s.valores) valores.push_back(v ? v->constData() : nullptr);
      PQclear(PQexecParams(cn_.get(), "EXPLAIN " + texto(s, origen), static_cast<int>(valores.size()),
                           s.tipos.data(), valores.data(), nullptr, nullptr, 0));
    }
  }

  // The time the statements took, every value of every result read and
  // handed to alLeer. A statement the server refuses throws its message.
  double reproducir(const std::vector<Capturada>& sentencias, const QString& origen,
                    const std::function<void(const PGresult*)>& alLeer) {
    std::vector<QByteArray> textos;
    std::vector<std::vector<const char*>> valores;
    for (const Capturada& s : sentencias) {
      textos.push_back(texto(s, origen));
      valores.emplace_back();
      for (const auto& v : s.valores) valores.back().push_back(v ? v->constData() : nullptr);
    }
    QElapsedTimer reloj;
    reloj.start();
    qsizetype leidos = 0;
    for (size_t i = 0; i < sentencias.size(); ++i)
      leidos += ejecutar(textos[i], valores[i], sentencias[i].tipos, alLeer);
    const double ms = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
    leidosEnReproducciones += leidos;
    return ms;
  }

 private:
  static QByteArray citado(const QString& nombre) { return '"' + nombre.toUtf8().replace('"', "\"\"") + '"'; }

  QByteArray texto(const Capturada& s, const QString& origen) const {
    return QByteArray(s.sql).replace(citado(origen), esquema_);
  }

  // Oid is the engine's unsigned type oid.
  qsizetype ejecutar(const QByteArray& sql, const std::vector<const char*>& valores,
                     const std::vector<unsigned>& tipos,
                     const std::function<void(const PGresult*)>& alLeer = nullptr) {
    PGresult* r = PQexecParams(cn_.get(), sql.constData(), static_cast<int>(valores.size()), tipos.data(),
                               valores.data(), nullptr, nullptr, 0);
    const ExecStatusType estado = PQresultStatus(r);
    if (estado != PGRES_COMMAND_OK && estado != PGRES_TUPLES_OK) {
      const std::string mensaje = sql.left(200).toStdString() + ": " + PQresultErrorMessage(r);
      PQclear(r);
      throw std::runtime_error(mensaje);
    }
    const qsizetype leidos = leerResultado(r);
    if (alLeer) alLeer(r);
    PQclear(r);
    return leidos;
  }

  std::unique_ptr<PGconn, void (*)(PGconn*)> cn_;
  QByteArray esquema_;
};

}  // namespace bench
