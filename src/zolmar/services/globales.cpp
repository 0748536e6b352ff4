#include "zolmar/services/globales.h"

#include "zolmar/db/connection.h"
#include "zolmar/db/ficha_db.h"
#include "zolmar/db/insert_builder.h"
#include "zolmar/db/list_object.h"
#include "zolmar/db/rows/memory_row_set.h"
#include "zolmar/ui/id_daz.h"
#include "zolmar/ui/number_daz.h"
#include "zolmar/ui/status_daz.h"
#include "zolmar/ui/text_daz.h"

namespace zolmar {

std::shared_ptr<arboles::IConnection> Globales::GetConnection() { return cn_; }

std::shared_ptr<arboles::IConnection> Globales::OpenConnection(const QString& database) {
  lastError_.clear();
  auto other = cn_->openDatabase(database, &lastError_);
  return other;
}

std::shared_ptr<arboles::IFichaDB> Globales::CreateFichaDB() { return std::make_shared<FichaDB>(); }

std::shared_ptr<arboles::IListObject> Globales::CreateListObject() { return std::make_shared<ListObject>(); }

arboles::RecordsetPtr Globales::CreateRecordset(const arboles::RecordsetFields& fields) {
  return std::make_shared<MemoryRowSet>(fields);
}

std::shared_ptr<arboles::I_DAZ> Globales::CreateIdDAZ(const QString& name) {
  return std::make_shared<IdDAZ>(name);
}

std::shared_ptr<arboles::I_DAZ> Globales::CreateStatusDAZ(const QString& name) {
  return std::make_shared<StatusDAZ>(name);
}

std::shared_ptr<arboles::INumberDAZ> Globales::CreateNumberDAZ() { return std::make_shared<NumberDAZ>(); }

std::shared_ptr<arboles::ITextDAZ> Globales::CreateTextDAZ() { return std::make_shared<TextDAZ>(); }

std::shared_ptr<arboles::IInsertBuilder> Globales::CreateInsertBuilder(
    std::shared_ptr<arboles::IConnection> cn, const QString& table) {
  return std::make_shared<InsertBuilder>(cn ? cn : cn_, table);
}

}  // namespace zolmar
