// The import of the service's categories driven as a person drives it: the
// editor's launcher, the checks, renaming, and what the save writes.

#include "common/textos_marcados.h"
#include "cotalia_fixture.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/ctl_ficha.h"

namespace {

using arboles::FrmArboles;
using arboles::FrmImportarCategorias;

class ImportarCategoriasTest : public CotaliaFixture {
 protected:
  void SetUp() override {
    CotaliaFixture::SetUp();
    ArbolBase();
  }

  // The editor's launcher, the question answered Yes and the window driven by the script.
  void Lanzar(FrmArboles* editor, const std::function<void(FrmImportarCategorias&)>& script) {
    ui().queueAnswer(true);
    ui().whenWaitingFor("FrmImportarCategorias",
                        [script](QWidget* w) { script(*static_cast<FrmImportarCategorias*>(w)); });
    editor->ImportarCategorias();
  }
};

TEST_F(ImportarCategoriasTest, UnaPrimeraImportacionSinMarcasCreaLaRamaReservadaConElSiguienteSegmento) {
  FrmArboles* editor = Editor();
  ASSERT_NE(editor, nullptr);
  Lanzar(editor, [](FrmImportarCategorias& frm) { frm.btnAceptar->Click(); });
  EXPECT_EQ(ui().pendingScripts(), 0);
  const auto rama = arboles::recordsetOf(cn->ExecuteSQL(
      "SELECT ZolmarID, Clave, CriterioHijos, UsoAux, Opciones, ID_Padre FROM Arboles WHERE Nombre='Cotalia'",
      5));
  ASSERT_TRUE(rama && rama->Read());
  EXPECT_EQ(rama->Field("Clave").toString(), "0300000000000000");
  EXPECT_EQ(rama->Field("CriterioHijos").toString(), "Para el servicio \"Cotalia\"");
  EXPECT_EQ(rama->Field("UsoAux").toString(), "111111");
  EXPECT_EQ(rama->Field("Opciones").toInt(), 1);
  EXPECT_EQ(rama->Field("ID_Padre").toInt(), 0);
  EXPECT_EQ(Importadas(), 0);
  EXPECT_TRUE(editor->TreeArbol->Node(K(rama->Field("ZolmarID").toInt()))) << "the editor reloaded its tree";
  EXPECT_EQ(ui().waitTexts().mid(0, 2),
            QStringList({"Espere mientras se obtienen los datos desde el servidor de Cotalia...",
                         "Organizando las categorías a importar.<BR>Espere..."}));
  EXPECT_FALSE(ui().waitWindowOpen());
  EXPECT_TRUE(editor->FormGuard()) << "the editor is free again";
}

TEST_F(ImportarCategoriasTest, LaPreguntaDependeDeLaRamaReservadaYDelRegistroActual) {
  const QString primera = QString::fromUtf8("Va a añadirse una nueva rama al árbol de categorías");
  const QString repetir = QString::fromUtf8("Ya había realizado este proceso con anterioridad");
  const QString aviso = QStringLiteral("<FONT COLOR='800000'>");
  const qint32 bebidas = Valor("SELECT ZolmarID FROM Arboles WHERE Nombre='Bebidas'").toInt();
  const struct {
    bool rama;      // the reserved branch exists
    bool enLaRama;  // the editor stands on it
    const QString* inicio;
    bool conAviso;
  } casos[] = {{false, false, &primera, true}, {true, false, &repetir, true}, {true, true, &repetir, false}};
  for (const auto& c : casos) {
    cn->ExecuteSQL("DELETE FROM Arboles WHERE Nombre='Cotalia'");
    const qint32 rama = c.rama ? Nodo("0300000000000000", "Cotalia", 0, 1) : 0;
    FrmArboles* editor = Editor();
    ASSERT_NE(editor, nullptr);
    editor->TreeArbol->ClickNode(K(c.enLaRama ? rama : bebidas));
    ui().clear();
    ui().queueAnswer(false);
    editor->ImportarCategorias();
    ASSERT_EQ(ui().messages().size(), 1);
    const auto& pregunta = ui().messages().first();
    EXPECT_EQ(pregunta.kind, "question");
    EXPECT_TRUE(pregunta.text.startsWith(*c.inicio)) << pregunta.text.toStdString();
    EXPECT_EQ(pregunta.text.contains(aviso), c.conAviso) << pregunta.text.toStdString();
    EXPECT_TRUE(pregunta.text.endsWith(QString::fromUtf8("¿Desea continuar?")));
    EXPECT_EQ(pregunta.title, "Confirme, por favor");
    EXPECT_EQ(pregunta.buttons, 6);
    EXPECT_TRUE(ui().waitTexts().isEmpty()) << "answered No: nothing is fetched";
    delete editor;
  }
}

TEST_F(ImportarCategoriasTest, ElLanzadorSeNiegaConUnaRamaAjenaYAvisaDeUnFalloDelServicio) {
  FrmArboles* editor = Editor();
  ASSERT_NE(editor, nullptr);
  const qint32 ajena = Nodo("0300000000000000", "Cotalia");
  editor->ImportarCategorias();
  ASSERT_EQ(ui().messages().size(), 1);
  EXPECT_EQ(ui().messages().first().title, QString::fromUtf8("No puede realizar la importación"));
  EXPECT_EQ(ui().messages().first().icon, arboles::IconWarning);
  cn->ExecuteSQL(QStringLiteral("DELETE FROM Arboles WHERE ZolmarID=%1").arg(ajena));

  ui().clear();
  const QString ruta = Servicio({"1;0;Alimentación;;10000;7"});
  ui().queueAnswer(true);
  editor->ImportarCategorias();
  ASSERT_EQ(ui().messageTexts().size(), 1);
  const QString texto = ui().messageTexts().first();
  EXPECT_TRUE(texto.startsWith(QString::fromUtf8(
      "No se han podido obtener las categorías del servidor de Cotalia.<BR>Código de error: 205<BR>"
      "Descripción del error: ")))
      << texto.toStdString();
  EXPECT_TRUE(texto.contains(ruta));
  EXPECT_FALSE(ui().waitWindowOpen());
  EXPECT_TRUE(editor->FormGuard());
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Arboles WHERE Nombre='Cotalia'").toInt(), 0);
}

TEST_F(ImportarCategoriasTest, LasMarcasSiguenADescendientesYAntecesores) {
  const struct {
    const char* nombre;
    std::function<void(FrmImportarCategorias&)> acciones;
    QList<qint32> marcados;
    qint32 importadas;
  } casos[] = {
      {"a subfamily checks its family and sector", [](auto& f) { Marcar(f, 3); }, {1, 2, 3}, 3},
      {"a sector checks its whole branch", [](auto& f) { Marcar(f, 1); }, {1, 2, 3, 4, 5, 6}, 6},
      {"unchecking a family keeps its sector",
       [](auto& f) {
         Marcar(f, 3);
         Marcar(f, 6);
         Marcar(f, 2);
       },
       {1, 5, 6},
       3},
      {"the space bar acts as the click", [](auto& f) { Espacio(f, 6); }, {1, 5, 6}, 3},
      {"an unannounced check changes nothing",
       [](auto& f) {
         zolmar::TreeNode n = f.TreeArbol->Node(K(8));
         n.setChecked(true);
         emit f.TreeArbol->NodeCheck(n);
       },
       {8},
       0},
  };
  for (const auto& c : casos) {
    FrmImportarCategorias* frm = Ventana();
    ASSERT_NE(frm, nullptr) << c.nombre;
    c.acciones(*frm);
    EXPECT_EQ(Marcados(*frm, 8), c.marcados) << c.nombre;
    frm->btnAceptar->Click();
    EXPECT_EQ(Importadas(), c.importadas) << c.nombre;
    cn->ExecuteSQL("DELETE FROM Arboles WHERE (Opciones & 1)>0");
    for (auto& f : ventanas_)
      if (f) delete f.data();
    ventanas_.clear();
  }
}

TEST_F(ImportarCategoriasTest, UnaCategoriaImportadaNoSePuedeDesmarcar) {
  Importar({3});
  FrmImportarCategorias* frm = Ventana();
  ASSERT_NE(frm, nullptr);
  EXPECT_EQ(Marcados(*frm, 8), QList<qint32>({1, 2, 3}));
  for (qint32 id : {1, 2, 3})
    EXPECT_EQ(frm->TreeArbol->Node(K(id)).ForeColor(),
              zolmar::btn::ColorByIndex(FrmImportarCategorias::ColorImportada));
  EXPECT_NE(frm->TreeArbol->Node(K(4)).ForeColor(),
            zolmar::btn::ColorByIndex(FrmImportarCategorias::ColorImportada));
  Marcar(*frm, 2);
  ASSERT_EQ(ui().messageTexts(),
            QStringList{QString::fromUtf8("No puede desmarcar una categoría que ya había sido importada.")});
  EXPECT_EQ(ui().messages().last().title, QString::fromUtf8("Esa categoría ya fue importada"));
  Esperar([&] { return frm->TreeArbol->Node(K(2)).Checked(); });
  EXPECT_TRUE(frm->TreeArbol->Node(K(2)).Checked()) << "the timer checks it again";
  EXPECT_FALSE(frm->TimerArbol->isActive());
  EXPECT_EQ(Marcados(*frm, 8), QList<qint32>({1, 2, 3})) << "its subfamily keeps its mark";
}

TEST_F(ImportarCategoriasTest, UnaSegundaImportacionSoloAnadeLoNuevoBajoLasClavesExistentes) {
  Importar({3});
  const auto sector = Fila(10000, 0);
  const auto familia = Fila(10100, 1);
  EXPECT_EQ(sector.clave, "0301000000000000");
  EXPECT_EQ(familia.clave, "0301010000000000");
  EXPECT_EQ(Fila(10101, 2).clave, "0301010100000000");
  EXPECT_EQ(Fila(10101, 2).ruta, QString::fromUtf8("Cotalia:Alimentación:Conservas:"));
  EXPECT_EQ(Fila(10101, 2).padre, familia.id);

  // The service renumbered "Conservas de pescado": it is offered as new.
  QStringList servicio = ServicioBase();
  servicio[2] = "3;2;Conservas de pescado;;10199;2";
  Servicio(servicio);
  FrmImportarCategorias* frm = Ventana();
  ASSERT_NE(frm, nullptr);
  EXPECT_EQ(Marcados(*frm, 8), QList<qint32>({1, 2}));
  Marcar(*frm, 3);
  Marcar(*frm, 4);
  Marcar(*frm, 6);
  frm->btnAceptar->Click();
  ASSERT_TRUE(frm->IsClosed());
  const struct {
    qint32 codigo, nivel;
    const char* clave;
    qint32 padre;
  } esperadas[] = {{10199, 2, "0301010200000000", familia.id},
                   {10102, 2, "0301010300000000", familia.id},
                   {10200, 1, "0301020000000000", sector.id},
                   {10201, 2, "0301020100000000", 0}};
  for (const auto& e : esperadas) {
    const auto f = Fila(e.codigo, e.nivel);
    EXPECT_EQ(f.clave, e.clave) << e.codigo;
    if (e.padre) {
      EXPECT_EQ(f.padre, e.padre) << e.codigo;
    }
  }
  EXPECT_EQ(Fila(10201, 2).padre, Fila(10200, 1).id);
  EXPECT_EQ(Importadas(), 3 + 4);
  EXPECT_EQ(Valor("SELECT COUNT(*) FROM Arboles WHERE Nombre='Cotalia'").toInt(), 1);
}

TEST_F(ImportarCategoriasTest, LosNombresLargosSeCortanA50YLaRutaA150) {
  const QString largo = QString(60, QChar('n'));
  Servicio({"1;0;S" + largo + ";;10000;0", "2;1;F" + largo + ";;10100;1", "3;2;Sub;;10101;2"});
  const qint32 rama = Nodo("0300000000000000", "Cotalia", 0, 1);
  cn->ExecuteSQL(
      QStringLiteral("UPDATE Arboles SET RutaPadre='%1' WHERE ZolmarID=%2").arg(QString(120, 'r')).arg(rama));
  Importar({3});
  EXPECT_EQ(Fila(10000, 0).nombre, ("S" + largo).left(50));
  EXPECT_EQ(Fila(10000, 0).ruta, QString(120, 'r') + "Cotalia:");
  EXPECT_EQ(Fila(10100, 1).ruta.size(), 150);
  EXPECT_EQ(Fila(10101, 2).ruta, (QString(120, 'r') + "Cotalia:" + ("S" + largo).left(50) + ":").left(150));
}

TEST_F(ImportarCategoriasTest, RenombrarComprueba) {
  const QString cincuenta = QString(50, QChar('x'));
  const struct {
    qint32 id;
    QString nombre;
    const char* mensaje;  // empty: accepted
  } casos[] = {
      {1, "Comestibles", "No se puede cambiar el nombre de la categoría padre."},
      {3, cincuenta + "x", "El nombre no puede tener más de 50 caractéres"},
      {3, QString::fromUtf8("lácteos"), "No puede haber nombres de categorías repetidos"},
      {3, "   ", "Este campo no puede quedar vacío"},
      {3, "Conservas de pescado", ""},
      {3, cincuenta, ""},
  };
  FrmImportarCategorias* frm = Ventana();
  ASSERT_NE(frm, nullptr);
  for (const auto& c : casos) {
    ui().clear();
    const bool aceptado = frm->TreeArbol->EditLabel(K(c.id), c.nombre);
    EXPECT_EQ(aceptado, *c.mensaje == 0) << c.mensaje;
    EXPECT_EQ(ui().messageTexts(), *c.mensaje ? QStringList{QString::fromUtf8(c.mensaje)} : QStringList())
        << c.nombre.toStdString();
  }
  Marcar(*frm, 3);
  frm->btnAceptar->Click();
  EXPECT_EQ(Fila(10101, 2).nombre, cincuenta);
}

TEST_F(ImportarCategoriasTest, ElEditorNoDejaModificarNiAnadirBajoLaRamaReservada) {
  Importar({3});
  FrmArboles* editor = Editor();
  ASSERT_NE(editor, nullptr);
  const auto avisos = [this] { return ui().messageTexts(); };
  editor->TreeArbol->ClickNode(K(Fila(10100, 1).id));
  editor->CtlFicha->pressEdit();
  editor->CtlFicha->pressNew();
  editor->btnAccion[0]->Click();
  const QString modificar =
      QString::fromUtf8("No se permite modificar las categorías que pertenecen al servicio <B>Cotalia</B>.");
  const QString anadir = QString::fromUtf8(
      "No se permite añadir manualmente categorías dentro de esta rama<BR>porque está reservada para el "
      "servicio <B>Cotalia</B>.");
  EXPECT_EQ(avisos(), QStringList({modificar, anadir, anadir}));
  EXPECT_EQ(editor->CtlFicha->Mode(), zolmar::CtlFicha::Browsing);
  EXPECT_FALSE(editor->btnAccion[3]->isEnabled());
}

}  // namespace

// The window's texts and its messages (the question before importing, the
// refusal to uncheck) go through the translation.
TEST_F(ImportarCategoriasTest, TodosSusTextosSeTraducen) {
  TextosMarcados::Marcar(*host);
  FrmArboles* editor = Editor();
  ASSERT_NE(editor, nullptr);
  Lanzar(editor, [this](FrmImportarCategorias& frm) {
    EXPECT_EQ(TextosMarcados::SinMarcar(&frm).join("\n").toStdString(), "");
    ui().queueAnswer(true);
    frm.btnCancelar->Click();
  });
  ASSERT_FALSE(ui().messages().isEmpty());
  EXPECT_EQ(TextosMarcados::MensajesSinMarcar(ui()).join("\n").toStdString(), "");
  EXPECT_EQ(ui().waitTexts().filter(QRegularExpression("^[^«]")).join("\n").toStdString(), "");
}
