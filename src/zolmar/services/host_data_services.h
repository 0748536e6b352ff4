#pragma once
// The services the host keeps in its own tables: window permissions, the
// company configuration, the change log and the comments store.

#include <QString>
#include <QVariantMap>
#include <memory>

namespace arboles {
class IConnection;
}

namespace zolmar {

class HostDataServices {
 public:
  explicit HostDataServices(std::shared_ptr<arboles::IConnection> cn) : cn_(std::move(cn)) {}

  // A window is refused by a stored row for the user (or for every user,
  // "*") with Permitido 0; the user's own row wins. A query that fails
  // refuses too, with the connection's error in error.
  bool windowAllowed(const QString& user, const QString& windowName, QString* error = nullptr) const;
  void setWindowAllowed(const QString& user, const QString& windowName, bool allowed);

  QVariantMap configuration() const;
  void setConfiguration(const QString& key, const QString& value);

  // False when the row could not be written.
  bool logChange(const QString& user, qint32 kind, const QString& table, qint32 id,
                 const QString& description, const QString& groupWord);

  // True for id 0 (nothing to delete) and when the row is gone.
  bool deleteComment(qint32 id);

 private:
  std::shared_ptr<arboles::IConnection> cn_;
};

}  // namespace zolmar
