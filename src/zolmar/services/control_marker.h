#pragma once
// Marks an entry control after a validation: 2 the text was left as typed
// (nothing chosen), 3 the text names nothing; 0 clears the mark. The mark is
// the entry's background and its "MarcaControl" property.

class QWidget;

namespace zolmar {

class ControlMarker {
 public:
  static constexpr char kProperty[] = "MarcaControl";
  static void mark(QWidget* control, int code);
  static int markOf(const QWidget* control);
};

}  // namespace zolmar
