#pragma once

#include <QTranslator>

// Romanian for the texts Qt's own dialogs show: Debian ships no Romanian
// translation of Qt's strings, so the program carries the few it needs.
// Installed once at start (installQtRomanian) it makes the standard buttons
// read "OK", "Renunta", "Da", "Nu", "Inchide", "Deschide", "Salveaza"...
//
// Covered: the standard buttons of every button box and message box
// (contexts QPlatformTheme and QGnomeTheme), the details button of a message
// box, the file dialog with its file list headers and its questions, the font
// dialog with its writing systems, and the print dialog with its output
// settings, printer box and page setup; the scroll buttons of a row of tabs,
// the scroll bars' menu and the actions a screen reader names. A text not
// covered stays in Qt's English.
class QtRomanian : public QTranslator
{
    Q_OBJECT
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

// Installs one QtRomanian on the application (again: does nothing).
void installQtRomanian();
