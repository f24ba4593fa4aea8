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
