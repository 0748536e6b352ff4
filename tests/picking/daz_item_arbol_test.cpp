// cDAZ_ItemArbol: what Validate offers for a typed text and how it answers.

#include "tree/daz_item_arbol.h"
#include "picking_fixture.h"
#include "zolmar/services/control_marker.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/list_window.h"

using arboles::cDAZ_ItemArbol;

namespace {

class DazItemArbolTest : public PickingFixture {
 protected:
  void SetUp() override {
    PickingFixture::SetUp();
    ArbolDeEjemplo();
    daz.Configure("Categoria1", 3, "Categoría del artículo");
  }

  // The list as the person sees it: its first column, then a choice (or cancel).
  void AlMostrarLista(QStringList* filas, qint32 elegir) {
    ui().whenWaitingFor("BusquedaComun", [filas, elegir](QWidget* w) {
      auto* lista = static_cast<zolmar::ListWindow*>(w);
      for (qint32 i = 0; i < lista->VisibleRowCount(); ++i) *filas << lista->Cell(i, 1);
      if (elegir >= 0)
        lista->ChooseRow(elegir);
      else
        lista->Unload();
    });
  }

  cDAZ_ItemArbol daz;
  zolmar::get say;
  zolmar::get entrada;
};

TEST_F(DazItemArbolTest, DescriptorMembers) {
  EXPECT_EQ(daz.I_DAZ_Name(), "Categoria1");
  EXPECT_EQ(daz.I_DAZ_Mask(), "(7)");
  EXPECT_EQ(daz.I_DAZ_DataType(), 3);
  EXPECT_EQ(daz.I_DAZ_Width(), 4);
  EXPECT_FALSE(daz.I_DAZ_Indexed());
  static_cast<arboles::I_DAZ&>(daz).I_DAZ_SetValue(42);  // the host writes through the interface
  EXPECT_EQ(daz.I_DAZ_Value(), QVariant(QStringLiteral("42")));
  daz.I_DAZ_ConfigureControl(&entrada);
  EXPECT_EQ(entrada.MaxLength(), 7);
  EXPECT_EQ(entrada.Alignment(), zolmar::get::Derecha);
  EXPECT_EQ(entrada.TipoDato(), zolmar::get::Texto);
  EXPECT_EQ(entrada.ToolTip(), QString::fromUtf8("Categoría del artículo"));
}

TEST_F(DazItemArbolTest, EmptyEntryIsValidWithoutAnyQuery) {
  say.setText("17");
  QStringList enviadas;
  cn->setStatementRecorder([&](const QString& sql, qint32) { enviadas << sql; });
  EXPECT_TRUE(daz.Validate(*taz, &say, entrada, false));
  EXPECT_EQ(say.Text(), "0");
  EXPECT_TRUE(enviadas.isEmpty());
}

TEST_F(DazItemArbolTest, TypedTextNarrowsTheListOfLiveLeaves) {
  struct Caso {
    QString texto;
    bool todas;
    bool valido;
    const char* elegido;  // the node the display control receives
    qint32 marca;
  };
  const QString idTintos = QString::number(id.value("Tintos"));
  const QList<Caso> casos = {
      {"Vinos", false, false, nullptr, 3},                           // a branch is not a leaf
      {"Vinos", true, true, "Vinos", 0},                             // unless every node is allowed
      {idTintos.rightJustified(9, '0'), false, true, "Tintos", 0},   // nine digits: an id
      {idTintos.rightJustified(10, '0'), false, false, nullptr, 3},  // ten: a name
      {"#" + QString::number(id.value("Refrescos")), false, true, "Refrescos", 0},
      {"Retir", true, false, nullptr, 3},  // BORRADO
      {"d'oro [esp", false, true, "D'Oro [especial]", 0},
  };
  for (const Caso& c : casos) {
    say.setText("");
    entrada.setText(c.texto);
    zolmar::ControlMarker::mark(&entrada, 0);
    EXPECT_EQ(daz.Validate(*taz, &say, entrada, false, c.todas), c.valido) << c.texto.toStdString();
    EXPECT_EQ(say.Text(), c.elegido ? QString::number(id.value(c.elegido)) : QString())
        << c.texto.toStdString();
    if (c.elegido) {
      EXPECT_EQ(entrada.Text(), QString::fromUtf8(c.elegido));
    }
    EXPECT_EQ(zolmar::ControlMarker::markOf(&entrada), c.marca) << c.texto.toStdString();
  }
  EXPECT_TRUE(ui().failures().isEmpty());
}

// The statement the list runs, for each way of narrowing it.
TEST_F(DazItemArbolTest, ListQueryTextForEachNarrowing) {
  const QString base = QString::fromUtf8(
      "SELECT TOP 500 zolmarID, Nombre, RutaPadre AS [Categoría del Nivel Superior] FROM arboles"
      " WHERE activo=0 AND tipo=3");
  const QString hojas = " AND (ZolmarID NOT IN (SELECT ID_Padre FROM arboles WHERE activo=0))";
  // The host's name condition comes back as " WHERE <condition>".
  const auto porNombre = [&](const QString& t) {
    return " AND " + cn->NameSearchWhere(t, "nombre").trimmed().mid(5);
  };
  struct Caso {
    QString texto;
    bool todas;
    QString filtro;
    QString esperado;
  };
  const QString refrescos = QString::number(id.value("Refrescos"));
  const QString arabigos = QString::fromUtf8("٤٢");
  const QList<Caso> casos = {
      {"", false, "", base + hojas},
      {"", true, "id_padre=7", base + " AND id_padre=7"},
      {"#" + refrescos, false, "", base + hojas + " AND Arboles.ZolmarID=" + refrescos},
      {"000000042", true, "", base + " AND arboles.ZolmarID=42"},
      {"0000000042", true, "", base + porNombre("0000000042")},
      {arabigos, true, "", base + porNombre(arabigos)},
      {"vin'o", false, "Opciones=0", base + " AND Opciones=0" + hojas + porNombre("vin'o")},
  };
  for (const Caso& c : casos) {
    QStringList enviadas;
    cn->setStatementRecorder([&](const QString& sql, qint32 modo) {
      if (modo == 5) enviadas << sql;
    });
    ui().whenWaitingFor("BusquedaComun", [](QWidget* w) { static_cast<zolmar::ListWindow*>(w)->Unload(); });
    entrada.setText(c.texto);
    daz.Validate(*taz, &say, entrada, true, c.todas, c.filtro);
    EXPECT_EQ(enviadas, QStringList{c.esperado}) << c.texto.toStdString();
  }
  cn->setStatementRecorder(nullptr);
}

TEST_F(DazItemArbolTest, ListChoiceAndCancel) {
  struct Caso {
    const char* texto;
    bool forzar;
    qint32 elegir;
    bool valido;
    qint32 marca;
  };
  for (const Caso& c : {Caso{"*o", false, 1, true, 0}, Caso{"*o", false, -1, false, 2},
                        Caso{"", true, -1, false, 0}, Caso{"", true, 0, true, 0}}) {
    QStringList filas;
    AlMostrarLista(&filas, c.elegir);
    entrada.setText(c.texto);
    zolmar::ControlMarker::mark(&entrada, 0);
    EXPECT_EQ(daz.Validate(*taz, nullptr, entrada, c.forzar, false, QString(), id.value("Tintos")), c.valido);
    EXPECT_EQ(zolmar::ControlMarker::markOf(&entrada), c.marca);
    EXPECT_FALSE(filas.contains("Vinos"));
    EXPECT_FALSE(filas.contains("Bebidas"));
    EXPECT_TRUE(filas.contains("Tintos"));
    if (c.valido) {
      EXPECT_EQ(entrada.Text(), filas.value(c.elegir));
    }
  }
  EXPECT_TRUE(ui().failures().isEmpty());
}

TEST_F(DazItemArbolTest, AtMostFiveHundredRowsWithTheExtraFilter) {
  cn->ExecuteSQL("DELETE FROM Arboles", 0);
  for (qint32 r = 1; r <= 3; ++r) {
    const QString raiz = QString("Raiz %1").arg(r);
    Nodo(1, raiz, QString("%1").arg(r, 2, 16, QChar('0')).toUpper().leftJustified(16, '0'), "");
    for (qint32 h = 1; h <= 200; ++h)
      Nodo(1, QString("Grupo %1-%2").arg(r).arg(h),
           (QString("%1").arg(r, 2, 16, QChar('0')) + QString("%1").arg(h, 2, 16, QChar('0')))
               .toUpper()
               .leftJustified(16, '0'),
           raiz);
  }
  cDAZ_ItemArbol grupos;
  grupos.Configure("Grupo", 1, "Grupo");
  QStringList filas;
  AlMostrarLista(&filas, 0);
  entrada.setText("");
  EXPECT_TRUE(grupos.Validate(*taz, &say, entrada, true));
  EXPECT_EQ(filas.size(), 500);

  filas.clear();
  entrada.setText("");
  AlMostrarLista(&filas, -1);
  EXPECT_FALSE(
      grupos.Validate(*taz, &say, entrada, true, false, "id_padre=" + QString::number(id.value("Raiz 2"))));
  EXPECT_EQ(filas.size(), 200);
}

}  // namespace
