#pragma once

class QWidget;
class TCatalogFrm;
struct CatalogDescriptor;

// Opens the catalogue's modeless window, owned by the main window, for
// browsing and editing the list in place. A catalogue has at most one such
// window: choosing it again brings that window forward, restored when it was
// minimised. Throws DbError when the table cannot be opened.
TCatalogFrm* openCatalogue(const CatalogDescriptor& descriptor, QWidget* mainWindow);
