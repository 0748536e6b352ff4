#include "zolmar/ui/lbl.h"

namespace zolmar {

lbl::lbl(const QString& caption, QWidget* parent) : QLabel(caption, parent) {}

}  // namespace zolmar
