#include "fault_injector.h"

#include "connection.h"

namespace zolmar {

FaultInjector::FaultInjector(std::shared_ptr<Connection> cn, qint32 failAt)
    : cn_(std::move(cn)), state_(std::make_shared<State>()) {
  state_->failAt = failAt;
  cn_->setStatementFault([state = state_] { return ++state->seen == state->failAt; });
}

FaultInjector::~FaultInjector() { cn_->setStatementFault({}); }

}  // namespace zolmar
