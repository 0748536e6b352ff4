#pragma once
// The object GetFormWaiter gives: WaitFormClosed through the present user interface.

#include <memory>

#include "host/i_host_objects.h"

namespace zolmar {

class AppGlobal;

class FormWaiter : public arboles::IFormWaiter {
 public:
  explicit FormWaiter(std::weak_ptr<AppGlobal> app) : app_(std::move(app)) {}
  void WaitFormClosed(QWidget* form) override;

 private:
  std::weak_ptr<AppGlobal> app_;
};

}  // namespace zolmar
