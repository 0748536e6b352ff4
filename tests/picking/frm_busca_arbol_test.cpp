// The pick dialog driven as a person would: clicks, the space bar, typing in
// the search box, Aceptar and Cancelar.

#include <QTemporaryDir>

#include "host/i_list_object.h"
#include "picking_fixture.h"
#include "zolmar/services/app_global.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/get.h"
#include "zolmar/ui/key_codes.h"
#include "zolmar/ui/tree_view.h"

using arboles::FrmBuscaArbol;
using zolmar::TreeView;

namespace {

class BuscaArbolTest : public PickingFixture {
 protected:
  void SetUp() override {
    PickingFixture::SetUp();
    ArbolDeEjemplo();
  }
  bool Marcado(FrmBuscaArbol& f, const QString& nombre) { return f.TreeArbol->Node(K(nombre)).Checked(); }
  bool Visible(FrmBuscaArbol& f, const QString& nombre) { return f.TreeArbol->Node(K(nombre)).Visible(); }
};

TEST_F(BuscaArbolTest, PreselectedLeafChecksItsAncestorsAndAcceptReturnsKeyOrder) {
  struct Caso {
    bool padres;
    QStringList esperado;
  };
  for (const Caso& c : {Caso{false, {"Tintos"}}, Caso{true, {"Bebidas", "Vinos", "Tintos"}}}) {
    QString lista = Ids({"Tintos"});
    const qint32 r = Buscar(
        [&](FrmBuscaArbol& f) {
          for (const char* n : {"Tintos", "Vinos", "Bebidas"}) {
            EXPECT_TRUE(Marcado(f, n)) << n;
            EXPECT_TRUE(Visible(f, n)) << n;
          }
          for (const char* n : {"Blancos", "Refrescos", "Cava y vinos espumosos"})
            EXPECT_FALSE(Marcado(f, n)) << n;
          EXPECT_TRUE(f.btnMarcarTodo->isVisibleTo(&f));
          EXPECT_FALSE(f.getBuscar->isVisibleTo(&f));
          EXPECT_EQ(f.windowTitle(), QString::fromUtf8("Selección multiple de categorías"));
          f.btnAceptar->Click();
        },
        3, false, 0, true, &lista, c.padres);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(lista, Ids(c.esperado)) << c.padres;
  }
}

TEST_F(BuscaArbolTest, ChecksFollowTheBranchOncePerActionAndCancelKeepsTheList) {
  struct Caso {
    const char* accion;
    std::function<void(FrmBuscaArbol&)> hacer;
    QStringList marcados;
  };
  const QList<Caso> casos = {
      {"uncheck a branch by mouse",
       [&](FrmBuscaArbol& f) { f.TreeArbol->ClickCheckBox(K("Vinos")); },
       {"Bebidas"}},
      {"check a leaf by the space bar",
       [&](FrmBuscaArbol& f) {
         f.TreeArbol->ClickNode(K("Vinagres"));
         f.TreeArbol->PressKey(32);
       },
       {"Bebidas", "Vinos", "Tintos", "Blancos", QString::fromUtf8("Alimentación"), "Vinagres"}},
      {"check a branch checks its children",
       [&](FrmBuscaArbol& f) { f.TreeArbol->ClickCheckBox(K(QString::fromUtf8("Alimentación"))); },
       {"Bebidas", "Vinos", "Tintos", "Blancos", QString::fromUtf8("Alimentación"), "Vinagres",
        "D'Oro [especial]"}},
      {"unmark all", [&](FrmBuscaArbol& f) { f.btnDesmarcarTodo->Click(); }, {}},
      {"a toggle no action of the person announced is undone",
       [&](FrmBuscaArbol& f) {
         auto nodo = f.TreeArbol->Node(K("Refrescos"));
         nodo.setChecked(true);
         emit f.TreeArbol->NodeCheck(nodo);
       },
       {"Bebidas", "Vinos", "Tintos", "Blancos"}},
      {"mark all then uncheck a leaf",
       [&](FrmBuscaArbol& f) {
         f.btnMarcarTodo->Click();
         f.TreeArbol->ClickCheckBox(K("Refrescos"));
       },
       {"Bebidas", "Cava y vinos espumosos", "Vinos", "Tintos", "Blancos", QString::fromUtf8("Alimentación"),
        "Vinagres", "D'Oro [especial]"}},
  };
  for (const Caso& c : casos) {
    for (bool aceptar : {true, false}) {
      const QString inicial = Ids({"Tintos", "Blancos"});
      QString lista = inicial;
      const qint32 r = Buscar(
          [&](FrmBuscaArbol& f) {
            c.hacer(f);
            QStringList vistos;
            for (const QString& n : id.keys())
              if (n != "Retirados" && Marcado(f, n)) vistos << n;
            vistos.sort();
            QStringList esperados = c.marcados;
            esperados.sort();
            EXPECT_EQ(vistos, esperados) << c.accion;
            (aceptar ? f.btnAceptar : f.btnCancelar)->Click();
          },
          3, false, 0, true, &lista, true);
      EXPECT_EQ(r, aceptar ? 1 : 0) << c.accion;
      if (!aceptar) {
        EXPECT_EQ(lista, inicial) << c.accion;
      }
    }
  }
}

// Only "*" is a wildcard: "%", "_", "[" and an apostrophe are letters. A
// text that names no node leaves none highlighted, so Aceptar returns 0.
TEST_F(BuscaArbolTest, NameSearchSelectsTheFirstMatchInKeyOrder) {
  Nodo(3, "500 gramos", "0203000000000000", QString::fromUtf8("Alimentación"));
  Nodo(3, "50% dto", "0204000000000000", QString::fromUtf8("Alimentación"));
  Nodo(3, "Lote_A", "0205000000000000", QString::fromUtf8("Alimentación"));
  struct Caso {
    const char* texto;
    const char* esperado;  // "" when nothing matches
  };
  for (const Caso& c :
       {Caso{"vin", "Vinos"}, Caso{"*vin", "Cava y vinos espumosos"}, Caso{"VINA", "Vinagres"},
        Caso{"d'oro", "D'Oro [especial]"}, Caso{"*[esp", "D'Oro [especial]"}, Caso{"50%", "50% dto"},
        Caso{"5*dto", "50% dto"}, Caso{"lote_", "Lote_A"}, Caso{"%", ""}, Caso{"lote%", ""},
        Caso{"*' OR 1=1", ""}, Caso{"ret", ""}, Caso{"zzz", ""}, Caso{"vin ", ""}, Caso{"   ", "Bebidas"},
        Caso{"cava y ", "Cava y vinos espumosos"}}) {
    const qint32 r = Buscar([&](FrmBuscaArbol& f) {
      f.getBuscar->setText(QString::fromUtf8(c.texto));
      for (const auto& [nombre, nodoId] : id.asKeyValueRange()) {
        const auto nodo = f.TreeArbol->Node(K(nombre));
        if (!nodo) continue;
        EXPECT_EQ(nodo.Highlighted(), nombre == QString::fromUtf8(c.esperado)) << c.texto << " " << nodoId;
      }
      if (*c.esperado) {
        EXPECT_TRUE(f.TreeArbol->Node(K(c.esperado)).Visible()) << c.texto;
      }
      f.btnAceptar->Click();
    });
    EXPECT_EQ(r, *c.esperado ? id.value(c.esperado) : 0) << c.texto;
  }
  EXPECT_TRUE(ui().failures().isEmpty());
}

TEST_F(BuscaArbolTest, OnlyLeavesRefusesABranchWithItsMessage) {
  const qint32 r = Buscar(
      [&](FrmBuscaArbol& f) {
        f.TreeArbol->ClickNode(K("Vinos"));
        f.btnAceptar->Click();
        EXPECT_FALSE(f.IsClosed());
        f.TreeArbol->ClickNode(K("Tintos"));
        EXPECT_EQ(f.TreeArbol->Node(K("Vinos")).BackColor(), TreeView::WindowBackgroundColor());
        f.btnAceptar->Click();
      },
      3, true);
  EXPECT_EQ(r, id.value("Tintos"));
  ASSERT_EQ(ui().messages().size(), 1);
  EXPECT_EQ(ui().messages()[0].text, FrmBuscaArbol::MensajeSoloHojas);
  EXPECT_EQ(ui().messages()[0].title, QString::fromUtf8("Información"));
  EXPECT_EQ(ui().messages()[0].icon, arboles::IconInformation);
}

TEST_F(BuscaArbolTest, DeletedNodesAreNeverOfferedAndCancelReturnsZero) {
  struct Caso {
    qint32 actual;
    const char* clic;  // clicked before closing, or nullptr
    bool aceptar;
    qint32 esperado;
  };
  for (const Caso& c :
       {Caso{id.value("Retirados"), nullptr, true, 0}, Caso{0, nullptr, true, id.value("Bebidas")},
        Caso{id.value("Blancos"), nullptr, true, id.value("Blancos")},
        Caso{id.value("Blancos"), "Tintos", true, id.value("Tintos")},
        Caso{id.value("Blancos"), "Tintos", false, 0}}) {
    const qint32 r = Buscar(
        [&](FrmBuscaArbol& f) {
          EXPECT_FALSE(f.TreeArbol->Node(K("Retirados")));
          EXPECT_EQ(f.TreeArbol->Nodes().Count(), 9);
          if (c.clic) f.TreeArbol->ClickNode(K(c.clic));
          (c.aceptar ? f.btnAceptar : f.btnCancelar)->Click();
        },
        3, false, c.actual);
    EXPECT_EQ(r, c.esperado);
  }
}

TEST_F(BuscaArbolTest, FillQueryMarksThePreselectedIds) {
  const QString base =
      "SELECT zolmarID, nombre, id_padre, CriterioHijos, Clave, %1 as Activo FROM Arboles WHERE tipo = 3"
      " AND (Activo & 2)=0 ORDER BY clave";
  struct Caso {
    QString lista;
    bool multiple;
    QString marca;
  };
  for (const Caso& c :
       {Caso{"", true, "0"}, Caso{"12, 7", true, "(CASE WHEN ZolmarID IN(12,7) THEN 1 ELSE 0 END)"},
        Caso{"7);DROP TABLE Arboles--", false, "0"}}) {
    QStringList enviadas;
    cn->setStatementRecorder([&](const QString& sql, qint32 modo) {
      if (modo == 7) enviadas << sql;
    });
    QString lista = c.lista;
    Buscar([](FrmBuscaArbol& f) { f.btnCancelar->Click(); }, 3, false, 0, c.multiple, &lista);
    cn->setStatementRecorder(nullptr);
    EXPECT_EQ(enviadas, QStringList{base.arg(c.marca)}) << c.lista.toStdString();
  }
}

// Rows under a BORRADO node have no node: "Marcar todo" never returns them.
TEST_F(BuscaArbolTest, MarkAllReturnsOnlyTheNodesShown) {
  Nodo(3, QString::fromUtf8("Huérfano"), "0301000000000000", "Retirados");
  QString lista;
  EXPECT_EQ(Buscar(
                [](FrmBuscaArbol& f) {
                  f.btnMarcarTodo->Click();
                  f.btnAceptar->Click();
                },
                3, false, 0, true, &lista, true),
            1);
  EXPECT_EQ(lista, Ids({"Bebidas", "Cava y vinos espumosos", "Vinos", "Tintos", "Blancos", "Refrescos",
                        QString::fromUtf8("Alimentación"), "Vinagres", "D'Oro [especial]"}));
}

TEST_F(BuscaArbolTest, TopLevelNodesShowTheCriterionOfTheirChildren) {
  struct Caso {
    const char* nombre;
    const char* criterio;
    const char* texto;
  };
  const QList<Caso> casos = {{"Bebidas", "Por tipo ", "Bebidas - (Por tipo )"},
                             {"Vinos", "Por uva", "Vinos"},
                             {"Alimentación", "   ", "Alimentación"}};
  for (const Caso& c : casos)
    cn->ExecuteSQL(QString("UPDATE Arboles SET CriterioHijos=%1 WHERE ZolmarID=%2")
                       .arg(cn->SQLLiteral(c.criterio))
                       .arg(id.value(QString::fromUtf8(c.nombre))),
                   0);
  Buscar([&](FrmBuscaArbol& f) {
    for (const Caso& c : casos)
      EXPECT_EQ(f.TreeArbol->Node(K(QString::fromUtf8(c.nombre))).Text(), QString::fromUtf8(c.texto));
    f.btnCancelar->Click();
  });
}

TEST_F(BuscaArbolTest, WaitTextsPerTreeType) {
  ArbolDeEjemplo(1);
  struct Caso {
    qint32 tipo;
    const char* texto;
  };
  for (const Caso& c : {Caso{1, "Leyendo grupos de clientes.<BR>Espere..."},
                        Caso{2, "Leyendo grupos de proveedores.<BR>Espere..."},
                        Caso{3, "Leyendo categorías.<BR>Espere..."}}) {
    ui().clear();
    Buscar([](FrmBuscaArbol& f) { f.btnCancelar->Click(); }, c.tipo);
    EXPECT_EQ(ui().waitTexts().value(0), QString::fromUtf8(c.texto)) << c.tipo;
    EXPECT_FALSE(ui().waitWindowOpen());
  }
}

TEST_F(PickingFixture, SubjectsSortDigitCodesLastUnderTheLongestPrefix) {
  QTemporaryDir dir;
  Abrir(dir.filePath("empresa.db"));
  QStringList raices;
  qint32 espana = 0;
  const qint32 r = Buscar(
      [&](FrmBuscaArbol& f) {
        for (qint32 i = 0; i < f.TreeArbol->topLevelItemCount(); ++i)
          raices << f.TreeArbol->topLevelItem(i)->text(0).section(' ', 0, 0);
        const auto hallados =
            f.TreeArbol->findItems(QString::fromUtf8("1DSE - España"), Qt::MatchExactly | Qt::MatchRecursive);
        EXPECT_EQ(hallados.size(), 1);
        for (auto* it : hallados) EXPECT_EQ(it->parent()->text(0).section(' ', 0, 0), "1DS");
        f.getBuscar->setText("1DSE");
        espana = f.IdSeleccionado();
        f.btnAceptar->Click();
      },
      0, false, 0, false, nullptr, false, true);
  EXPECT_EQ(raices, QStringList({"A", "D", "F", "W", "1D"}));
  EXPECT_EQ(ui().waitTexts().value(0), "Leyendo materias.<BR>Espere...");
  EXPECT_FALSE(ui().waitWindowOpen());
  EXPECT_GT(espana, 0);
  EXPECT_EQ(r, espana);
}

TEST_F(PickingFixture, MenuOptionsGiveThePathOfTheChosenOption) {
  QString ruta = "sin tocar";
  QStringList textos;
  const qint32 r = Buscar(
      [&](FrmBuscaArbol& f) {
        for (QTreeWidgetItemIterator it(f.TreeArbol); *it; ++it) textos << (*it)->text(0);
        f.getBuscar->setText("Grupos de prov");
        f.btnAceptar->Click();
      },
      0, false, 0, false, nullptr, false, false, true, &ruta);
  EXPECT_FALSE(textos.contains("Salir"));
  EXPECT_FALSE(textos.contains("-"));
  EXPECT_TRUE(textos.contains(QString::fromUtf8("Árboles")));
  EXPECT_GT(r, 0);
  EXPECT_EQ(r % 100000, 0);
  EXPECT_EQ(ruta, QString::fromUtf8("Árboles:Grupos de proveedores: "));

  ruta = "sin tocar";
  EXPECT_EQ(Buscar([](FrmBuscaArbol& f) { f.btnCancelar->Click(); }, 0, false, 0, false, nullptr, false,
                   false, true, &ruta),
            0);
  EXPECT_EQ(ruta, QString());
}

// A menu of any size: more options than one statement could select.
TEST_F(PickingFixture, UnMenuGrandeSeOfreceEntero) {
  auto menu = host->appGlobal()->GetGlobales()->CreateListObject();
  menu->Init(1, 2, 1, 0);
  for (qint32 m = 1; m <= 30; ++m) {
    menu->AddRow({QStringLiteral("Menú %1").arg(m), 1});
    for (qint32 o = 1; o <= 20; ++o)
      menu->AddRow({QStringLiteral("Opción %1.%2 de O'Brien").arg(m).arg(o), 2});
    menu->AddRow({QStringLiteral("-"), 2});
  }
  host->app()->setMenuGrid(menu);
  QString ruta;
  qint32 nodos = 0;
  const qint32 r = Buscar(
      [&](FrmBuscaArbol& f) {
        for (QTreeWidgetItemIterator it(f.TreeArbol); *it; ++it) ++nodos;
        f.getBuscar->setText(QStringLiteral("Opción 30.20"));
        f.btnAceptar->Click();
      },
      0, false, 0, false, nullptr, false, false, true, &ruta);
  EXPECT_EQ(nodos, 30 * 21);
  EXPECT_EQ(r, (30 * 22 - 1) * 100000);
  EXPECT_EQ(ruta, QStringLiteral("Menú 30:Opción 30.20 de O'Brien: "));
}

}  // namespace

// The dialog's keys as in every dialog of the host: the save keys accept too.
TEST_F(BuscaArbolTest, LasTeclasDeGuardarTambienAceptan) {
  using zolmar::KeyCodes;
  struct Caso {
    const char* tecla;
    qint32 codigo, shift;
    bool acepta;
  };
  const Caso casos[] = {{"F9", KeyCodes::F1 + 8, 0, true},
                        {"Ctrl+S", 'S', KeyCodes::CtrlMask, true},
                        {"F10", KeyCodes::F1 + 9, 0, true},
                        {"Escape", KeyCodes::Escape, 0, false}};
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.tecla);
    const qint32 r = Buscar(
        [&](FrmBuscaArbol& f) {
          f.PressKey(c.codigo, c.shift);
          if (!f.IsClosed()) f.btnCancelar->Click();
        },
        3, false, id.value("Tintos"));
    EXPECT_EQ(r, c.acepta ? id.value("Tintos") : 0);
  }
}
