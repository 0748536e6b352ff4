#pragma once
// Builds the INSERT statement of one row.

#include <QString>
#include <QVariant>

namespace arboles {

class IInsertBuilder {
 public:
  virtual ~IInsertBuilder() = default;
  virtual void SetTable(const QString& table) = 0;
  virtual void AddField(const QString& name, const QVariant& value) = 0;
  virtual void Clear() = 0;
  virtual QString Sql() const = 0;
};

}  // namespace arboles
