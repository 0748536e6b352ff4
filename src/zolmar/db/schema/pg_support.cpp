#include "zolmar/db/schema/pg_support.h"

#include <QHash>

namespace zolmar {

namespace {

// The T-SQL pattern as an anchored regular expression over lower-case text.
// Every character of it is written as an escape, so that none means anything
// to the regular expression; a range also takes the accented letters that
// sort within it, as the collation orders them.
const char* const kLikeRegex =
    "CREATE OR REPLACE FUNCTION tsql.like_regex(p text, e text) RETURNS text LANGUAGE plpgsql IMMUTABLE AS "
    "$f$\n"
    "DECLARE q text := lower(p COLLATE tsql.es_ci_as); n int := length(q); i int := 1; j int; c text; "
    "r text := '^';\n"
    "BEGIN\n"
    "  WHILE i <= n LOOP\n"
    "    c := substr(q, i, 1);\n"
    "    IF c = e AND i < n THEN\n"
    "      i := i + 1;\n"
    "      r := r || tsql.regex_char(substr(q, i, 1));\n"
    "    ELSIF c = '%' THEN r := r || '.*';\n"
    "    ELSIF c = '_' THEN r := r || '.';\n"
    "    ELSIF c = '[' THEN\n"
    // The closing bracket; one right after '[' or '[^' is a member.
    "      j := i + 1;\n"
    "      IF substr(q, j, 1) = '^' THEN j := j + 1; END IF;\n"
    "      j := j + 1;\n"
    "      WHILE j <= n AND substr(q, j, 1) <> ']' LOOP j := j + 1; END LOOP;\n"
    "      IF j > n THEN\n"
    "        r := r || tsql.regex_char(c);\n"
    "      ELSE\n"
    "        r := r || '[';\n"
    "        i := i + 1;\n"
    "        IF substr(q, i, 1) = '^' AND i + 1 < j THEN r := r || '^'; i := i + 1; END IF;\n"
    "        WHILE i < j LOOP\n"
    "          r := r || tsql.regex_char(substr(q, i, 1));\n"
    "          IF i + 2 < j AND substr(q, i + 1, 1) = '-' THEN\n"
    "            r := r || '-' || tsql.regex_char(substr(q, i + 2, 1)) || coalesce((SELECT "
    "string_agg(tsql.regex_char(x), '') FROM regexp_split_to_table('áàâäéèêëíìîïóòôöúùûüñç', '') x "
    "WHERE x COLLATE tsql.es_ci_as BETWEEN substr(q, i, 1) AND substr(q, i + 2, 1)), '');\n"
    "            i := i + 2;\n"
    "          END IF;\n"
    "          i := i + 1;\n"
    "        END LOOP;\n"
    "        r := r || ']';\n"
    "      END IF;\n"
    "    ELSE r := r || tsql.regex_char(c);\n"
    "    END IF;\n"
    "    i := i + 1;\n"
    "  END LOOP;\n"
    "  RETURN r || '$';\n"
    "END $f$";

QString sqlFunction(const char* signature, const char* result, const char* body) {
  return QStringLiteral(
             "CREATE OR REPLACE FUNCTION tsql.%1 RETURNS %2 LANGUAGE sql IMMUTABLE AS $f$ SELECT %3 $f$")
      .arg(QLatin1String(signature), QLatin1String(result), QLatin1String(body));
}

}  // namespace

QStringList PgSupport::statements() {
  const QStringList objects = {
      sqlFunction("regex_char(c text)", "text", "'\\U' || lpad(to_hex(ascii(c)), 8, '0')"),
      QString::fromUtf8(kLikeRegex),
      // The server refuses LIKE under a nondeterministic collation: both sides
      // are lowered in Spanish and matched byte by byte; trailing blanks of the
      // text do not prevent a match.
      sqlFunction("\"like\"(t text, p text, e text DEFAULT NULL)", "boolean",
                  "lower(t COLLATE tsql.es_ci_as) COLLATE \"C\" ~ tsql.like_regex(p, e) OR "
                  "rtrim(lower(t COLLATE tsql.es_ci_as), ' ') COLLATE \"C\" ~ tsql.like_regex(p, e)"),
      // The pattern's literal head, and past every text that starts with it.
      sqlFunction("like_low(p text)", "text", "substring(p COLLATE \"C\" from '^[^%_[]*')"),
      sqlFunction("like_high(p text)", "text", "tsql.like_low(p) || chr(65535)"),
      sqlFunction(
          "isnumeric(v text)", "integer",
          "CASE WHEN v COLLATE \"C\" ~ '^\\s*[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?\\s*$' "
          "THEN 1 ELSE 0 END"),
      sqlFunction("isnumeric(v double precision)", "integer", "CASE WHEN v IS NULL THEN 0 ELSE 1 END"),
      // '+' decided by the operands' types when the statement is planned:
      // text with text joins, a number with text reads the text as a number.
      sqlFunction("add(a text, b text)", "text", "a || b"),
      sqlFunction("add(a integer, b integer)", "integer", "a + b"),
      sqlFunction("add(a bigint, b bigint)", "bigint", "a + b"),
      sqlFunction("add(a numeric, b numeric)", "numeric", "a + b"),
      sqlFunction("add(a double precision, b double precision)", "double precision", "a + b"),
      sqlFunction("add(a text, b numeric)", "numeric", "a::numeric + b"),
      sqlFunction("add(a numeric, b text)", "numeric", "a + b::numeric"),
      // Master..SysDatabases: every database of the server is a schema.
      QStringLiteral("CREATE OR REPLACE VIEW tsql.sysdatabases AS SELECT nspname::text COLLATE tsql.es_ci_as "
                     "AS name FROM pg_namespace WHERE nspname NOT LIKE 'pg\\_%' AND "
                     "nspname NOT IN ('information_schema', 'public', 'tsql')"),
  };
  // Replacing a function or the view waits for every transaction of the
  // server that used it: a company opening on another computer must not.
  // The objects are replaced only when the program brings other ones.
  const QString version = QString::number(qHash(objects.join(QLatin1Char('\n'))), 16);
  QString replace =
      QStringLiteral(
          "DO $tsql$ BEGIN IF obj_description('tsql'::regnamespace, 'pg_namespace') IS DISTINCT FROM "
          "'%1' THEN ")
          .arg(version);
  for (QString object : objects) replace += "EXECUTE '" + object.replace('\'', QStringLiteral("''")) + "'; ";
  replace += QStringLiteral("COMMENT ON SCHEMA tsql IS '%1'; END IF; END $tsql$").arg(version);
  return {
      // Every session setting up a database at once would trip over the others' functions.
      QStringLiteral("SELECT pg_advisory_xact_lock(7413020)"),
      QStringLiteral("CREATE SCHEMA IF NOT EXISTS tsql"),
      // Case-insensitive, accent-sensitive Spanish order, as SQL Server's default.
      QStringLiteral("DO $$ BEGIN CREATE COLLATION tsql.es_ci_as (provider = icu, locale = 'es-u-ks-level2', "
                     "deterministic = false); EXCEPTION WHEN duplicate_object THEN NULL; END $$"),
      replace,
  };
}

}  // namespace zolmar
