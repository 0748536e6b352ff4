#include "zolmar/db/engine/odbc_batch.h"

namespace zolmar {

qsizetype OdbcBatch::skipQuoted(const QString& sql, qsizetype i) {
  const QChar open = sql[i];
  const QChar close = open == '[' ? QChar(']') : open;
  for (qsizetype j = i + 1; j < sql.size(); ++j) {
    if (sql[j] != close) continue;
    // A doubled closing character stands for itself inside the run.
    if (j + 1 < sql.size() && sql[j + 1] == close) {
      ++j;
      continue;
    }
    return j + 1;
  }
  return sql.size();
}

QStringList OdbcBatch::split(const QString& sql) {
  QStringList statements;
  qsizetype start = 0;
  qsizetype i = 0;
  auto cut = [&](qsizetype end) {
    const QString s = sql.mid(start, end - start).trimmed();
    if (!s.isEmpty()) statements << s;
  };
  while (i < sql.size()) {
    const QChar c = sql[i];
    if (c == '\'' || c == '"' || c == '[') {
      i = skipQuoted(sql, i);
    } else if (c == '-' && sql.mid(i, 2) == QLatin1String("--")) {
      const qsizetype eol = sql.indexOf('\n', i);
      i = eol < 0 ? sql.size() : eol + 1;
    } else if (c == '/' && sql.mid(i, 2) == QLatin1String("/*")) {
      const qsizetype end = sql.indexOf(QLatin1String("*/"), i + 2);
      i = end < 0 ? sql.size() : end + 2;
    } else if (c == ';') {
      cut(i);
      start = ++i;
    } else {
      ++i;
    }
  }
  cut(sql.size());
  return statements;
}

bool OdbcBatch::positional(const QString& sql, const QVariantList& params, QString* text,
                           QVariantList* ordered) {
  text->clear();
  ordered->clear();
  qsizetype i = 0;
  while (i < sql.size()) {
    const QChar c = sql[i];
    if (c == '\'' || c == '"' || c == '[') {
      const qsizetype end = skipQuoted(sql, i);
      *text += sql.mid(i, end - i);
      i = end;
      continue;
    }
    if (c != '?') {
      *text += c;
      ++i;
      continue;
    }
    qsizetype j = i + 1;
    while (j < sql.size() && sql[j].isDigit()) ++j;
    const qsizetype number = j > i + 1 ? sql.mid(i + 1, j - i - 1).toLongLong() : ordered->size() + 1;
    if (number < 1 || number > params.size()) return false;
    *text += '?';
    ordered->push_back(params[number - 1]);
    i = j;
  }
  return true;
}

}  // namespace zolmar
