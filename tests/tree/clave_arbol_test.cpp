#include "tree/clave_arbol.h"

#include <gtest/gtest.h>

using arboles::ClaveArbol;

TEST(ClaveArbol, NivelCuentaHastaElPrimerSegmentoVacio) {
  const struct {
    const char* clave;
    qint32 nivel;
  } casos[] = {
      {"", 0},
      {"01", 1},  // short keys count as padded with "0"
      {"0100000000000000", 1},
      {"0103000000000000", 2},
      {"0100010000000000", 1},  // counting stops at the first "00"
      {"0000000000000000", 0},
      {"FFFFFFFFFFFFFFFF", 8},
      {"0102030405060708", 8},
      {"0102030405060708AB", 8},  // only the first 16 characters count
      {"0A0B0C", 3},
  };
  for (const auto& c : casos) {
    EXPECT_EQ(ClaveArbol::ObtenerNivel(QString::fromLatin1(c.clave)), c.nivel) << c.clave;
  }
}

TEST(ClaveArbol, SegmentoYNumero) {
  const struct {
    const char* segmento;
    qint32 numero;
  } ida[] = {{"01", 1}, {"0A", 10}, {"FF", 255}, {"ff", 255}, {"10", 16}, {"", 0}, {"0G", 0}, {"1G", 1}};
  for (const auto& c : ida) EXPECT_EQ(ClaveArbol::SegmentoANumero(QString::fromLatin1(c.segmento)), c.numero);

  const struct {
    qint32 numero;
    const char* segmento;
  } vuelta[] = {{1, "01"}, {10, "0A"}, {171, "AB"}, {255, "FF"}};
  for (const auto& c : vuelta)
    EXPECT_EQ(ClaveArbol::NumeroASegmento(c.numero), QString::fromLatin1(c.segmento));
}

TEST(ClaveArbol, SiguienteSegmentoSigueAlMayorYNoPasaDeFF) {
  // The next child follows the greatest segment in use, not the first gap.
  EXPECT_EQ(ClaveArbol::SiguienteSegmento("05"), "06");
  EXPECT_EQ(ClaveArbol::SiguienteSegmento(""), "01");
  EXPECT_EQ(ClaveArbol::SiguienteSegmento("09"), "0A");
  EXPECT_EQ(ClaveArbol::SiguienteSegmento("FE"), "FF");
  EXPECT_TRUE(ClaveArbol::SiguienteSegmento("FF").isEmpty());
  EXPECT_EQ(ClaveArbol::MensajeMaxHijos,
            "No puede crear mas de 255 elementos para un mismo nivel de una rama");
}

TEST(ClaveArbol, ClavesPrefijosYPatrones) {
  EXPECT_EQ(ClaveArbol::Rellenar("0103"), "0103000000000000");
  EXPECT_EQ(ClaveArbol::ClaveHijo("01", 3), "0103000000000000");
  EXPECT_EQ(ClaveArbol::ClaveHijo("", 1), "0100000000000000");
  EXPECT_EQ(ClaveArbol::Prefijo("0103000000000000"), "0103");
  EXPECT_EQ(ClaveArbol::Prefijo("0000000000000000"), "");
  EXPECT_EQ(ClaveArbol::Segmento("0103000000000000", 2), "03");
  EXPECT_EQ(ClaveArbol::Segmento("0103000000000000", 8), "00");
  EXPECT_EQ(ClaveArbol::PosicionSegmento(3), 5);
  EXPECT_EQ(ClaveArbol::PatronDescendientes("0103000000000000"), "0103%");
  EXPECT_EQ(ClaveArbol::PatronHijos("0103000000000000"), "0103__0000000000");
  EXPECT_EQ(ClaveArbol::PatronHijos("0102030405060708"), "");
  EXPECT_TRUE(ClaveArbol::EsHijoDirecto("0103000000000000", "0103070000000000"));
  EXPECT_FALSE(ClaveArbol::EsHijoDirecto("0103000000000000", "0103000000000000"));
  EXPECT_FALSE(ClaveArbol::EsHijoDirecto("0103000000000000", "0103070100000000"));
  EXPECT_FALSE(ClaveArbol::EsHijoDirecto("0103000000000000", "0104070000000000"));
}

TEST(ClaveArbol, ValidezDeLaClave) {
  const struct {
    const char* clave;
    bool valida;
  } casos[] = {
      {"0100000000000000", true},  {"FF01000000000000", true},   {"0102030405060708", true},
      {"0000000000000000", true},  {"0100010000000000", false},  {"01000000000000", false},
      {"0a00000000000000", false}, {"01000000000000000", false}, {"0G00000000000000", false},
  };
  for (const auto& c : casos)
    EXPECT_EQ(ClaveArbol::EsValida(QString::fromLatin1(c.clave)), c.valida) << c.clave;
}
