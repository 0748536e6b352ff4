#include "zolmar/services/form_waiter.h"

#include "zolmar/services/app_global.h"
#include "zolmar/services/user_interface.h"

namespace zolmar {

void FormWaiter::WaitFormClosed(QWidget* form) {
  if (auto app = app_.lock()) app->userInterface().waitFormClosed(form);
}

}  // namespace zolmar
