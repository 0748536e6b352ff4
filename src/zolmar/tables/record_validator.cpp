#include "zolmar/tables/record_validator.h"

#include "zolmar/tables/table_access.h"
#include "zolmar/ui/get.h"

namespace zolmar {

namespace {

QString textOf(QWidget* control) {
  const auto* entry = qobject_cast<const get*>(control);
  return entry ? entry->Text() : QString();
}

}  // namespace

void RecordValidator::put(QWidget* sayID, QWidget* getName, qint32 id, const QString& name) {
  if (auto* entry = qobject_cast<get*>(sayID))
    entry->setText(id > 0 ? QString::number(id) : QStringLiteral("0"));
  if (auto* entry = qobject_cast<get*>(getName)) entry->setText(name);
}

bool RecordValidator::Validate(std::shared_ptr<arboles::IHostTableAccess> oTAZ, QWidget* sayID,
                               QWidget* getName, bool lForzarLista) {
  if (!oTAZ) return false;
  const QString typed = textOf(getName).trimmed();
  if (!lForzarLista) {
    if (typed.isEmpty()) {
      put(sayID, nullptr, 0, QString());
      return true;
    }
    const qint32 currentId = textOf(sayID).toInt();
    if (currentId > 0 && oTAZ->NameByID(currentId).compare(typed, Qt::CaseInsensitive) == 0) return true;
    bool isNumber = false;
    const qint32 number = typed.toInt(&isNumber);
    if (isNumber && number > 0) {
      const QString name = oTAZ->NameByID(number);
      if (!name.isEmpty()) {
        put(sayID, getName, number, name);
        return true;
      }
    }
    if (auto* table = dynamic_cast<TableAccess*>(oTAZ.get())) {
      const QList<qint32> ids = table->Matching(typed, 2);
      if (ids.size() == 1) {
        put(sayID, getName, ids.first(), oTAZ->NameByID(ids.first()));
        return true;
      }
    }
  }
  const qint32 chosen = oTAZ->Buscar(getName ? getName->window() : nullptr, typed);
  if (chosen <= 0) return false;
  put(sayID, getName, chosen, oTAZ->NameByID(chosen));
  return true;
}

}  // namespace zolmar
