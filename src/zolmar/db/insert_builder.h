#pragma once
// "INSERT INTO t (a, b) VALUES (lit, lit)" for one row, values as SQL literals.

#include <QPair>
#include <QVector>
#include <memory>

#include "host/i_insert_builder.h"

namespace arboles {
class IConnection;
}

namespace zolmar {

class InsertBuilder : public arboles::IInsertBuilder {
 public:
  InsertBuilder(std::shared_ptr<arboles::IConnection> cn, const QString& table)
      : cn_(std::move(cn)), table_(table) {}

  void SetTable(const QString& table) override { table_ = table; }
  // A field added twice keeps its last value.
  void AddField(const QString& name, const QVariant& value) override;
  void Clear() override { fields_.clear(); }
  QString Sql() const override;
  // Runs the statement; the new id, or 0 on failure (the connection's HasError tells why).
  qint32 Execute();

 private:
  std::shared_ptr<arboles::IConnection> cn_;
  QString table_;
  QVector<QPair<QString, QVariant>> fields_;
};

}  // namespace zolmar
