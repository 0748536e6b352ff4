#pragma once
// "Exportar árbol...": the tree to write, a file chooser, and the tree written
// as an exchange document that another company can import.

#include "arboles_menu.h"

namespace zolmar {

ArbolesMenuEntry ExportarArbolEntry(Host& host);

}  // namespace zolmar
