#pragma once
// What the document tests share: the program's own templates and sample
// catalogue, and the documents window filled in for each licensee page.
#include "core/catalogue/Catalogue.h"
#include "core/catalogue/Resources.h"
#include "core/documents/LicenceDocuments.h"

namespace trakvella::testing {

// The resources compiled into the program, and the catalogue they hold (loaded once).
const ResourceStore& BuiltInTemplates();
const Catalogue& BuiltInCatalogue();

// Contract "77-Д" of 1 March 2024, report date 15 April 2024, on each page.
DocFormState LegalEntityForm();    // ООО «Ромашка», requisites on two lines
DocFormState EntrepreneurForm();   // ИП Сидоров, ОГРНИП 123, requisites untouched
DocFormState PrivatePersonForm();  // Петров, his passport and address
// Signed in as "demo-login", one track downloaded (KMLB_012_003).
DocAccount Account();

}  // namespace trakvella::testing
