// An error that escapes a window's event handler reaches the host: shown with
// the window's name, open transactions rolled back, the handler's locks freed.

#include <stdexcept>

#include "common/host_fixture.h"
#include "zolmar/ui/btn.h"
#include "zolmar/ui/frm_basico.h"

namespace {

class EventErrorsTest : public HostFixture {
 protected:
  qint32 Locks(const QString& tabla) {
    return Valor("SELECT COUNT(*) FROM ZolmarBloqueos WHERE Tabla='" + tabla + "'").toInt();
  }
};

TEST_F(EventErrorsTest, AnEscapingErrorRollsBackAndFreesOnlyTheHandlersLocks) {
  struct Caso {
    const char* nombre;
    bool liberaDentro;  // the handler released its lock inside the transaction
  };
  for (const Caso& c :
       {Caso{"lock still held", false}, Caso{"release rolled back with the transaction", true}}) {
    SCOPED_TRACE(c.nombre);
    ui().clear();
    auto app = host->appGlobal();
    ASSERT_FALSE(app->LockTable(3, true, "Arboles", 0, "Tipo=3", 3));  // taken before the handler
    zolmar::FrmBasico ventana;
    ventana.SetAppGlobal(app, "FrmPrueba");
    auto* boton = new zolmar::btn("Fallar", &ventana);
    QObject::connect(boton, &zolmar::btn::Clicked, [&] {
      ASSERT_FALSE(app->LockTable(3, true, "Articulos", 0, "", 3));
      cn->BeginTrans("Externa");
      cn->BeginTrans("Interna");
      cn->ExecuteSQL("INSERT INTO Tarifas (Nombre) VALUES ('a medias')", 0);
      if (c.liberaDentro) app->LockTable(3, false, "Articulos", 0, "", 3);
      throw std::runtime_error("disco lleno");
    });
    boton->Click();
    EXPECT_EQ(cn->transactionDepth(), 0);
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM Tarifas").toInt(), 0);
    EXPECT_EQ(Locks("Articulos"), 0);
    EXPECT_EQ(Locks("Arboles"), 1);
    ASSERT_EQ(ui().messages().size(), 1);
    const auto& m = ui().messages().first();
    EXPECT_TRUE(m.text.contains("FrmPrueba")) << m.text.toStdString();
    EXPECT_TRUE(m.text.contains("disco lleno")) << m.text.toStdString();
    EXPECT_EQ(m.icon, arboles::IconError);
    app->LockTable(3, false, "Arboles", 0, "Tipo=3", 3);
  }
}

TEST_F(EventErrorsTest, AWindowWithoutHostLetsTheErrorGoOn) {
  zolmar::FrmBasico ventana;
  auto* boton = new zolmar::btn("Fallar", &ventana);
  QObject::connect(boton, &zolmar::btn::Clicked, [] { throw std::runtime_error("sin host"); });
  EXPECT_THROW(boton->Click(), std::runtime_error);
}

}  // namespace
