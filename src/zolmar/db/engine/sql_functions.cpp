#include "zolmar/db/engine/sql_functions.h"

#include <sqlite3.h>

#include <QByteArray>
#include <memory>

#include "zolmar/db/tsql/tsql_collation.h"
#include "zolmar/db/tsql/tsql_like_pattern.h"

namespace zolmar {

namespace {

const char* text(sqlite3_value* v) { return reinterpret_cast<const char*>(sqlite3_value_text(v)); }

int collate(void*, int n1, const void* p1, int n2, const void* p2) {
  return TSqlCollation::compare(static_cast<const char*>(p1), n1, static_cast<const char*>(p2), n2);
}

// Text a number can be read from: blanks, sign, digits with one decimal point, exponent.
bool readNumber(const char* s, int n, double* value) {
  QByteArray t = QByteArray(s, n).trimmed();
  if (t.isEmpty()) return false;
  int i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
  int digits = 0;
  bool point = false;
  for (; i < t.size(); ++i) {
    const char c = t[i];
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    int k = i + 1;
    if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
    if (k >= t.size()) return false;
    for (i = k; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i) {
    }
  }
  if (i != t.size()) return false;
  if (value) *value = t.toDouble();
  return true;
}

void isNumeric(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const int type = sqlite3_value_type(argv[0]);
  int result = 0;
  if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
    result = 1;
  } else if (type == SQLITE_TEXT) {
    result = readNumber(text(argv[0]), sqlite3_value_bytes(argv[0]), nullptr) ? 1 : 0;
  }
  sqlite3_result_int(ctx, result);
}

void like(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) return;
  char32_t escape = 0;
  if (argc > 2) {
    const QString e = QString::fromUtf8(text(argv[2]));
    if (e.size() != 1)
      return sqlite3_result_error(ctx, "El carácter de escape de LIKE debe ser uno solo", -1);
    escape = e[0].unicode();
  }
  const char* p = text(argv[1]);
  const int pn = sqlite3_value_bytes(argv[1]);
  auto* pattern = static_cast<TSqlLikePattern*>(sqlite3_get_auxdata(ctx, 1));
  if (!pattern || pattern->source() != QByteArray::fromRawData(p, pn) ||
      pattern->escapeCharacter() != escape) {
    pattern = new TSqlLikePattern(p, pn, escape);
    sqlite3_set_auxdata(ctx, 1, pattern, [](void* x) { delete static_cast<TSqlLikePattern*>(x); });
    pattern = static_cast<TSqlLikePattern*>(sqlite3_get_auxdata(ctx, 1));
    if (!pattern) {  // SQLite declined to keep it: match once with a local copy
      TSqlLikePattern local(p, pn, escape);
      return sqlite3_result_int(ctx, local.matches(text(argv[0]), sqlite3_value_bytes(argv[0])));
    }
  }
  sqlite3_result_int(ctx, pattern->matches(text(argv[0]), sqlite3_value_bytes(argv[0])) ? 1 : 0);
}

// The literal head of a LIKE pattern, up to its first wildcard: every match
// starts with it, so every match sorts at or after it and before the head
// followed by the greatest code point.
QByteArray likeHead(sqlite3_value* pattern) {
  const QByteArray p = QByteArray::fromRawData(text(pattern), sqlite3_value_bytes(pattern));
  qsizetype end = 0;
  while (end < p.size() && p[end] != '%' && p[end] != '_' && p[end] != '[') ++end;
  return QByteArray(p.constData(), end);
}

void likeLow(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
  const QByteArray head = likeHead(argv[0]);
  sqlite3_result_text(ctx, head.constData(), int(head.size()), SQLITE_TRANSIENT);
}

void likeHigh(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
  const QByteArray high = likeHead(argv[0]) + QByteArrayLiteral("\xF4\x8F\xBF\xBF");  // U+10FFFF
  sqlite3_result_text(ctx, high.constData(), int(high.size()), SQLITE_TRANSIENT);
}

bool numericValue(sqlite3_value* v, double* d, bool* integer) {
  const int type = sqlite3_value_type(v);
  *integer = type == SQLITE_INTEGER;
  if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
    *d = sqlite3_value_double(v);
    return true;
  }
  return readNumber(text(v), sqlite3_value_bytes(v), d);
}

// '+' whose operand types were unknown when translating: text with text
// concatenates; otherwise the text is read as a number, as the server converts it.
void add(sqlite3_context* ctx, int, sqlite3_value** argv) {
  const int ta = sqlite3_value_type(argv[0]);
  const int tb = sqlite3_value_type(argv[1]);
  if (ta == SQLITE_NULL || tb == SQLITE_NULL) return;
  const bool textA = ta == SQLITE_TEXT || ta == SQLITE_BLOB;
  const bool textB = tb == SQLITE_TEXT || tb == SQLITE_BLOB;
  if (textA && textB) {
    QByteArray joined = QByteArray(text(argv[0]), sqlite3_value_bytes(argv[0])) +
                        QByteArray(text(argv[1]), sqlite3_value_bytes(argv[1]));
    return sqlite3_result_text(ctx, joined.constData(), joined.size(), SQLITE_TRANSIENT);
  }
  if (ta == SQLITE_INTEGER && tb == SQLITE_INTEGER)
    return sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]) + sqlite3_value_int64(argv[1]));
  double a = 0, b = 0;
  bool ia = false, ib = false;
  if (!numericValue(argv[0], &a, &ia) || !numericValue(argv[1], &b, &ib)) {
    const QByteArray bad =
        QByteArray("Error al convertir el valor '") + text(textA ? argv[0] : argv[1]) + "' a un número";
    return sqlite3_result_error(ctx, bad.constData(), -1);
  }
  const double sum = a + b;
  if (!textA && !textB ? (ia && ib) : (sum == qint64(sum) && (ia || ib)))
    return sqlite3_result_int64(ctx, qint64(sum));
  sqlite3_result_double(ctx, sum);
}

// Byte offset of character index `chars` (0-based) in UTF-8 text.
int byteOffset(const char* s, int n, qint64 chars) {
  int i = 0;
  while (i < n && chars > 0) {
    ++i;
    while (i < n && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
    --chars;
  }
  return i;
}

qint64 charCount(const char* s, int n) {
  qint64 count = 0;
  for (int i = 0; i < n; ++i) count += (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80;
  return count;
}

void resultSlice(sqlite3_context* ctx, sqlite3_value* v, qint64 from, qint64 length) {
  const char* s = text(v);
  const int n = sqlite3_value_bytes(v);
  if (length <= 0 || from < 0) return sqlite3_result_text(ctx, "", 0, SQLITE_STATIC);
  const int begin = byteOffset(s, n, from);
  const int end = begin + byteOffset(s + begin, n - begin, length);
  sqlite3_result_text(ctx, s + begin, end - begin, SQLITE_TRANSIENT);
}

void right(sqlite3_context* ctx, int, sqlite3_value** argv) {
  if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) return;
  const qint64 want = sqlite3_value_int64(argv[1]);
  if (want < 0) return sqlite3_result_error(ctx, "Longitud negativa en RIGHT", -1);
  const qint64 total = charCount(text(argv[0]), sqlite3_value_bytes(argv[0]));
  resultSlice(ctx, argv[0], std::max<qint64>(0, total - want), want);
}

// SUBSTRING counts from 1; a start before 1 eats into the length.
void substring(sqlite3_context* ctx, int, sqlite3_value** argv) {
  for (int i = 0; i < 3; ++i)
    if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return;
  const qint64 start = sqlite3_value_int64(argv[1]);
  const qint64 length = sqlite3_value_int64(argv[2]);
  if (length < 0) return sqlite3_result_error(ctx, "Longitud negativa en SUBSTRING", -1);
  const qint64 first = std::max<qint64>(start, 1);
  resultSlice(ctx, argv[0], first - 1, start + length - first);
}

void changeCase(sqlite3_context* ctx, sqlite3_value* v, bool upper) {
  if (sqlite3_value_type(v) == SQLITE_NULL) return;
  const QString s = QString::fromUtf8(text(v), sqlite3_value_bytes(v));
  const QByteArray out = (upper ? s.toUpper() : s.toLower()).toUtf8();
  sqlite3_result_text(ctx, out.constData(), out.size(), SQLITE_TRANSIENT);
}

void upper(sqlite3_context* ctx, int, sqlite3_value** argv) { changeCase(ctx, argv[0], true); }
void lower(sqlite3_context* ctx, int, sqlite3_value** argv) { changeCase(ctx, argv[0], false); }

// The LIKE pattern of the keys a tree node covers: its used key segments and '%'.
void subArboles(sqlite3_context* ctx, int, sqlite3_value** argv) {
  sqlite3* db = sqlite3_context_db_handle(ctx);
  sqlite3_stmt* st = nullptr;
  if (sqlite3_prepare_v2(db, "SELECT Clave FROM Arboles WHERE ZolmarID=?", -1, &st, nullptr) != SQLITE_OK)
    return sqlite3_result_error(ctx, sqlite3_errmsg(db), -1);
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(st, sqlite3_finalize);
  sqlite3_bind_value(st, 1, argv[0]);
  if (sqlite3_step(st) != SQLITE_ROW) return;  // no such node: NULL matches nothing
  QByteArray key = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(st, 0))).left(16);
  key = key.leftJustified(16, '0');
  int used = 0;
  while (used < 16 && key.mid(used, 2) != "00") used += 2;
  const QByteArray pattern = key.left(used) + '%';
  sqlite3_result_text(ctx, pattern.constData(), pattern.size(), SQLITE_TRANSIENT);
}

struct Function {
  const char* name;
  int args;
  void (*call)(sqlite3_context*, int, sqlite3_value**);
  bool deterministic;
};

}  // namespace

bool registerSqlFunctions(sqlite3* db, QString* error) {
  // A misspelt "name" must fail, not turn silently into a text literal.
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
  sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
  int rc = sqlite3_create_collation_v2(db, "ES_CI_AS", SQLITE_UTF8, nullptr, collate, nullptr);
  static const Function functions[] = {
      {"tsql_like", 2, like, true},
      {"tsql_like", 3, like, true},
      {"tsql_like_low", 1, likeLow, true},
      {"tsql_like_high", 1, likeHigh, true},
      {"tsql_add", 2, add, true},
      {"tsql_right", 2, right, true},
      {"tsql_substring", 3, substring, true},
      {"tsql_isnumeric", 1, isNumeric, true},
      {"tsql_upper", 1, upper, true},
      {"tsql_lower", 1, lower, true},
      {"SubArboles", 1, subArboles, false},
  };
  for (const Function& f : functions) {
    if (rc != SQLITE_OK) break;
    const int flags = SQLITE_UTF8 | (f.deterministic ? SQLITE_DETERMINISTIC : 0);
    rc = sqlite3_create_function_v2(db, f.name, f.args, flags, nullptr, f.call, nullptr, nullptr, nullptr);
  }
  if (rc != SQLITE_OK) {
    if (error) *error = QString::fromUtf8(sqlite3_errmsg(db));
    return false;
  }
  return true;
}

}  // namespace zolmar
