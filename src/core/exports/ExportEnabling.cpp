#include "core/exports/ExportEnabling.h"

#include <string>

namespace trakvella {

void DefineExportEnabling(CommandEnabling& enabling, const Catalogue& catalogue, const Browser& browser) {
  enabling.DefineState(kStateCatalogueLoaded, [&catalogue] { return catalogue.CdCount() > 0; });
  // "+ Послать категорию в буфер" keeps the place's category path: at the root
  // there is none.
  enabling.DefineState(kStateCategoryPlace, [&browser] { return !browser.currentPath().empty(); });
  // The set's maximum export runs on an empty set too: it gives the header line.
  for (std::string_view command : kCatalogueExports) enabling.Require(kDeveloperMenu, command, {kStateCatalogueLoaded});
  enabling.Require(kDeveloperMenu, "catplus", {kStateCatalogueLoaded, kStateCategoryPlace});
  enabling.Require(kDeveloperMenu, "catclear", {kStateCategoryBufferFilled});
}

}  // namespace trakvella
