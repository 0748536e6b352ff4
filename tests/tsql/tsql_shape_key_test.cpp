// The one-pass cache key must agree with the lexer on every text it accepts,
// and leave to the lexer every text it cannot read exactly.

#include "zolmar/db/tsql/tsql_shape_key.h"
#include "tsql_fixture.h"
#include "zolmar/db/tsql/tsql_lexer.h"
#include "zolmar/db/tsql/tsql_shape_template.h"

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
    {"UPDATE T SET a=1 ; \n", true},
    {"SELECT 1 ; ;", false},
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

// The last text, cut at its literals, takes a new text only when both have the
// same shape, and then gives the new text's own literal values; blanks moved
// around a literal leave the text to the shape key.
TEST(TSqlShapeTemplateTest, TakesOnlyATextOfTheSameShape) {
  const struct {
    const char* last;
    const char* now;
    bool taken;
  } kPairs[] = {
      {"SELECT Nombre FROM Arboles WHERE ZolmarID=5", "SELECT Nombre FROM Arboles WHERE ZolmarID=123456",
       true},
      {"SELECT Nombre FROM Arboles WHERE ZolmarID=5", "SELECT Nombre FROM Arboles WHERE ZolmarID=5 ", false},
      {"SELECT Nombre FROM Arboles WHERE ZolmarID=5", "SELECT Nombre FROM Arboles WHERE ZolmarID='5'", false},
      {"SELECT Nombre FROM Arboles WHERE ZolmarID=5", "SELECT Nombre FROM Arboles WHERE ZolmarID=5AND",
       false},
      {"SELECT Nombre FROM Arboles WHERE ZolmarID=5", "SELECT Nombre FROM Arboles WHERE ZolmarID=5.5e3",
       true},
      {"UPDATE T SET a='x', b=N'y' WHERE c=1", "UPDATE T SET a='it''s', b=N'' WHERE c=22", true},
      {"UPDATE T SET a='x', b=N'y' WHERE c=1", "UPDATE T SET a='x', b='y' WHERE c=1", false},
      {"UPDATE T SET a='x' WHERE c=1", "UPDATE T SET a='x' WHERE c=1 OR c='2'", false},
      {"UPDATE T SET a='x' WHERE c=1", "UPDATE T SET a='x'' WHERE c=1", false},
      {"SELECT a FROM T WHERE a=x.5", "SELECT a FROM T WHERE a=x5", false},
      {"SELECT a FROM T WHERE a=x'a'", "SELECT a FROM T WHERE a=xN'a'", false},
      {"SELECT a FROM T WHERE a=1'a'", "SELECT a FROM T WHERE a=1.5'a'", true},
      {"SELECT a FROM T WHERE a=1 'a'", "SELECT a FROM T WHERE a=1''a'", false},
      {"SELECT 3ELSE FROM T", "SELECT 3E5LSE FROM T", false},
      {"SELECT 3ELSE FROM T", "SELECT 4ELSE FROM T", true},
      {"SELECT -1, .5 FROM T", "SELECT -2, .75 FROM T", true},
  };
  for (const auto& pair : kPairs) {
    const QString last = QString::fromUtf8(pair.last), now = QString::fromUtf8(pair.now);
    QString lastShape, nowShape;
    QVector<QVariant> ignored, expected, literals{QVariant(7)};
    QVector<TSqlLiteralSpan> spans;
    ASSERT_TRUE(TSqlShapeKey::compute(last, &lastShape, &ignored, &spans)) << pair.last;
    TSqlShapeTemplate shape;
    shape.remember(last, &spans);
    ASSERT_EQ(shape.matches(now, &literals), pair.taken) << pair.last << " / " << pair.now;
    if (pair.taken) {
      ASSERT_TRUE(TSqlShapeKey::compute(now, &nowShape, &expected)) << pair.now;
      EXPECT_EQ(nowShape, lastShape) << pair.now;
      EXPECT_EQ(literals, expected) << pair.now;
    }
  }
}

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
  // The last hit is forgotten when the cache grows (it may move) or is emptied.
  const QString sql = translator->cachedTranslation("SELECT Nombre FROM Arboles WHERE ZolmarID=8")->sql;
  for (int i = 0; i < 200; ++i)
    translator->translate(QStringLiteral("SELECT Nombre AS C%1 FROM Arboles").arg(i));
  hit = translator->cachedTranslation("SELECT Nombre FROM Arboles WHERE ZolmarID=3");
  ASSERT_NE(hit, nullptr);
  EXPECT_EQ(hit->sql, sql);
  EXPECT_EQ(translator->cachedLiterals(), QVector<QVariant>{QVariant(qlonglong(3))});
  translator->setCurrentDatabase(QStringLiteral("Otra"));
  EXPECT_EQ(translator->cachedTranslation("SELECT Nombre FROM Arboles WHERE ZolmarID=3"), nullptr);
}

}  // namespace
}  // namespace zolmar
