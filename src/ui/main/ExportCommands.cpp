#include "ui/main/ExportCommands.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>

#include "core/app/App.h"
#include "core/enabling/CommandEnabling.h"
#include "core/exports/MinimisedRun.h"
#include "core/exports/MusicSetConversions.h"
#include "core/exports/TabularExports.h"
#include "core/exports/XmlExports.h"
#include "core/settings/ServerConfig.h"
#include "ui/QtText.h"
#include "ui/main/MainMenus.h"
#include "ui/musicset/MusicSetForm.h"
#include "ui/musicset/SetWindowBusy.h"

namespace trakvella {

ExportCommands::ExportCommands(QMainWindow* window, App& app, MainMenus& menus, std::function<void()> refresh)
    : QObject(window), window_(window), app_(app), menus_(menus), refresh_(std::move(refresh)) {
  app_.enabling().DefineState(kStateCategoryBufferFilled, [this] { return !categoryBuffer_.paths().empty(); });
  MakeItems();
  if (QAction* showMe = window_->findChild<QAction*>("ShowMe1"))
    connect(showMe, &QAction::triggered, this, &ExportCommands::ShowMe1Click);
  if (QMenu* developer = menus_.developerMenu())
    connect(developer, &QMenu::aboutToShow, this, &ExportCommands::ApplyEnabling);
  ConnectSetWindow();
  ApplyEnabling();
}

// --- The menu ------------------------------------------------------------------------------------

QAction* ExportCommands::AddItem(const char* name, const char* caption, void (ExportCommands::*handler)()) {
  QMenu* developer = menus_.developerMenu();
  auto* item = new QAction(QString::fromUtf8(caption), developer);
  item->setObjectName(name);
  item->setEnabled(false);
  developer->addAction(item);
  items_[name] = item;
  if (handler) connect(item, &QAction::triggered, this, handler);
  return item;
}

// The first captions, in Russian; the caption table gives them in the interface language.
void ExportCommands::MakeItems() {
  QMenu* developer = menus_.developerMenu();
  developer->addSeparator();
  connect(AddItem("N15", "Максимальный Экспорт (буфер в таблицу)", nullptr), &QAction::triggered, this,
          [this] { N15Click(false); });
  connect(AddItem("N40", "Максимальный Экспорт по Набору", nullptr), &QAction::triggered, this,
          [this] { N15Click(true); });
  AddItem("ITFactory1", "Экспорт ITFactory", &ExportCommands::ITFactory1Click);
  AddItem("N30", "РАО - список для регистрации", &ExportCommands::N30Click);
  AddItem("reestritem", "Данные для реестра на сайте RU", &ExportCommands::reestritemClick);
  AddItem("N17", "Получить все описания", &ExportCommands::N17Click);
  developer->addSeparator();
  AddItem("XML1", "Сохранить XML для сайта", &ExportCommands::XML1Click);
  AddItem("XML2", "Сохранить XML для десктоп программы", &ExportCommands::XML2Click);
  AddItem("GetFormatTree1", "Сохранить дерево категорий (код для старого сайта KMLB)",
          &ExportCommands::GetFormatTree1Click);
  connect(AddItem("WebAsyst", "WebAsyst 6 shop import", nullptr), &QAction::triggered, this,
          [this] { WebAsystClick(QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier); });
  AddItem("Ya_xls", "Создать прайс лист для Яндекс", &ExportCommands::Ya_xlsClick);
  // The category buffer's items show once the developer menu is asked for.
  bufferItems_ = {developer->addSeparator(),
                  AddItem("catplus", "+ Послать категорию в буфер", &ExportCommands::catplusClick),
                  AddItem("catclear", "- Очистить буфер категорий", &ExportCommands::catclearClick)};
  for (QAction* item : bufferItems_) item->setVisible(false);
}

void ExportCommands::ShowMe1Click() {
  for (QAction* item : bufferItems_) item->setVisible(true);
  ApplyEnabling();
}

void ExportCommands::ApplyEnabling() {
  for (const CommandEnabled& c : app_.enabling().Evaluate(kDeveloperMenu))
    if (auto it = items_.find(Q(c.command)); it != items_.end()) it->second->setEnabled(c.enabled);
}

// --- Running an export --------------------------------------------------------------------------

ExportContext ExportCommands::Context(Progress& progress, Dialogs& dialogs) {
  ExportContext context{app_.catalogue(),     dialogs, progress, app_.clipboard(), app_.language(),
                        app_.programFolder(), {}};
  context.settings.webSite = app_.endpoints().webSite;
  return context;
}

void ExportCommands::Run(const std::function<ExportResult(ExportContext&)>& exportRun) {
  ExportContext context = Context(app_.progress(), app_.dialogs());
  exportRun(context);
  ApplyEnabling();
}

void ExportCommands::RunWalk(const std::function<ExportResult(ExportContext&)>& exportRun) {
  {
    MinimisedRun aside(
        app_.progress(), app_.dialogs(), [this] { Minimise(); }, [this] { Restore(); });
    ExportContext context = Context(aside, aside);
    exportRun(context);
  }
  // The walk leaves "Allow Open CD" off.
  if (QAction* allowOpen = menus_.Item("AllowOpenCD")) allowOpen->setChecked(app_.browser().allowOpenCd());
  refresh_();
  ApplyEnabling();
}

void ExportCommands::RunOnSet(const std::function<ExportResult(ExportContext&)>& conversion) {
  SetWindowBusy busy(setForm_);
  ExportContext context = Context(app_.progress(), app_.dialogs());
  conversion(context);
}

void ExportCommands::Minimise() {
  restoredState_ = window_->windowState() & ~Qt::WindowMinimized;
  window_->setWindowState(restoredState_ | Qt::WindowMinimized);
}

void ExportCommands::Restore() {
  window_->setWindowState(restoredState_);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

// --- The developer menu's commands -----------------------------------------------------------------

void ExportCommands::N15Click(bool bySet) {
  Run([this, bySet](ExportContext& c) { return ExportMaximum(c, bySet ? &app_.musicSet() : nullptr); });
}

void ExportCommands::ITFactory1Click() { Run(ExportItFactory); }
void ExportCommands::N30Click() { Run(ExportRaoList); }
void ExportCommands::reestritemClick() { Run(ExportRegistryLists); }
void ExportCommands::N17Click() { Run(ExportDescriptions); }

void ExportCommands::XML1Click() {
  RunWalk([this](ExportContext& c) { return ExportSiteXml(c, app_.browser(), SiteXmlFiles(app_.programFolder())); });
}

void ExportCommands::XML2Click() {
  RunWalk(
      [this](ExportContext& c) { return ExportDesktopXml(c, app_.browser(), DesktopXmlFiles(app_.programFolder())); });
}

void ExportCommands::GetFormatTree1Click() {
  RunWalk([this](ExportContext& c) { return ExportCategoryTreeHtml(c, app_.browser()); });
}

void ExportCommands::WebAsystClick(bool showDescriptions) {
  Run([showDescriptions](ExportContext& c) { return ExportWebAsyst(c, showDescriptions); });
}

void ExportCommands::Ya_xlsClick() { Run(ExportYandexPriceList); }

void ExportCommands::catplusClick() {
  Run([this](ExportContext& c) { return categoryBuffer_.Add(c, app_.browser().currentPath()); });
}

void ExportCommands::catclearClick() {
  categoryBuffer_.Clear();
  ApplyEnabling();
}

// --- The music set window -------------------------------------------------------------------------

void ExportCommands::ConnectSetWindow() {
  setForm_ = window_->findChild<TMusicSetForm*>("MusicSetForm");
  if (!setForm_) return;
  // "Build info" writes the buffer's paths into the CD's information block.
  setForm_->SetCategoryBuffer([this] { return categoryBuffer_.paths(); });
  const std::pair<const char*, void (ExportCommands::*)()> conversions[] = {
      {"musictagitem", &ExportCommands::musictagitemClick},
      {"MSTOCK1", &ExportCommands::MSTOCK1Click},
      {"SourceAudio1", &ExportCommands::SourceAudio1Click},
      {"OpenCartImport1", &ExportCommands::OpenCartImport1Click}};
  for (const auto& [name, handler] : conversions) {
    QAction* item = setForm_->findChild<QAction*>(name);
    if (!item) continue;
    item->setEnabled(true);
    connect(item, &QAction::triggered, this, handler);
  }
}

void ExportCommands::musictagitemClick() {
  RunOnSet([this](ExportContext& c) { return ConvertMusictag(c, app_.musicSet()); });
}

void ExportCommands::MSTOCK1Click() {
  RunOnSet([this](ExportContext& c) { return ConvertMstock(c, app_.musicSet()); });
}

void ExportCommands::SourceAudio1Click() {
  RunOnSet([this](ExportContext& c) { return ConvertSourceAudio(c, app_.musicSet()); });
}

void ExportCommands::OpenCartImport1Click() {
  RunOnSet([this](ExportContext& c) { return ConvertOpenCart(c, app_.musicSet()); });
}

}  // namespace trakvella
