#pragma once
// Holds the host's table lock for a scope: released on every exit, the
// exceptional one included.

#include <QString>
#include <memory>

namespace arboles {

class IAppGlobal;

class BloqueoTabla {
 public:
  // Kind 3 and lock kind 3: the lock whole-tree rewrites take; the document
  // import asks with lock kind 2. The release is always of kind 3.
  BloqueoTabla(std::shared_ptr<IAppGlobal> oAppGlobal, const QString& tabla, const QString& filtro,
               qint32 tipoBloqueo = 3);
  ~BloqueoTabla();
  BloqueoTabla(const BloqueoTabla&) = delete;
  BloqueoTabla& operator=(const BloqueoTabla&) = delete;

  // False when another user holds a conflicting lock.
  bool Obtenido() const { return obtenido_; }

 private:
  std::shared_ptr<IAppGlobal> oAppGlobal_;
  QString tabla_;
  QString filtro_;
  bool obtenido_ = false;
};

}  // namespace arboles
