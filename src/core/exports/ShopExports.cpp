#include "core/exports/ShopExports.h"

#include <algorithm>
#include <unordered_map>

#include "core/catalogue/TrackCodes.h"
#include "core/exports/CategoryWalk.h"
#include "core/exports/ExportValues.h"
#include "core/text/Text.h"

namespace trakvella {

namespace {

constexpr std::string_view kTreeReady =
    "Код дерева стилей в буфере, на целевой странице замените строку:\rВнимание - дерево каталогов не "
    "загружено!</div>";
constexpr std::string_view kWebAsystAsk =
    "Импорт в магазин WebAsyst\rПоместите в буфер таблицу цен на сборники вида KMLB_001=1000";
constexpr std::string_view kWebAsystTaken = "Взято строк ";
constexpr std::string_view kWebAsystReady = "в буфер помещен TAB список, строк ";
constexpr std::string_view kYandexReady = "В буфере таблица, строк: ";
constexpr std::string_view kYandexPrices = "Внимание! Столбец цен скопируйте из kmlb_catalog.xls";
constexpr std::string_view kFoldLink = "<a class=\"sc\" href=\"#\" onclick=\"return UnHide(this)\">";

std::string JoinTab(const std::vector<std::string>& fields) {
  std::string line;
  for (size_t i = 0; i < fields.size(); ++i) {
    if (i) line += '\t';
    line += fields[i];
  }
  return line;
}

// A text inside a double-quoted attribute value: "&" and '"' as entities, so a
// CD's name can neither end the value nor be read as an entity.
std::string AttributeText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '"')
      out += "&quot;";
    else
      out += c;
  }
  return out;
}

std::string WithoutTrailingSlash(std::string text) {
  while (!text.empty() && text.back() == '/') text.pop_back();
  return text;
}

// The HTML tree: a list item per category that opens a list of its level, a
// list item with a link per CD.
class TreeHtml : public CategoryVisitor {
 public:
  TreeHtml(std::vector<std::string>& lines, std::string cdLink) : lines_(lines), cdLink_(std::move(cdLink)) {}
  void Category(const std::string& name, const BoxRow&, const Browser&) override {
    lines_.push_back("<li class=\"cl\"><div><p>" + std::string(kFoldLink) + "&#9658;&nbsp;" + name +
                     "</a></p></div><ul>");
  }
  void Cd(const std::string& name, const BoxRow&) override {
    lines_.push_back("<li class=\"cl\"><div><p><a class=\"fancybox fancybox.iframe\" href=\"" + cdLink_ +
                     AttributeText(name) + "\"><img class=\"i\" src=\"images/idisk.gif\">" + name +
                     "</a></p></div></li>");
  }
  void LevelDone() override { lines_.push_back("</ul></li>"); }

 private:
  std::vector<std::string>& lines_;
  std::string cdLink_;
};

// The price table the user pasted ("CODE=PRICE" lines), by upper-case code; the first line of a code wins.
std::unordered_map<std::string, std::string> WebAsystPrices(ExportContext& context) {
  context.dialogs.Message(std::string(kWebAsystAsk), MessageKind::Information);
  std::unordered_map<std::string, std::string> prices;
  size_t taken = 0;
  for (const auto& line : SplitLines(context.clipboard.Text())) {
    if (line.find('=') == std::string::npos) continue;
    prices.try_emplace(UpperCase(Trim(RowName(line))), Trim(RowValue(line)));
    ++taken;
  }
  context.dialogs.Message(std::string(kWebAsystTaken) + std::to_string(taken), MessageKind::Information);
  return prices;
}

// A CD's tags: the last element of each of its categories, translated, without the "…" and "*" ones.
std::string WebAsystTags(const Catalogue& catalogue, const CdRecord& cd) {
  std::string tags;
  for (const auto& path : cd.categories) {
    const size_t cut = path.rfind(kPathSeparator);
    std::string segment = cut == std::string::npos ? path : path.substr(cut + kPathSeparator.size());
    if (auto translated = catalogue.Translation(segment)) segment = std::string(*translated);
    if (segment.find("\u2026") != std::string::npos || segment.find('*') != std::string::npos) continue;
    ReplaceAll(segment, "/", "-");
    ReplaceAll(segment, "&", "n");
    if (!tags.empty()) tags += ", ";
    tags += segment;
  }
  return tags;
}

}  // namespace

// --- Category tree ------------------------------------------------------------------------

ExportResult ExportCategoryTreeHtml(ExportContext& context, Browser& browser) {
  ExportResult result;
  std::vector<std::string> lines;
  {
    ExportProgress progress(context.progress, context.language);
    TreeHtml tree(lines, WithoutTrailingSlash(context.settings.oldSite) + "/KMLB?style=ВСЕ СБОРНИКИ&playlist=");
    if (!WalkCategories(browser, context.catalogue, context.language, progress, tree))
      return {ExportOutcome::Cancelled, {}};
  }
  const std::vector<std::string> head = {
      "<div class=\"treeview\" style=\"font-family: Arial\">", "<ul><li>",
      std::string(kFoldLink) + "&#9660;</a> <a href=\"#\">" + context.settings.libraryName + "</a><li class=\"cl\">"};
  lines.insert(lines.begin(), head.begin(), head.end());
  for (const char* tail : {"</ul></li>", "</ul></li>", "</div>", "</div>"}) lines.push_back(tail);
  ToClipboard(context, result, JoinLinesCrLf(lines));
  context.dialogs.Message(std::string(kTreeReady), MessageKind::Information);
  return result;
}

// --- WebAsyst ----------------------------------------------------------------------------------

ExportResult ExportWebAsyst(ExportContext& context, bool showDescriptions) {
  const Catalogue& catalogue = context.catalogue;
  ExportResult result;
  const std::unordered_map<std::string, std::string> prices = WebAsystPrices(context);

  ExportProgress progress(context.progress, context.language);
  const std::string description = "<p><iframe src=\"" + context.settings.playerFrame +
                                  "\" width=\"100%\" height=\"600\" frameborder=\"0\"></iframe></p>";
  std::vector<std::string> lines{JoinTab({"Наименование",
                                          "Наименование артикула",
                                          "Артикул",
                                          "Валюта",
                                          "Цена",
                                          "Доступен для заказа",
                                          "Зачеркнутая цена",
                                          "Закупочная цена",
                                          "В наличии",
                                          "Краткое описание",
                                          "Описание",
                                          "Наклейка",
                                          "Статус",
                                          "Тип товаров",
                                          "Теги",
                                          "Облагается налогом",
                                          "Заголовок",
                                          "META Keywords",
                                          "META Description",
                                          "Ссылка на витрину",
                                          "compare_price_selectable",
                                          "purchase_price_selectable",
                                          "Треки",
                                          "Сборники",
                                          "Общее звучание"})};
  for (int p = 0; p < catalogue.CdCount(); ++p) {
    if (!progress.Step()) return {ExportOutcome::Cancelled, {}};
    const CdRecord& cd = catalogue.Cd(p);
    // Showing every description is a check the developer asks for: a box per
    // CD would otherwise stand between the user and a table of a thousand rows.
    if (showDescriptions) context.dialogs.Message(cd.description, MessageKind::Information);
    const std::string tags = WebAsystTags(catalogue, cd);
    long long totalMs = 0;
    for (const auto& t : cd.tracks) totalMs += DurationSeconds(t.duration) * 1000LL;
    const size_t at = cd.description.find("Description: ");
    const std::string shortText = at == std::string::npos ? std::string() : Trim(cd.description.substr(at + 13));
    auto price = prices.find(UpperCase(cd.cdCode));
    lines.push_back(JoinTab({UpperCase(AlbumTitle(cd)),
                             "",
                             cd.cdCode,
                             "RUB",
                             price == prices.end() ? std::string() : price->second,
                             "1",
                             "0",
                             "0",
                             "100",
                             "<p>" + shortText + "</p>",
                             description,
                             "new",
                             "1",
                             "Музыкальный сборник",
                             tags,
                             "",
                             UpperCase(cd.cdText),
                             "",
                             "",
                             LowerCase(cd.cdCode),
                             "0.0000",
                             "0.0000",
                             std::to_string(cd.tracks.size()),
                             "",
                             FormatDuration(totalMs, DurationForm::HoursMinutesSeconds, context.language)}));
  }
  progress.Hide();
  const size_t count = lines.size();
  ToClipboard(context, result, JoinLinesCrLf(lines));
  context.dialogs.Message(std::string(kWebAsystReady) + std::to_string(count), MessageKind::Information);
  return result;
}

// --- Yandex -------------------------------------------------------------------------------------

std::string YandexDescription(std::string_view description) {
  if (CharCount(description) <= 250) return std::string(description);
  return FirstChars(description, 247) + "...";
}

ExportResult ExportYandexPriceList(ExportContext& context) {
  const Catalogue& catalogue = context.catalogue;
  ExportResult result;
  ExportProgress progress(context.progress, context.language);
  const std::string covers = WithoutTrailingSlash(context.settings.webSite) + "/images/covers/300x300/";
  std::vector<std::string> lines{
      "Категория\tНазвание\tИдентификатор\tОписание\tЦена\tФото\tПопулярный товар\tВ наличии"};
  for (int p = 0; p < catalogue.CdCount(); ++p) {
    if (!progress.Step()) return {ExportOutcome::Cancelled, {}};
    const CdRecord& cd = catalogue.Cd(p);
    lines.push_back(
        JoinTab({"Лицензионная музыка", AlbumTitle(cd), "1" + MidChars(cd.cdCode, 5, 3),
                 YandexDescription(AlbumDescription(cd)), "10000", covers + cd.cdCode + "_300x300.jpg", "Нет", "Да"}));
  }
  progress.Hide();
  const size_t count = lines.size();
  ToClipboard(context, result, JoinLinesCrLf(lines));
  context.dialogs.Message(std::string(kYandexReady) + std::to_string(count) + "\r\r" + std::string(kYandexPrices),
                          MessageKind::Information);
  return result;
}

// --- Category buffer ------------------------------------------------------------------------------

void CategoryBuffer::Take(const std::string& place) {
  std::string path = place.substr(0, place.find(" : "));
  if (!path.empty() && known_.insert(path).second) paths_.push_back(std::move(path));
}

ExportResult CategoryBuffer::Add(ExportContext& context, const std::string& place) {
  Take(place);
  return ShowAndSave(context);
}

ExportResult CategoryBuffer::AddAll(ExportContext& context, const std::vector<std::string>& places) {
  for (const std::string& place : places) Take(place);
  return ShowAndSave(context);
}

ExportResult CategoryBuffer::ShowAndSave(ExportContext& context) {
  ExportResult result;
  std::string text = JoinLinesCrLf(paths_);
  context.dialogs.Message(text, MessageKind::Information);
  const auto file = context.programFolder / kCategoryBufferFile;
  if (!SaveFileBytes(file, Utf8ToCp1251(text))) {
    context.dialogs.Message(WriteFailedMessage(file), MessageKind::Error);
    result.outcome = ExportOutcome::Failed;
  }
  result.texts.push_back(std::move(text));
  return result;
}

}  // namespace trakvella
