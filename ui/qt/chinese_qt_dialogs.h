// SPDX-License-Identifier: MIT
#pragma once

class QCoreApplication;

// Makes Qt's own dialogs and buttons (the print dialog, a message box's OK) speak Simplified
// Chinese like the window, whatever the user's language. Returns false when Qt's translations
// are not installed; the dialogs then stay in English.
bool InstallChineseQtDialogs(QCoreApplication& app);
