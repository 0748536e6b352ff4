#include "zolmar/services/translator.h"

#include <QStringList>

#include "host/i_connection.h"
#include "host/i_recordset.h"
#include "zolmar/services/host_table_names.h"

namespace zolmar {

QString Translator::translate(const QString& spanish) const {
  const auto it = catalogue_.constFind(spanish);
  if (it != catalogue_.constEnd()) return it.value();
  return unlisted_ ? unlisted_(spanish) : spanish;
}

void Translator::add(const QString& spanish, const QString& translated) {
  catalogue_.insert(spanish, translated);
}

bool Translator::isSpanish(const QString& language) {
  static const QStringList names = {QStringLiteral("ES"),      QStringLiteral("ES-ES"),
                                    QStringLiteral("ES_ES"),   QStringLiteral("ESP"),
                                    QStringLiteral("ESPAÑOL"), QStringLiteral("CASTELLANO")};
  const QString name = language.trimmed().toUpper();
  return name.isEmpty() || names.contains(name);
}

qint32 Translator::load(arboles::IConnection& cn, const QString& language) {
  const QString sql = QStringLiteral("SELECT Texto, Traduccion FROM %1 WHERE Idioma=%2")
                          .arg(HostTableNames::Translations, cn.SQLLiteral(language));
  auto rs = arboles::recordsetOf(cn.ExecuteSQL(sql, 5));
  if (!rs) return 0;
  qint32 n = 0;
  while (rs->Read()) {
    add(rs->Field(QStringLiteral("Texto")).toString(), rs->Field(QStringLiteral("Traduccion")).toString());
    ++n;
  }
  return n;
}

}  // namespace zolmar
