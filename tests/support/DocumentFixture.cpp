#include "support/DocumentFixture.h"

#include "support/Fakes.h"

namespace trakvella::testing {

const ResourceStore& BuiltInTemplates() {
  static const EmbeddedResourceStore store;
  return store;
}

const Catalogue& BuiltInCatalogue() {
  static const Catalogue* catalogue = [] {
    auto* c = new Catalogue;
    TempDir home;
    FakeDialogs dialogs;
    FakeProgress progress;
    c->ReadCatalogueTables(BuiltInTemplates(), dialogs);
    LoadOptions options;
    options.programFolder = home.path();
    options.today = {2026, 12};
    c->LoadCatalogue(BuiltInTemplates(), options, dialogs, progress);
    return c;
  }();
  return *catalogue;
}

namespace {
DocFormState CommonForm(DocPage page) {
  DocFormState form({2024, 3, 1});
  form.reportDate = {2024, 4, 15};
  form.page = page;
  form.SetText("fDogNumberEdit", "77-Д");
  return form;
}
}  // namespace

DocFormState LegalEntityForm() {
  DocFormState form = CommonForm(DocPage::LegalEntity);
  form.SetText("fLLC", "ООО «Ромашка»");
  form.SetText("fFIOCEO", "Иванов Иван Иванович");
  form.SetText("fReq", "ИНН 7712345678\r\nг. Москва, ул. Лесная, д. 1");
  return form;
}

DocFormState EntrepreneurForm() {
  DocFormState form = CommonForm(DocPage::Entrepreneur);
  form.SetText("fIP", "ИП Сидоров Сергей Сергеевич");
  form.SetText("fOGRNIP", "123");
  return form;
}

DocFormState PrivatePersonForm() {
  DocFormState form = CommonForm(DocPage::PrivatePerson);
  form.SetText("fFIO", "Петров Пётр Петрович");
  form.SetText("fPassport", "паспорт 4500 123456");
  form.SetText("fReqFIO", "г. Тверь, ул. Садовая, д. 3");
  return form;
}

DocAccount Account() { return {"demo-login", "пароль&{1}", {"KMLB_012_003"}}; }

}  // namespace trakvella::testing
