#pragma once
// "Copias de seguridad": the copies of the company database, newest first;
// one is restored after a question, a new one made on request.

#include <QWidget>
#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace zolmar {

class AppGlobal;
class BackupService;

class FrmCopiasSeguridad : public QWidget {
  Q_OBJECT
 public:
  FrmCopiasSeguridad(std::shared_ptr<AppGlobal> app, QWidget* parent = nullptr);
  ~FrmCopiasSeguridad() override;

  // Fills the list from the folder.
  void Cargar();
  // The person's actions.
  void ClickRestaurar();
  void ClickCopiar();

  QLabel* lblCarpeta;
  QTreeWidget* lstCopias;
  QPushButton* btnCopiar;
  QPushButton* btnRestaurar;
  QPushButton* btnCerrar;

 private:
  QString tr_(const QString& text) const;

  std::shared_ptr<AppGlobal> app_;
  std::unique_ptr<BackupService> copias_;
};

}  // namespace zolmar
