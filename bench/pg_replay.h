#pragma once
// The baseline of the server's benchmarks: the statements an operation of the
// module sent to PostgreSQL, captured as they went (transactions, savepoints
// and cursors included), replayed on bare libpq against a company filled the
// same way, every value of every result read as the engine reads it.

#include <libpq-fe.h>

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <cstdlib>
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

// The statements replayed on the schema esquema of the server, the time
// they took. A quoted name of the capturing schema (origen) in them names
// esquema instead. A statement the server refuses throws its message.
inline double reproducir(const QString& servidor, const QString& origen, const QString& esquema,
                         const std::vector<Capturada>& sentencias) {
  const std::unique_ptr<PGconn, void (*)(PGconn*)> cn(PQconnectdb(servidor.toUtf8().constData()), PQfinish);
  if (PQstatus(cn.get()) != CONNECTION_OK) throw std::runtime_error(PQerrorMessage(cn.get()));
  // Oid is the engine's unsigned type oid.
  const auto ejecutar = [&](const QByteArray& sql, const std::vector<const char*>& valores,
                            const std::vector<unsigned>& tipos) {
    PGresult* r = PQexecParams(cn.get(), sql.constData(), static_cast<int>(valores.size()), tipos.data(),
                               valores.data(), nullptr, nullptr, 0);
    const ExecStatusType estado = PQresultStatus(r);
    if (estado != PGRES_COMMAND_OK && estado != PGRES_TUPLES_OK) {
      const std::string mensaje = sql.left(200).toStdString() + ": " + PQresultErrorMessage(r);
      PQclear(r);
      throw std::runtime_error(mensaje);
    }
    const qsizetype leidos = leerResultado(r);
    PQclear(r);
    return leidos;
  };
  QByteArray nombre = esquema.toUtf8();
  nombre.replace('"', "\"\"");
  ejecutar("SET client_encoding TO 'UTF8'", {}, {});
  ejecutar("SET search_path TO \"" + nombre + "\"", {}, {});
  QByteArray deOrigen = origen.toUtf8();
  deOrigen.replace('"', "\"\"");
  deOrigen = '"' + deOrigen + '"';
  std::vector<QByteArray> textos;
  for (const Capturada& s : sentencias)
    textos.push_back(QByteArray(s.sql).replace(deOrigen, '"' + nombre + '"'));
  std::vector<std::vector<const char*>> valores;
  for (const Capturada& s : sentencias) {
    valores.emplace_back();
    for (const auto& v : s.valores) valores.back().push_back(v ? v->constData() : nullptr);
  }
  QElapsedTimer reloj;
  reloj.start();
  qsizetype leidos = 0;
  for (size_t i = 0; i < sentencias.size(); ++i)
    leidos += ejecutar(textos[i], valores[i], sentencias[i].tipos);
  const double ms = static_cast<double>(reloj.nsecsElapsed()) / 1e6;
  leidosEnReproducciones += leidos;
  return ms;
}

}  // namespace bench
