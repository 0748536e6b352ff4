#pragma once
// Renders the main window, its menus and every window the menus open into
// PNG files, without a screen.

#include <QString>

namespace zolmar {

class MainWindow;

// Returns how many files were written; errors go to stderr.
int TakeScreenshots(MainWindow& window, const QString& folder);

}  // namespace zolmar
