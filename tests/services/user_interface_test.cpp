#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "host/host_types.h"
#include "zolmar/services/message_markup.h"
#include "zolmar/services/qt_catalogue.h"
#include "zolmar/services/qt_user_interface.h"
#include "zolmar/services/scripted_user_interface.h"

namespace zolmar {
namespace {

TEST(MessageMarkup, HostMarkupBecomesHtmlAndTextIsEscaped) {
  const struct {
    const char* markup;
    const char* html;
  } cases[] = {
      {"Línea 1<BR>Línea 2", "Línea 1<br>Línea 2"},
      {"¿ Desea unir <B>A</B> con <b>B</b> ?", "¿ Desea unir <b>A</b> con <b>B</b> ?"},
      {"<FONT COLOR='800000'>rojo</FONT>", "<font color='#800000'>rojo</font>"},
      {"<font color=\"#00FF00\">v</font>", "<font color='#00ff00'>v</font>"},
      {"a < b & c > d", "a &lt; b &amp; c &gt; d"},
      {"<BRILLO>", "&lt;BRILLO&gt;"},
      {"uno\r\ndos", "uno<br>dos"},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MessageMarkupToHtml(QString::fromUtf8(c.markup)), QString::fromUtf8(c.html)) << c.markup;
  EXPECT_EQ(MessageMarkupToPlain(QStringLiteral("<B>No</B> se puede<BR>añadir")),
            QStringLiteral("No se puede\nañadir"));
}

class ScriptedUi : public ::testing::Test {
 protected:
  void SetUp() override {
    ScriptedUserInterface::setFailureHandler([this](const QString& m) { failures << m; });
  }
  void TearDown() override {
    ScriptedUserInterface::setFailureHandler([](const QString& m) { ADD_FAILURE() << m.toStdString(); });
  }
  ScriptedUserInterface ui;
  QStringList failures;
};

TEST_F(ScriptedUi, RecordsMessagesExactlyAsPassed) {
  const QString text =
      QStringLiteral("No se puede añadir un nivel a una<BR>ficha que tenga la marca de \"BORRADO\"");
  ui.showMessage(text, 0, QStringLiteral("Información"), arboles::IconInformation);
  ui.queueAnswer(true);
  EXPECT_TRUE(
      ui.askYesNo(QStringLiteral("¿Seguro?"), 4, QStringLiteral("Confirmación"), arboles::IconQuestion));
  ASSERT_EQ(ui.messages().size(), 2);
  const auto& m = ui.messages().first();
  EXPECT_EQ(m.kind, QStringLiteral("message"));
  EXPECT_EQ(m.text, text);
  EXPECT_EQ(m.title, QStringLiteral("Información"));
  EXPECT_EQ(m.icon, arboles::IconInformation);
  EXPECT_EQ(ui.messages().at(1).icon, arboles::IconQuestion);
  EXPECT_EQ(ui.messages().at(1).answer, QVariant(true));
  EXPECT_EQ(ui.messageTexts(), QStringList{text});
  EXPECT_TRUE(failures.isEmpty());
}

TEST_F(ScriptedUi, AnswersComeFromTheQueueInOrder) {
  ui.queueAnswer(false);
  ui.queueAnswer(2);
  ui.queueAnswer(true);
  ui.queueAnswer(3);
  EXPECT_FALSE(ui.askYesNo(QStringLiteral("a"), 4, QString(), 0));
  EXPECT_EQ(ui.askRecordQuestion(0, QStringLiteral("b"), QString()), 2);
  EXPECT_EQ(ui.askRecordQuestion(1, QStringLiteral("c"), QString()), 1);
  EXPECT_EQ(
      ui.chooseItem(QStringLiteral("Elija"), {QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z")}),
      3);
  EXPECT_EQ(ui.askRecordQuestion(3, QStringLiteral("solo texto"), QString()), 1);
  EXPECT_EQ(ui.pendingAnswers(), 0);
  EXPECT_TRUE(failures.isEmpty());
}

TEST_F(ScriptedUi, UnexpectedQuestionFailsAndAnswersNo) {
  EXPECT_FALSE(ui.askYesNo(QStringLiteral("¿Borrar <B>todo</B>?"), 4, QString(), 0));
  EXPECT_EQ(ui.askRecordQuestion(0, QStringLiteral("¿Guardar?"), QString()), 3);
  ASSERT_EQ(failures.size(), 2);
  EXPECT_TRUE(failures.first().contains(QStringLiteral("¿Borrar todo?")));
}

TEST_F(ScriptedUi, WaitRunsTheScriptAgainstTheWindowAndRequiresItClosed) {
  QWidget form;
  form.setObjectName(QStringLiteral("FrmBuscaArbol"));
  QWidget* seen = nullptr;
  ui.whenWaitingFor(QStringLiteral("FrmBuscaArbol"), [&](QWidget* w) {
    seen = w;
    w->close();
  });
  ui.whenWaitingFor(QStringLiteral("FrmBuscaArbol"), [](QWidget*) {});
  form.show();
  ui.waitFormClosed(&form);
  EXPECT_EQ(seen, &form);
  EXPECT_TRUE(failures.isEmpty());

  form.show();
  ui.waitFormClosed(&form);  // second script leaves it open
  ASSERT_EQ(failures.size(), 1);
  EXPECT_TRUE(failures.first().contains(QStringLiteral("left the window open")));

  form.show();
  ui.waitFormClosed(&form);  // no script left
  EXPECT_EQ(failures.size(), 2);
  EXPECT_TRUE(form.isHidden());

  ui.waitFormClosed(&form);  // already closed: nothing asked
  EXPECT_EQ(failures.size(), 2);
}

TEST_F(ScriptedUi, WaitTextsAreRecordedAndEmptyTextCloses) {
  ui.showWait(QStringLiteral("Leyendo categorías.<BR>Espere..."));
  EXPECT_TRUE(ui.waitWindowOpen());
  ui.showWait(QString());
  EXPECT_FALSE(ui.waitWindowOpen());
  EXPECT_EQ(ui.waitTexts(), QStringList{QStringLiteral("Leyendo categorías.<BR>Espere...")});
}

TEST(QtUi, WaitFormClosedReturnsWhenTheWindowClosesOrIsDestroyed) {
  QtUserInterface ui;
  QWidget form;
  form.show();
  QTimer::singleShot(20, &form, [&form] { form.close(); });
  ui.waitFormClosed(&form);
  EXPECT_TRUE(form.isHidden());
  ui.waitFormClosed(&form);  // already closed: returns at once

  auto* deleted = new QWidget;
  deleted->show();
  QTimer::singleShot(20, deleted, [deleted] { deleted->deleteLater(); });
  ui.waitFormClosed(deleted);
  SUCCEED();
}

// The questions that could lose data: Return and Escape answer No, and the
// discard question offers no third button.
TEST(QtUi, DangerousQuestionsDefaultToNo) {
  QtUserInterface ui;
  struct Visto {
    qsizetype botones = 0;
    bool porDefectoNo = false;
  };
  const auto alAbrirse = [](Visto* visto) {
    QTimer::singleShot(20, [visto] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      visto->botones = box->buttons().size();
      visto->porDefectoNo =
          box->defaultButton() && box->buttonRole(box->defaultButton()) == QMessageBox::NoRole;
      QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(box, &escape);
    });
  };
  Visto borrar;
  alAbrirse(&borrar);
  EXPECT_FALSE(ui.askYesNo(QStringLiteral("¿Desea borrar la ficha <B>Nº 1</B>?"),
                           arboles::ButtonsYesNo | arboles::DefaultSecondButton, QString(), 0));
  EXPECT_EQ(borrar.botones, 2);
  EXPECT_TRUE(borrar.porDefectoNo);
  Visto descartar;
  alAbrirse(&descartar);
  EXPECT_EQ(ui.askRecordQuestion(1, QStringLiteral("¿Desea descartar los cambios realizados?"), QString()),
            2);
  EXPECT_EQ(descartar.botones, 2);
  EXPECT_TRUE(descartar.porDefectoNo);
}

// With Qt's Spanish catalogue, every kind of message and question shows its
// own buttons in Spanish, with their Alt letters, and the default asked for.
TEST(QtUi, EveryKindShowsItsButtonsInSpanish) {
  ASSERT_TRUE(QtCatalogue::install(QString()));
  QtUserInterface ui;
  QStringList vistos;
  QString porDefecto;
  const auto alAbrirse = [&] {
    QTimer::singleShot(20, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      vistos.clear();
      // In the order they stand in the box.
      auto botones = box->buttons();
      std::sort(botones.begin(), botones.end(),
                [](QAbstractButton* a, QAbstractButton* b) { return a->x() < b->x(); });
      for (QAbstractButton* b : botones) vistos << b->text();
      porDefecto = box->defaultButton() ? box->defaultButton()->text() : QString();
      QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
      QApplication::sendEvent(box, &escape);
      if (QApplication::activeModalWidget() == box) box->defaultButton()->click();
    });
  };
  const struct {
    const char* como;
    std::function<void()> preguntar;
    QStringList botones;
    const char* porDefecto;
  } casos[] = {
      {"mensaje", [&] { ui.showMessage("a", 0, "t", 0); }, {"&Aceptar"}, "&Aceptar"},
      {"aceptar o cancelar", [&] { ui.showMessage("a", 1, "t", 0); }, {"&Aceptar", "&Cancelar"}, "&Aceptar"},
      {"abortar, reintentar, ignorar",
       [&] { ui.showMessage("a", 2, "t", 0); },
       {"I&nterrumpir", "&Reintentar", "&Ignorar"},
       "I&nterrumpir"},
      {"sí, no, cancelar", [&] { ui.askYesNo("a", 3, "t", 0); }, {"&Sí", "&No", "&Cancelar"}, "&Sí"},
      {"sí o no", [&] { ui.askYesNo("a", 4, "t", 0); }, {"&Sí", "&No"}, "&Sí"},
      {"sí o no, no por defecto", [&] { ui.askYesNo("a", 4 + 256, "t", 0); }, {"&Sí", "&No"}, "&No"},
      {"reintentar o cancelar",
       [&] { ui.showMessage("a", 5, "t", 0); },
       {"&Reintentar", "&Cancelar"},
       "&Reintentar"},
      {"pregunta con el tipo de mensaje", [&] { ui.askYesNo("a", 0, "t", 0); }, {"&Sí", "&No"}, "&Sí"},
      {"guardar los cambios", [&] { ui.askRecordQuestion(0, "a", "t"); }, {"&Sí", "&No", "&Cancelar"}, "&Sí"},
      {"descartar los cambios", [&] { ui.askRecordQuestion(1, "a", "t"); }, {"&Sí", "&No"}, "&No"},
      {"solo un texto", [&] { ui.askRecordQuestion(3, "a", "t"); }, {"&Aceptar"}, "&Aceptar"},
  };
  for (const auto& c : casos) {
    alAbrirse();
    c.preguntar();
    QStringList esperados;
    for (const QString& b : c.botones) esperados << b;
    // The platform's style may order Yes/No its own way; the set and the default count.
    QStringList ordenados = vistos;
    ordenados.sort();
    esperados.sort();
    EXPECT_EQ(ordenados.join('|').toStdString(), esperados.join('|').toStdString()) << c.como;
    EXPECT_EQ(porDefecto.toStdString(), c.porDefecto) << c.como;
  }
  QtCatalogue::install(QStringLiteral("xx"));
}

TEST(QtUi, WaitWindowShowsTheTextAndEmptyTextClosesIt) {
  QtUserInterface ui;
  ui.showWait(QStringLiteral("Leyendo grupos de clientes.<BR>Espere..."));
  ASSERT_NE(ui.waitWindow(), nullptr);
  EXPECT_TRUE(ui.waitWindow()->isVisible());
  EXPECT_EQ(ui.waitWindow()->text(), QStringLiteral("Leyendo grupos de clientes.<br>Espere..."));
  ui.showWait(QString());
  EXPECT_EQ(ui.waitWindow(), nullptr);
}

}  // namespace
}  // namespace zolmar
