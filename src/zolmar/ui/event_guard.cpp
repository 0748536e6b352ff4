#include "zolmar/ui/event_guard.h"

#include <QString>
#include <exception>

#include "host/i_app_global.h"
#include "zolmar/ui/frm_basico.h"

namespace zolmar {

namespace {

// Closes the handler's mark on every exit, the rethrowing one included.
class Mark {
 public:
  explicit Mark(std::shared_ptr<arboles::IAppGlobal> app)
      : app_(std::move(app)), mark_(app_->BeginEventHandler()) {}
  ~Mark() { app_->EndEventHandler(mark_); }
  Mark(const Mark&) = delete;
  Mark& operator=(const Mark&) = delete;
  qint32 value() const { return mark_; }

 private:
  std::shared_ptr<arboles::IAppGlobal> app_;
  qint32 mark_;
};

}  // namespace

void EventGuard::Run(QWidget* source, const std::function<void()>& handler) {
  auto* form = source ? qobject_cast<FrmBasico*>(source->window()) : nullptr;
  const std::shared_ptr<arboles::IAppGlobal> app = form ? form->AppGlobal() : nullptr;
  if (!app) {
    handler();
    return;
  }
  // The handler may close and delete its own window: the name is kept first.
  const QString formName = form->FormName();
  Mark mark(app);
  try {
    handler();
  } catch (const std::exception& e) {
    if (!app->HandleEventError(mark.value(), formName, QString::fromUtf8(e.what()))) throw;
  } catch (...) {
    if (!app->HandleEventError(mark.value(), formName, QStringLiteral("Error desconocido"))) throw;
  }
}

}  // namespace zolmar
