#include "corpus_hostil.h"

QStringList CorpusHostil::Textos() {
  return {
      QStringLiteral("D'Oro"),
      QStringLiteral("''"),
      QStringLiteral("100% natural"),
      QStringLiteral("_"),
      QStringLiteral("%"),
      QStringLiteral("[a-z]"),
      QStringLiteral("[[]"),
      QStringLiteral("Vinos*"),
      QStringLiteral("a;b"),
      QStringLiteral("x' ; DROP TABLE Articulos ; --"),
      QStringLiteral("') OR 1=1 --"),
      QStringLiteral("\" ; DELETE FROM Arboles"),
      QString(50, QLatin1Char('x')),
      QString(51, QLatin1Char('y')),
      QString(200, QLatin1Char('z')),
      QString::fromUtf8("Ñoras y cañas de azúcar"),
      QString::fromUtf8("ÁÉÍÓÚ ü"),
      QString(),
      QStringLiteral("   "),
      QStringLiteral("tab\there"),
      QStringLiteral("nl\nx"),
      QString::fromUtf8("nul\u0001x"),
      QStringLiteral("\\"),
      QStringLiteral(":"),
  };
}

QStringList CorpusHostil::Numeros() {
  return {QStringLiteral("-1"),   QStringLiteral("0"),          QStringLiteral("4"),
          QStringLiteral("99"),   QStringLiteral("2147483648"), QStringLiteral("99999999999999999999"),
          QStringLiteral("1e3"),  QStringLiteral("3;"),         QStringLiteral("1 OR 1=1"),
          QStringLiteral("0x10"), QStringLiteral("'"),          QString()};
}

QList<QByteArray> CorpusHostil::Ficheros() {
  return {QByteArray(),
          QByteArray("\xff\xfe\x00{", 4),
          QByteArray("{\"TipoDocumento\": 9, \"TipoArbol\": 3, \"Contenido\": [{\"Nombre\": \"\xc3\x28\"}]}"),
          QByteArray("{\"TipoDocumento\": 9, \"TipoArbol\": 7, \"Contenido\": []}"),
          QByteArray("{\"TipoDocumento\": 9, \"TipoArbol\": -1}"),
          QByteArray("not json at all ; DROP TABLE Arboles"),
          QByteArray("[1, 2, 3]"),
          QByteArray("{\"TipoDocumento\": 9, \"TipoArbol\": 3, \"Contenido\": [{\"zolmarID\": 1, "
                     "\"ID_RamaOriginal\": 1, \"ID_RamaPadreOriginal\": 1, \"Nombre\": \"a\"}]}")};
}

bool CorpusHostil::Inyectada(const QString& sentencia) {
  // Every text of the corpus that carries SQL reaches a statement only inside
  // a quoted literal; outside one, these words would be the injection.
  QString fuera;
  bool dentro = false;
  for (QChar c : sentencia) {
    if (c == QLatin1Char('\'')) {
      dentro = !dentro;
      continue;
    }
    if (!dentro) fuera += c;
  }
  return fuera.contains(QStringLiteral("DROP"), Qt::CaseInsensitive) ||
         fuera.contains(QStringLiteral("OR 1=1"), Qt::CaseInsensitive) ||
         fuera.contains(QStringLiteral("--"));
}
