// The licence documents on the generated full-size catalogue: the contract,
// its appendix and the act with a 500-track table, and the passport of one
// track, filled from their templates (goal: all four within 200 ms).
// Run: build/bench/documents_bench  (medians over 10 repetitions)
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "BenchSupport.h"
#include "core/catalogue/Resources.h"
#include "core/documents/LicenceDocuments.h"

namespace {

using namespace trakvella;

struct Library : bench::Library {
  Library() : bench::Library("documents-bench") {}
};

Library& Lib() {
  static Library library;
  return library;
}

// The music set chosen as the source of the act's list; nothing else is asked.
class MusicSetChosen : public bench::NoDialogs {
 public:
  int Choose(const std::string&, const std::string&, const std::vector<std::string>&) override { return 1; }
};

// 500 tracks spread over the catalogue, listed from the last CD to the first,
// so the table has to put them back into catalogue order.
std::vector<std::string> FiveHundredCodes(const Catalogue& catalogue) {
  std::vector<std::string> codes;
  for (int cd = catalogue.CdCount() - 1; cd >= 0 && codes.size() < 500; cd -= 2)
    for (size_t t = 0; t < catalogue.Cd(cd).tracks.size() && t < 3 && codes.size() < 500; ++t)
      codes.push_back(catalogue.Cd(cd).tracks[t].code);
  return codes;
}

DocFormState Form() {
  DocFormState form({2024, 3, 1});
  form.SetText("fDogNumberEdit", "77-Д");
  form.SetText("fLLC", "ООО «Ромашка»");
  form.SetText("fFIOCEO", "Иванов Иван Иванович");
  form.SetText("fReq", "ИНН 7712345678\r\nг. Москва, ул. Лесная, д. 1");
  form.SetText("fPriceEdit", "5000");
  form.SetText("fQuotaEdit", "25");
  return form;
}

void BM_FillAllFourDocuments_500Tracks(benchmark::State& state) {
  Library& lib = Lib();
  const EmbeddedResourceStore templates;
  MusicSetChosen dialogs;
  const DocumentContext context{templates, lib.catalogue, dialogs, Language::Russian, 96, nullptr, {}};
  const DocFormState form = Form();
  const DocAccount account{"demo", "secret", {}};
  const auto codes = FiveHundredCodes(lib.catalogue);
  const TrackRecord& first = lib.catalogue.Cd(0).tracks[0];
  int rows = 0;
  for (auto _ : state) {
    LicenceDocuments docs;
    rows = MakeDocuments(DocumentAction::FillOnly, form, account, codes, context, docs).tableRows;
    RtfDocument passport;
    if (!MakePassportDoc(templates,
                         {first.title + " (" + first.code + ")", first.composer, first.duration, first.performer},
                         passport)) {
      state.SkipWithError("the passport template is missing");
      break;
    }
    benchmark::DoNotOptimize(passport.source().size());
  }
  if (rows != 500) state.SkipWithError("the act does not list 500 tracks");
  state.counters["rows"] = rows;
}
BENCHMARK(BM_FillAllFourDocuments_500Tracks)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

// The act's table alone: lines from the catalogue, the RTF fragment, the insert.
void BM_ActTable_500Tracks(benchmark::State& state) {
  Library& lib = Lib();
  const EmbeddedResourceStore templates;
  const auto codes = FiveHundredCodes(lib.catalogue);
  RtfDocument act;
  if (!LoadTemplate(templates, kActTemplate, act)) {
    state.SkipWithError("the act template is missing");
    return;
  }
  for (auto _ : state) {
    RtfDocument filled = act;
    InsertTrackTable(filled, TrackTableLines(lib.catalogue, codes), 96);
    benchmark::DoNotOptimize(filled.text().size());
  }
}
BENCHMARK(BM_ActTable_500Tracks)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
