#pragma once
// The PostgreSQL engine through libpq. One PostgreSQL database is the
// "server"; each database of it (the company, ZolmarInstalacion,
// Zolmar_Cons#N) is a schema, named by the connection text's "empresa"
// parameter: postgresql://usuario@servidor/zolmar?empresa=Empresa.
// The module's T-SQL goes through the translator's PostgreSQL dialect; the
// host's own SQL runs with ?1, ?2 values as $1, $2.

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "zolmar/db/engine/backend.h"

struct pg_conn;

namespace zolmar {

class PgColumnTypes;

class PgBackend : public Backend {
 public:
  // Whether the text names a PostgreSQL server ("postgresql://", "postgres://").
  static bool names(const QString& location);
  // Null with *error when the server cannot be reached.
  static std::unique_ptr<PgBackend> connect(const QString& location, QString* error);
  ~PgBackend() override;
  PgBackend(const PgBackend&) = delete;
  PgBackend& operator=(const PgBackend&) = delete;

  TSqlTranslator* translator() override { return translator_.get(); }
  void schemaChanged() override;
  bool adaptNative(QString* sql, QVector<QVariant>* params, QString* error) override;
  bool run(const QString& sql, const QVector<QVariant>& params, Fetch fetch, StatementResult* out,
           QString* error) override;
  bool stream(const QString& sql, const QVector<QVariant>& params, const RowCallback& onRow,
              QString* error) override;
  bool begin(const QString& name, bool* outermost, QString* error) override;
  bool commit(const QString& name, bool outermost, QString* error) override;
  bool rollback(const QString& name, bool outermost, QString* error) override;
  QString databaseName() const override { return schema_; }
  QString serverSession() override;
  bool serverSessionAlive(const QString& session) override;
  QString locationOf(const QString& name, QString* error) const override;

  // The location with the schema replaced.
  static QString withSchema(const QString& location, const QString& schema);

  // Sees every statement of every connection exactly as it goes to the
  // server (text, values, type oids), transactions and cursors included: the
  // benchmarks replay them on bare libpq. None while empty.
  using StatementTrace =
      std::function<void(const QByteArray& sql, const std::vector<std::optional<QByteArray>>& values,
                         const std::vector<unsigned>& types)>;
  static void setStatementTrace(StatementTrace trace);

 private:
  PgBackend() = default;
  struct Result;
  bool exec(const QString& sql, const QVector<QVariant>& params, Result* result, QString* error) const;
  bool command(const QString& sql, QString* error) const;

  pg_conn* conn_ = nullptr;
  QString location_;
  QString schema_;
  std::shared_ptr<PgColumnTypes> columnTypes_;
  std::unique_ptr<TSqlTranslator> translator_;
  int cursors_ = 0;  // open streaming reads, each its own cursor
};

}  // namespace zolmar
