#pragma once
// The comments object of a window: edits one row of the comments table.

#include <memory>

#include "host/i_host_objects.h"

namespace arboles {
class IConnection;
}

namespace zolmar {

class Comments : public arboles::IComments {
 public:
  void Configure(std::shared_ptr<arboles::IGlobales> oGlobales,
                 std::shared_ptr<arboles::IAppGlobal> oAppGlobal) override;
  // Accepting an empty text deletes the comment (0 is returned); cancelling
  // keeps the id it was given.
  qint32 EditComment(QWidget* parent, qint32 idComentario) override;

  // Writes the text of a comment; returns its id (new when id is 0), 0 when
  // the text is empty or the write failed.
  qint32 Store(qint32 idComentario, const QString& text);
  QString Read(qint32 idComentario) const;

 private:
  std::shared_ptr<arboles::IConnection> cn_;
  std::shared_ptr<arboles::IAppGlobal> app_;
};

}  // namespace zolmar
