// Message boxes of the program: QMessageBox behind the one message function.
#pragma once

#include "core/umessage.h"

// Installs the dialog-based handler for the whole program.
void InstallMessageBoxHandler();

// A handler that prints each message to standard error and answers like a user who presses
// Enter: for unattended runs (KM350_MESSAGES=stderr).
void InstallStderrMessageHandler();

// Shows one message box; topmost keeps it above other programs' windows.
MsgAnswer ShowMessageBox(const QString& text, const QString& caption, MsgIcon icon,
                         MsgButtons buttons, bool topmost = false);
