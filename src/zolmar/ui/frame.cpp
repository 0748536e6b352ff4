#include "zolmar/ui/frame.h"

namespace zolmar {

Frame::Frame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

}  // namespace zolmar
