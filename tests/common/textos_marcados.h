#pragma once
// A check that every text a person reads went through the translation: the
// host shows texts without a catalogue entry marked «so», and a window's
// captions, labels, tooltips, column titles and title are then read back.
// What is left once the marked parts are taken out must hold no letter.

#include <QString>
#include <QStringList>

class QWidget;

namespace zolmar {
class Host;
class ScriptedUserInterface;
}  // namespace zolmar

class TextosMarcados {
 public:
  // From now on the host marks every text it translates.
  static void Marcar(zolmar::Host& host);
  // True when the text is empty or every letter of it lies inside a mark.
  static bool Marcado(const QString& texto);
  // The texts of the window (and of the widgets in it) that are not marked,
  // each prefixed by the object that shows it; datos are texts the window
  // shows as they are stored (a path, a database's name).
  static QStringList SinMarcar(QWidget* ventana, const QStringList& datos = {});
  // The titles and texts of the messages shown so far that are not marked.
  static QStringList MensajesSinMarcar(const zolmar::ScriptedUserInterface& ui);
};
