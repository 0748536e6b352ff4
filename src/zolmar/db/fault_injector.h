#pragma once
// Makes one statement of a connection fail, to prove that an operation leaves
// nothing half-written whichever statement goes wrong.
//
//   qint32 total;
//   { FaultInjector counter(cn, 0); operation(); total = counter.statements(); }
//   for (qint32 k = 1; k <= total; ++k) { FaultInjector f(cn, k); operation(); ... }

#include <QtGlobal>
#include <memory>

namespace zolmar {

class Connection;

class FaultInjector {
 public:
  // failAt: the statement (1-based) that fails, counting every statement given
  // to ExecuteSQL from now on, each one of a " ; " batch on its own; 0 fails
  // none and only counts. Transaction control and the host's own statements
  // are not counted.
  FaultInjector(std::shared_ptr<Connection> cn, qint32 failAt);
  ~FaultInjector();
  FaultInjector(const FaultInjector&) = delete;
  FaultInjector& operator=(const FaultInjector&) = delete;

  qint32 statements() const { return state_->seen; }
  bool fired() const { return state_->failAt > 0 && state_->seen >= state_->failAt; }

 private:
  struct State {
    qint32 failAt = 0;
    qint32 seen = 0;
  };
  std::shared_ptr<Connection> cn_;
  std::shared_ptr<State> state_;
};

}  // namespace zolmar
