#include "core/QtRomanian.h"

#include <QCoreApplication>
#include <QHash>
#include <QPointer>

namespace
{

struct Text {
    const char* context;
    const char* source;
    const char* romanian;
};

// Qt's source texts, exactly as its libraries hold them, by the context Qt translates them in.
constexpr Text texts[] = {
    // Standard buttons of QDialogButtonBox and QMessageBox.
    {"QPlatformTheme", "OK", "OK"},
    {"QPlatformTheme", "Save", "Salveaza"},
    {"QPlatformTheme", "Save All", "Salveaza tot"},
    {"QPlatformTheme", "Open", "Deschide"},
    {"QPlatformTheme", "&Yes", "&Da"},
    {"QPlatformTheme", "Yes to &All", "Da la &toate"},
    {"QPlatformTheme", "&No", "&Nu"},
    {"QPlatformTheme", "N&o to All", "N&u la toate"},
    {"QPlatformTheme", "Abort", "Abandoneaza"},
    {"QPlatformTheme", "Retry", "Reincearca"},
    {"QPlatformTheme", "Ignore", "Ignora"},
    {"QPlatformTheme", "Close", "Inchide"},
    {"QPlatformTheme", "Cancel", "Renunta"},
    {"QPlatformTheme", "Discard", "Nu salva"},
    {"QPlatformTheme", "Help", "Ajutor"},
    {"QPlatformTheme", "Apply", "Aplica"},
    {"QPlatformTheme", "Reset", "Reinitializeaza"},
    {"QPlatformTheme", "Restore Defaults", "Valorile implicite"},
    // The same buttons on a GNOME desktop.
    {"QGnomeTheme", "&OK", "&OK"},
    {"QGnomeTheme", "&Save", "&Salveaza"},
    {"QGnomeTheme", "&Cancel", "&Renunta"},
    {"QGnomeTheme", "&Close", "&Inchide"},
    {"QGnomeTheme", "Close without Saving", "Inchide fara a salva"},

    {"QMessageBox", "Show Details...", "Arata detaliile..."},
    {"QMessageBox", "Hide Details...", "Ascunde detaliile..."},

    // File dialog.
    {"QFileDialog", "Look in:", "Cauta in:"},
    {"QFileDialog", "Back", "Inapoi"},
    {"QFileDialog", "Go back", "Inapoi"},
    {"QFileDialog", "Forward", "Inainte"},
    {"QFileDialog", "Go forward", "Inainte"},
    {"QFileDialog", "Parent Directory", "Folderul parinte"},
    {"QFileDialog", "Go to the parent directory", "Mergi in folderul parinte"},
    {"QFileDialog", "Create New Folder", "Folder nou"},
    {"QFileDialog", "Create a New Folder", "Creeaza un folder nou"},
    {"QFileDialog", "List View", "Lista"},
    {"QFileDialog", "Change to list view mode", "Afiseaza ca lista"},
    {"QFileDialog", "Detail View", "Detalii"},
    {"QFileDialog", "Change to detail view mode", "Afiseaza cu detalii"},
    {"QFileDialog", "Sidebar", "Bara laterala"},
    {"QFileDialog", "List of places and bookmarks", "Locuri si semne de carte"},
    {"QFileDialog", "Files", "Fisiere"},
    {"QFileDialog", "Files of type:", "Fisiere de tipul:"},
    {"QFileDialog", "File &name:", "&Nume fisier:"},
    {"QFileDialog", "Directory:", "Folder:"},
    {"QFileDialog", "Directories", "Foldere"},
    {"QFileDialog", "Open", "Deschide"},
    {"QFileDialog", "Save As", "Salveaza ca"},
    {"QFileDialog", "Find Directory", "Alegeti folderul"},
    {"QFileDialog", "&Open", "&Deschide"},
    {"QFileDialog", "&Save", "&Salveaza"},
    {"QFileDialog", "&Choose", "&Alege"},
    {"QFileDialog", "&Rename", "&Redenumeste"},
    {"QFileDialog", "&Delete", "&Sterge"},
    {"QFileDialog", "Show &hidden files", "Arata fisierele &ascunse"},
    {"QFileDialog", "&New Folder", "Folder &nou"},
    {"QFileDialog", "New Folder", "Folder nou"},
    {"QFileDialog", "Recent Places", "Locuri recente"},
    {"QFileDialog", "All files (*)", "Toate fisierele (*)"},
    {"QFileDialog", "All Files (*)", "Toate fisierele (*)"},
    {"QFileDialog", "%1\nDirectory not found.\nPlease verify the correct directory name was given.",
     "%1\nFolderul nu exista.\nVerificati numele folderului."},
    {"QFileDialog", "%1 already exists.\nDo you want to replace it?",
     "%1 exista deja.\nDoriti sa il inlocuiti?"},
    {"QFileDialog", "%1\nFile not found.\nPlease verify the correct file name was given.",
     "%1\nFisierul nu exista.\nVerificati numele fisierului."},
    {"QFileDialog", "'%1' is write protected.\nDo you want to delete it anyway?",
     "'%1' este protejat la scriere.\nDoriti totusi sa il stergeti?"},
    {"QFileDialog", "Are you sure you want to delete '%1'?", "Sigur doriti sa stergeti '%1'?"},
    {"QFileDialog", "Could not delete directory.", "Folderul nu poate fi sters."},
    {"QFileSystemModel", "Name", "Nume"},
    {"QFileSystemModel", "Size", "Marime"},
    {"QFileSystemModel", "Type", "Tip"},
    {"QFileSystemModel", "Date Modified", "Data modificarii"},
    {"QFileSystemModel", "Computer", "Calculatorul"},

    // Font dialog.
    {"QFontDialog", "Select Font", "Alegeti fontul"},
    {"QFontDialog", "&Font", "&Font"},
    {"QFontDialog", "Font st&yle", "&Stil"},
    {"QFontDialog", "&Size", "&Marime"},
    {"QFontDialog", "Effects", "Efecte"},
    {"QFontDialog", "Stri&keout", "&Taiat"},
    {"QFontDialog", "&Underline", "S&ubliniat"},
    {"QFontDialog", "Sample", "Exemplu"},
    {"QFontDialog", "Wr&iting System", "Sistem de s&criere"},
    {"QFontDatabase", "Normal", "Normal"},
    {"QFontDatabase", "Bold", "Aldin"},
    {"QFontDatabase", "Italic", "Cursiv"},
    {"QFontDatabase", "Oblique", "Oblic"},
    {"QFontDatabase", "Thin", "Subtire"},
    {"QFontDatabase", "Extra Light", "Foarte subtire"},
    {"QFontDatabase", "Light", "Usor"},
    {"QFontDatabase", "Medium", "Mediu"},
    {"QFontDatabase", "Demi Bold", "Semialdin"},
    {"QFontDatabase", "Extra Bold", "Foarte aldin"},
    {"QFontDatabase", "Black", "Negru"},
    // The writing systems of the font dialog's list.
    {"QFontDatabase", "Any", "Oricare"},
    {"QFontDatabase", "Latin", "Latin"},
    {"QFontDatabase", "Greek", "Grec"},
    {"QFontDatabase", "Cyrillic", "Chirilic"},
    {"QFontDatabase", "Armenian", "Armean"},
    {"QFontDatabase", "Hebrew", "Ebraic"},
    {"QFontDatabase", "Arabic", "Arab"},
    {"QFontDatabase", "Syriac", "Siriac"},
    {"QFontDatabase", "Thaana", "Thaana"},
    {"QFontDatabase", "Devanagari", "Devanagari"},
    {"QFontDatabase", "Bengali", "Bengali"},
    {"QFontDatabase", "Gurmukhi", "Gurmukhi"},
    {"QFontDatabase", "Gujarati", "Gujarati"},
    {"QFontDatabase", "Oriya", "Oriya"},
    {"QFontDatabase", "Tamil", "Tamil"},
    {"QFontDatabase", "Telugu", "Telugu"},
    {"QFontDatabase", "Kannada", "Kannada"},
    {"QFontDatabase", "Malayalam", "Malayalam"},
    {"QFontDatabase", "Sinhala", "Singhalez"},
    {"QFontDatabase", "Thai", "Thailandez"},
    {"QFontDatabase", "Lao", "Laotian"},
    {"QFontDatabase", "Tibetan", "Tibetan"},
    {"QFontDatabase", "Myanmar", "Birman"},
    {"QFontDatabase", "Georgian", "Georgian"},
    {"QFontDatabase", "Khmer", "Khmer"},
    {"QFontDatabase", "Simplified Chinese", "Chinez simplificat"},
    {"QFontDatabase", "Traditional Chinese", "Chinez traditional"},
    {"QFontDatabase", "Japanese", "Japonez"},
    {"QFontDatabase", "Korean", "Coreean"},
    {"QFontDatabase", "Vietnamese", "Vietnamez"},
    {"QFontDatabase", "Symbol", "Simboluri"},
    {"QFontDatabase", "Ogham", "Ogham"},
    {"QFontDatabase", "Runic", "Runic"},
    {"QFontDatabase", "N'Ko", "N'Ko"},

    // Key names, as menus and tool tips show shortcuts ("Alt+Stanga").
    {"QShortcut", "Ctrl", "Ctrl"},
    {"QShortcut", "Shift", "Shift"},
    {"QShortcut", "Alt", "Alt"},
    {"QShortcut", "Meta", "Meta"},
    {"QShortcut", "Num", "Num"},
    {"QShortcut", "Space", "Spatiu"},
    {"QShortcut", "Esc", "Esc"},
    {"QShortcut", "Tab", "Tab"},
    {"QShortcut", "Backtab", "Shift+Tab"},
    {"QShortcut", "Backspace", "Backspace"},
    {"QShortcut", "Return", "Enter"},
    {"QShortcut", "Enter", "Enter"},
    {"QShortcut", "Ins", "Ins"},
    {"QShortcut", "Del", "Del"},
    {"QShortcut", "Pause", "Pause"},
    {"QShortcut", "Print", "Print"},
    {"QShortcut", "SysReq", "SysReq"},
    {"QShortcut", "Home", "Home"},
    {"QShortcut", "End", "End"},
    {"QShortcut", "Left", "Stanga"},
    {"QShortcut", "Up", "Sus"},
    {"QShortcut", "Right", "Dreapta"},
    {"QShortcut", "Down", "Jos"},
    {"QShortcut", "PgUp", "PgUp"},
    {"QShortcut", "PgDown", "PgDown"},
    {"QShortcut", "CapsLock", "CapsLock"},
    {"QShortcut", "NumLock", "NumLock"},
    {"QShortcut", "ScrollLock", "ScrollLock"},
    {"QShortcut", "Menu", "Meniu"},
    {"QShortcut", "Help", "Ajutor"},
    {"QFileDialog", "Alt+Left", "Alt+Stanga"},
    {"QFileDialog", "Alt+Right", "Alt+Dreapta"},
    {"QFileDialog", "Alt+Up", "Alt+Sus"},
    {"QFileDialog", "Show ", "Arata "},
    {"QAbstractFileIconProvider", "Drive", "Unitate"},
    {"QAbstractFileIconProvider", "Folder", "Folder"},
    {"QAbstractFileIconProvider", "File", "Fisier"},

    // Scroll buttons of a row of tabs too long for its window, and the scroll bars' menu.
    {"QTabBar", "Scroll Left", "Deruleaza la stanga"},
    {"QTabBar", "Scroll Right", "Deruleaza la dreapta"},
    {"QScrollBar", "Scroll here", "Deruleaza pana aici"},
    {"QScrollBar", "Left edge", "Marginea din stanga"},
    {"QScrollBar", "Top", "Sus de tot"},
    {"QScrollBar", "Right edge", "Marginea din dreapta"},
    {"QScrollBar", "Bottom", "Jos de tot"},
    {"QScrollBar", "Page left", "O pagina la stanga"},
    {"QScrollBar", "Page up", "O pagina in sus"},
    {"QScrollBar", "Page right", "O pagina la dreapta"},
    {"QScrollBar", "Page down", "O pagina in jos"},
    {"QScrollBar", "Scroll left", "Deruleaza la stanga"},
    {"QScrollBar", "Scroll up", "Deruleaza in sus"},
    {"QScrollBar", "Scroll right", "Deruleaza la dreapta"},
    {"QScrollBar", "Scroll down", "Deruleaza in jos"},

    // What a screen reader says a control can do.
    {"QAccessibleActionInterface", "Press", "Apasa"},
    {"QAccessibleActionInterface", "Increase", "Mareste"},
    {"QAccessibleActionInterface", "Decrease", "Micsoreaza"},
    {"QAccessibleActionInterface", "ShowMenu", "Arata meniul"},
    {"QAccessibleActionInterface", "SetFocus", "Muta cursorul aici"},
    {"QAccessibleActionInterface", "Toggle", "Comuta"},
    {"QAccessibleActionInterface", "Scroll Left", "Deruleaza la stanga"},
    {"QAccessibleActionInterface", "Scroll Right", "Deruleaza la dreapta"},
    {"QAccessibleActionInterface", "Scroll Up", "Deruleaza in sus"},
    {"QAccessibleActionInterface", "Scroll Down", "Deruleaza in jos"},
    {"QAccessibleActionInterface", "Previous Page", "Pagina precedenta"},
    {"QAccessibleActionInterface", "Next Page", "Pagina urmatoare"},
    {"QAccessibleActionInterface", "Triggers the action", "Executa comanda"},
    {"QAccessibleActionInterface", "Increase the value", "Mareste valoarea"},
    {"QAccessibleActionInterface", "Decrease the value", "Micsoreaza valoarea"},
    {"QAccessibleActionInterface", "Shows the menu", "Arata meniul"},
    {"QAccessibleActionInterface", "Sets the focus", "Muta cursorul aici"},
    {"QAccessibleActionInterface", "Toggles the state", "Schimba starea"},
    {"QAccessibleActionInterface", "Scrolls to the left", "Deruleaza la stanga"},
    {"QAccessibleActionInterface", "Scrolls to the right", "Deruleaza la dreapta"},
    {"QAccessibleActionInterface", "Scrolls up", "Deruleaza in sus"},
    {"QAccessibleActionInterface", "Scrolls down", "Deruleaza in jos"},
    {"QAccessibleActionInterface", "Goes back a page", "Inapoi o pagina"},
    {"QAccessibleActionInterface", "Goes to the next page", "Inainte o pagina"},

    // Print dialog.
    {"QPrintDialog", "Print", "Tiparire"},
    {"QPrintDialog", "&Print", "&Tipareste"},
    {"QPrintDialog", "&Options >>", "&Optiuni >>"},
    {"QPrintDialog", "&Options <<", "&Optiuni <<"},
    {"QPrintDialog", "Print to File (PDF)", "Tiparire in fisier (PDF)"},
    {"QPrintDialog", "Print To File ...", "Tiparire in fisier ..."},
    {"QPrintDialog", "Local file", "Fisier local"},
    {"QPrintDialog", "Write PDF file", "Scrie un fisier PDF"},
    {"QPrintDialog", "All Pages", "Toate paginile"},
    {"QPrintDialog", "Odd Pages", "Paginile impare"},
    {"QPrintDialog", "Even Pages", "Paginile pare"},
    {"QPrintWidget", "Printer", "Imprimanta"},
    {"QPrintWidget", "&Name:", "&Nume:"},
    {"QPrintWidget", "P&roperties", "P&roprietati"},
    {"QPrintWidget", "Location:", "Locatie:"},
    {"QPrintWidget", "Type:", "Tip:"},
    {"QPrintWidget", "Output &file:", "&Fisier:"},
    {"QPrintSettingsOutput", "Copies", "Exemplare"},
    {"QPrintSettingsOutput", "Print range", "Pagini de tiparit"},
    {"QPrintSettingsOutput", "Print all", "Toate"},
    {"QPrintSettingsOutput", "Pages from", "Paginile de la"},
    {"QPrintSettingsOutput", "to", "la"},
    {"QPrintSettingsOutput", "Pages", "Paginile"},
    {"QPrintSettingsOutput", "Current Page", "Pagina curenta"},
    {"QPrintSettingsOutput", "Selection", "Selectia"},
    {"QPrintSettingsOutput", "Page Set:", "Setul de pagini:"},
    {"QPrintSettingsOutput", "Output Settings", "Iesire"},
    {"QPrintSettingsOutput", "Copies:", "Exemplare:"},
    {"QPrintSettingsOutput", "Collate", "Asambleaza"},
    {"QPrintSettingsOutput", "Reverse", "In ordine inversa"},
    {"QPrintSettingsOutput", "Options", "Optiuni"},
    {"QPrintSettingsOutput", "Color Mode", "Culoare"},
    {"QPrintSettingsOutput", "Color", "Color"},
    {"QPrintSettingsOutput", "Grayscale", "Tonuri de gri"},
    {"QPrintSettingsOutput", "Double Sided Printing", "Tiparire fata-verso"},
    {"QPrintSettingsOutput", "Off", "Nu"},
    {"QPrintSettingsOutput", "Long side binding", "Legare pe latura lunga"},
    {"QPrintSettingsOutput", "Short side binding", "Legare pe latura scurta"},
    {"QPageSetupWidget", "Paper", "Hartie"},
    {"QPageSetupWidget", "Page size:", "Format pagina:"},
    {"QPageSetupWidget", "Width:", "Latime:"},
    {"QPageSetupWidget", "Height:", "Inaltime:"},
    {"QPageSetupWidget", "Paper source:", "Sursa hartiei:"},
    {"QPageSetupWidget", "Orientation", "Orientare"},
    {"QPageSetupWidget", "Portrait", "Portret"},
    {"QPageSetupWidget", "Landscape", "Peisaj"},
    {"QPageSetupWidget", "Reverse landscape", "Peisaj inversat"},
    {"QPageSetupWidget", "Reverse portrait", "Portret inversat"},
    {"QPageSetupWidget", "Margins", "Margini"},
    {"QPageSetupWidget", "top margin", "marginea de sus"},
    {"QPageSetupWidget", "left margin", "marginea din stanga"},
    {"QPageSetupWidget", "right margin", "marginea din dreapta"},
    {"QPageSetupWidget", "bottom margin", "marginea de jos"},
    {"QPageSetupWidget", "Page Layout", "Asezare in pagina"},
    {"QPageSetupWidget", "Page order:", "Ordinea paginilor:"},
    {"QPageSetupWidget", "Pages per sheet:", "Pagini pe foaie:"},
    {"QPageSetupWidget", "Millimeters (mm)", "Milimetri (mm)"},
    {"QPageSetupWidget", "Inches (in)", "Toli (in)"},
    {"QPageSetupWidget", "Points (pt)", "Puncte (pt)"},
    {"QPageSetupDialog", "Page Setup", "Configurare pagina"},
};

using Key = QPair<QByteArray, QByteArray>;

const QHash<Key, QString>& table()
{
    static const QHash<Key, QString> byText = [] {
        QHash<Key, QString> h;
        for (const Text& t : texts)
            h.insert({QByteArray(t.context), QByteArray(t.source)}, QString::fromUtf8(t.romanian));
        return h;
    }();
    return byText;
}

} // namespace

QString QtRomanian::translate(const char* context, const char* sourceText, const char*, int) const
{
    if (!context || !sourceText)
        return {};
    // A null text sends Qt on to the next translator, and in the end to its own English.
    return table().value({QByteArray(context), QByteArray(sourceText)});
}

void installQtRomanian()
{
    static QPointer<QtRomanian> installed; // goes with the application that owns it
    if (installed || !QCoreApplication::instance())
        return;
    installed = new QtRomanian(QCoreApplication::instance());
    QCoreApplication::installTranslator(installed);
}
