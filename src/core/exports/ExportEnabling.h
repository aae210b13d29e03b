#pragma once
// ExportEnabling: the developer menu's export commands in the enabling table — the catalogue
// exports need a loaded catalogue, the category buffer a place to add or paths to clear.
#include <string_view>

#include "core/browse/Browser.h"
#include "core/catalogue/Catalogue.h"
#include "core/enabling/CommandEnabling.h"

namespace trakvella {

// The exports of the developer menu, by their menu items' names.
inline constexpr std::string_view kCatalogueExports[] = {
    "N15", "N40", "ITFactory1", "N30", "reestritem", "N17", "XML1", "XML2", "GetFormatTree1", "WebAsyst", "Ya_xls"};

// Defines the catalogue and place states (kStateCatalogueLoaded,
// kStateCategoryPlace) over the catalogue and the browser (both outlive the
// table) and adds the developer menu's rows.
void DefineExportEnabling(CommandEnabling& enabling, const Catalogue& catalogue, const Browser& browser);

}  // namespace trakvella
