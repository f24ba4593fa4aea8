#include "catalogues/CatalogueOpeners.h"

#include "catalogues/CatalogWindow.h"
#include "widgets/SingleInstance.h"

#include <map>

TCatalogFrm* openCatalogue(const CatalogDescriptor& descriptor, QWidget* mainWindow)
{
    // One instance per catalogue; pickers never take this place.
    static std::map<const CatalogDescriptor*, SingleInstance<TCatalogFrm>> windows;
    return windows[&descriptor].show(
        [&] { return new TCatalogFrm(descriptor, TCatalogFrm::Mode::Catalogue, mainWindow); });
}
