// Hostile names typed in the editor's name field and in the pick dialog's
// search: saved exactly (or cut to the field), or refused; never a statement
// the text was not meant for, and nothing else in the database touched.

#include "corpus_hostil.h"
#include "editor/editor_fixture.h"
#include "picking/frm_busca_arbol.h"
#include "soak.h"
#include "tree/verificador_arbol.h"
#include "zolmar/db/database_dump.h"

using arboles::FrmArboles;
using zolmar::CtlFicha;

namespace {

class HostilEditor : public EditorTest {
 protected:
  void Sano() {
    arboles::VerificadorArbol verificador(host->appGlobal()->GetGlobales(), 3);
    for (const auto& p : verificador.Verificar()) ADD_FAILURE() << p.texto.toStdString();
  }
  QString Nombre(qint32 id) {
    return Valor(QStringLiteral("SELECT Nombre FROM Arboles WHERE ZolmarID=%1").arg(id)).toString();
  }
  QString Resto() {
    cn->ExecuteSQL("DELETE FROM ZolmarCambios", 0);  // the change log records every save
    // Every table but the tree's, whatever case the engine gives its name.
    QStringList tablas = zolmar::DatabaseDump::of(*cn).split(QStringLiteral("== "));
    tablas.removeIf(
        [](const QString& t) { return t.startsWith(QStringLiteral("arboles\n"), Qt::CaseInsensitive); });
    return tablas.join(QStringLiteral("== "));
  }
};

TEST_F(HostilEditor, NombresGuardadosTalCualORechazados) {
  const qint32 padre = Nodo(3, "0100000000000000", "Bebidas");
  const qint32 hijo = InsertarNodo(3, "0101000000000000", "Vinos", padre, 0, {{"RutaPadre", "'Bebidas:'"}});
  cn->ExecuteSQL("INSERT INTO Articulos (Nombre, ID_Categoria1) VALUES ('Agua', 0)", 0);
  const QString resto = Resto();
  for (const QString& texto : CorpusHostil::Textos()) {
    SCOPED_TRACE(texto.toStdString());
    for (bool nuevo : {true, false}) {  // a new sibling first: the renamed node would hold its name
      Soak::Contar(Soak::Entradas);
      const QString antes = Nombre(hijo);
      QStringList& enviadas = Grabar();
      FrmArboles* f = Editor(3);
      ASSERT_NE(f, nullptr);
      f->TreeArbol->ClickNode(K(hijo));
      if (nuevo)
        f->CtlFicha->pressNew();
      else
        f->CtlFicha->pressEdit();
      Escribir(f, texto);
      f->btnGuardar->Click();
      const bool guardado = f->CtlFicha->Mode() == CtlFicha::Browsing;
      if (!guardado) {
        ui().queueAnswer(1);
        f->btnCancelar->Click();
        EXPECT_EQ(Nombre(hijo), antes);
      } else {
        const qint32 id = nuevo ? f->CtlFicha->FichaDB()->CurrentID() : hijo;
        EXPECT_EQ(Nombre(id), texto.left(50));
        EXPECT_FALSE(texto.trimmed().isEmpty()) << "a blank name was saved";
        if (nuevo) cn->ExecuteSQL(QStringLiteral("DELETE FROM Arboles WHERE ZolmarID=%1").arg(id), 0);
      }
      f->Unload();
      for (const QString& s : enviadas) EXPECT_FALSE(CorpusHostil::Inyectada(s)) << s.toStdString();
      EXPECT_EQ(Resto(), resto);
      EXPECT_TRUE(ui().failures().isEmpty());
      ui().clear();
      Sano();
    }
  }
}

TEST_F(HostilEditor, BusquedasInofensivasEnElDialogo) {
  arboles::FrmBuscaArbol::Registrar();
  Nodo(3, "0100000000000000", "Bebidas");
  Nodo(3, "0200000000000000", "D'Oro [especial] 100%");
  const QString antes = zolmar::DatabaseDump::of(*cn);
  for (const QString& texto : CorpusHostil::Textos()) {
    SCOPED_TRACE(texto.toStdString());
    Soak::Contar(Soak::Entradas);
    QStringList& enviadas = Grabar();
    ui().whenWaitingFor("FrmBuscaArbol", [&](QWidget* w) {
      auto* d = static_cast<arboles::FrmBuscaArbol*>(w);
      d->getBuscar->setText(texto);
      d->btnCancelar->Click();
    });
    taz->Buscar(nullptr, 3, false, 0, false, false, nullptr, false, nullptr, false);
    for (const QString& s : enviadas) {
      EXPECT_FALSE(CorpusHostil::Inyectada(s)) << s.toStdString();
      EXPECT_TRUE(s.startsWith(QStringLiteral("SELECT"), Qt::CaseInsensitive)) << s.toStdString();
    }
    EXPECT_TRUE(ui().failures().isEmpty());
    ui().clear();
  }
  EXPECT_EQ(zolmar::DatabaseDump::of(*cn), antes);
}

}  // namespace
