#pragma once
// "Importar árbol...": a file chooser, the import of the chosen exchange
// document with a progress bar, and its status at the end.

#include "arboles_menu.h"

namespace zolmar {

ArbolesMenuEntry ImportarArbolEntry(Host& host);

}  // namespace zolmar
