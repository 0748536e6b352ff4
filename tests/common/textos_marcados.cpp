#include "common/textos_marcados.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTreeWidget>

#include "zolmar/host.h"
#include "zolmar/services/app_global.h"
#include "zolmar/services/scripted_user_interface.h"

void TextosMarcados::Marcar(zolmar::Host& host) {
  host.app()->translator().setUnlisted([](const QString& texto) {
    return texto.isEmpty() ? texto : QStringLiteral("«") + texto + QStringLiteral("»");
  });
}

bool TextosMarcados::Marcado(const QString& texto) {
  static const QRegularExpression marca(QStringLiteral("«[^»]*»"));
  static const QRegularExpression letra(QStringLiteral("\\p{L}"));
  // Rich text: the tags are not read.
  static const QRegularExpression etiqueta(QStringLiteral("<[^>]*>"));
  QString resto = texto;
  resto.remove(etiqueta).remove(marca);
  return !resto.contains(letra);
}

namespace {

QString Nombre(const QObject* o) {
  return o->objectName().isEmpty() ? QString::fromLatin1(o->metaObject()->className()) : o->objectName();
}

void Revisar(const QObject* o, const QString& texto, QStringList& sinMarcar, const QStringList& datos = {}) {
  if (!TextosMarcados::Marcado(texto) && !datos.contains(texto))
    sinMarcar << Nombre(o) + QStringLiteral(": ") + texto;
}

bool DelHost(const QWidget* w, const QWidget* ventana) {
  for (const QObject* p = w->parent(); p && p != ventana; p = p->parent()) {
    const QLatin1String clase(p->metaObject()->className());
    if (clase == QLatin1String("zolmar::get") || clase == QLatin1String("zolmar::CtlFicha")) return true;
  }
  return false;
}

}  // namespace

QStringList TextosMarcados::SinMarcar(QWidget* ventana, const QStringList& datos) {
  QStringList sinMarcar;
  Revisar(ventana, ventana->windowTitle(), sinMarcar);
  QList<QWidget*> widgets = ventana->findChildren<QWidget*>();
  widgets.prepend(ventana);
  for (QWidget* w : widgets) {
    // What the person cannot see now is not read, nor the inner parts of the
    // control library's composite controls (their own texts are the host's).
    if (w != ventana && (!w->isVisibleTo(ventana) || DelHost(w, ventana))) continue;
    // The edit of an entry shows data; its tooltip is the entry's.
    Revisar(w, w->toolTip(), sinMarcar);
    if (auto* l = qobject_cast<QLabel*>(w)) Revisar(w, l->text(), sinMarcar, datos);
    if (auto* b = qobject_cast<QAbstractButton*>(w)) Revisar(w, b->text(), sinMarcar);
    if (auto* g = qobject_cast<QGroupBox*>(w)) Revisar(w, g->title(), sinMarcar);
    if (auto* t = qobject_cast<QTreeWidget*>(w); t && !t->isHeaderHidden())
      for (int c = 0; c < t->columnCount(); ++c) Revisar(w, t->headerItem()->text(c), sinMarcar);
    if (auto* t = qobject_cast<QTableWidget*>(w))
      for (int c = 0; c < t->columnCount(); ++c)
        if (const QTableWidgetItem* h = t->horizontalHeaderItem(c)) Revisar(w, h->text(), sinMarcar);
  }
  sinMarcar.removeDuplicates();
  return sinMarcar;
}

QStringList TextosMarcados::MensajesSinMarcar(const zolmar::ScriptedUserInterface& ui) {
  QStringList sinMarcar;
  for (const auto& m : ui.messages())
    for (const QString& texto : {m.title, m.text})
      if (!Marcado(texto)) sinMarcar << texto;
  return sinMarcar;
}
