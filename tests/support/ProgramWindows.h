#pragma once

#include <functional>

class QWidget;
class TMainFrm;

// Runs every command of the main window but "Iesire" and hands each window
// it opens, modeless or modal, to `visit` while it is up; then closes it.
// Report previews are closed without a visit. The program's own dialogs
// (questions, pickers) are answered by whatever UserDialogs is installed.
void visitProgramWindows(TMainFrm& mainWindow, const std::function<void(QWidget* window)>& visit);
