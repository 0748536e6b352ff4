// The one-pass cache key must agree with the lexer on every text it accepts,
// and leave to the lexer every text it cannot read exactly.

#include "zolmar/db/tsql/tsql_shape_key.h"
#include "tsql_fixture.h"
#include "zolmar/db/tsql/tsql_lexer.h"

namespace zolmar {
namespace {

struct KeyCase {
  const char* tsql;
  bool handled;  // false: the full lexer decides
};

class TSqlShapeKeyTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TSqlShapeKeyTest, AgreesWithTheLexerOrStepsAside) {
  const QString text = QString::fromUtf8(GetParam().tsql);
  QString shape = QStringLiteral("left over from a previous statement");
  QVector<QVariant> literals{QVariant(1)};
  const bool handled = TSqlShapeKey::compute(text, &shape, &literals);
  ASSERT_EQ(handled, GetParam().handled) << GetParam().tsql;
  if (!handled) return;
  QVector<TSqlLexedStatement> lexed;
  QString error;
  ASSERT_TRUE(TSqlLexer().lex(text, &lexed, &error)) << error.toStdString();
  ASSERT_EQ(lexed.size(), 1);
  EXPECT_EQ(shape.toStdString(), lexed[0].shape.toStdString());
  ASSERT_EQ(literals.size(), lexed[0].literals.size());
  for (qsizetype i = 0; i < literals.size(); ++i) {
    EXPECT_EQ(literals[i].typeId(), lexed[0].literals[i].typeId()) << "literal " << i;
    EXPECT_EQ(literals[i], lexed[0].literals[i]) << "literal " << i;
  }
}

const KeyCase kKeys[] = {
    {"SELECT Nombre FROM Arboles WHERE ZolmarID=5", true},
    {"UPDATE arboles SET clave='01''02', nombre=N'a;b' WHERE zolmarID=\t12\r\n", true},
    {"SELECT '', 'x''', '''' FROM T", true},
    {"SELECT 3ELSE, 1.5e3, .5, 2e, 7E+2, 1.e-1 FROM T", true},
    {"SELECT 123456789012345678, 99999999999999999999 FROM T", true},
    {"SELECT [Categoría del Nivel Superior], [a]]b] FROM [Ñ T]", true},
    {"SELECT a FROM T WHERE a<>1 AND b!=2 AND c!<3 AND d!>4 AND e<=5 AND f>=6 AND (g & 2)=0", true},
    {"SELECT x%2, -y, ~z, a|b, a^b, a/b*c FROM dbo.T", true},
    {"SELECT @v, #t, a$b, _c FROM ZolmarInstalacion..IBIC", true},
    {"SELECT 1 ; SELECT 2", false},
    {"SELECT 1 -- a comment", false},
    {"SELECT /* a comment */ 1", false},
    {"SELECT \"Nombre\" FROM T", false},
    {"SELECT Categoría FROM T", false},
    {"SELECT 'unterminated", false},
    {"SELECT [unterminated", false},
    {"SELECT a FROM T WHERE a ! b", false},
    {"SELECT a FROM T WHERE a = ?", false},
    {"", false},
    {" \t\n", false},
};

INSTANTIATE_TEST_SUITE_P(Translator, TSqlShapeKeyTest, ::testing::ValuesIn(kKeys));

TEST_F(TSqlFixture, BracketedNameWithABlankIsNotANameAndItsAlias) {
  QString error;
  run("SELECT [Nombre Corto] FROM Arboles WHERE ZolmarID=2", &error);
  EXPECT_FALSE(error.isEmpty()) << "no column is called 'Nombre Corto'";
  EXPECT_EQ(run("SELECT Nombre Corto FROM Arboles WHERE ZolmarID=2", &error), "Vinos");
  EXPECT_TRUE(error.isEmpty()) << error.toStdString();
}

TEST_F(TSqlFixture, CachedTranslationCarriesTheLiteralsOfEachText) {
  EXPECT_EQ(translator->cachedTranslation("SELECT Nombre FROM Arboles WHERE ZolmarID=2"), nullptr)
      << "nothing is cached before the first translation";
  ASSERT_TRUE(translator->translate("SELECT Nombre FROM Arboles WHERE ZolmarID=2").ok());
  const TSqlTranslation* hit = translator->cachedTranslation("select  Nombre FROM Arboles WHERE ZolmarID=7");
  EXPECT_EQ(hit, nullptr) << "keywords are part of the shape as written";
  hit = translator->cachedTranslation("SELECT Nombre FROM Arboles WHERE ZolmarID =  7");
  ASSERT_NE(hit, nullptr);
  EXPECT_TRUE(hit->literals.isEmpty());
  ASSERT_EQ(translator->cachedLiterals().size(), 1);
  EXPECT_EQ(translator->cachedLiterals()[0].toLongLong(), 7);
  EXPECT_EQ(translator->cachedTranslation("SELECT Nombre FROM Arboles WHERE ZolmarID=7 ; SELECT 1"), nullptr);
  EXPECT_EQ(translator->translateBatch("SELECT Nombre FROM Arboles WHERE ZolmarID=9")[0].literals,
            QVector<QVariant>{QVariant(qlonglong(9))});
}

}  // namespace
}  // namespace zolmar
