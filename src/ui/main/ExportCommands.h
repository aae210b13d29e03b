#pragma once
// ExportCommands: the developer menu's catalogue exports, its category buffer and the music set
// window's conversions for outside services. Made with one line by the main window, which owns it;
// it owns the category buffer, the menu items belong to the developer menu.
#include <QObject>
#include <QString>
#include <functional>
#include <map>
#include <vector>

#include "core/exports/ExportRun.h"
#include "core/exports/ShopExports.h"

class QAction;
class QMainWindow;

namespace trakvella {

class App;
class MainMenus;
class TMusicSetForm;

class ExportCommands : public QObject {
  Q_OBJECT

 public:
  // refresh shows the browser's state in the lists again (the tree exports walk it).
  ExportCommands(QMainWindow* window, App& app, MainMenus& menus, std::function<void()> refresh);

  const CategoryBuffer& categoryBuffer() const { return categoryBuffer_; }

  // The developer menu's commands.
  void N15Click(bool bySet);  // "Максимальный Экспорт" (N15) and "... по Набору" (N40)
  void ITFactory1Click();
  void N30Click();
  void reestritemClick();
  void N17Click();
  void XML1Click();
  void XML2Click();
  void GetFormatTree1Click();
  // With showDescriptions (Shift held on the item) every CD's description is shown before its row.
  void WebAsystClick(bool showDescriptions);
  void Ya_xlsClick();
  void catplusClick();
  void catclearClick();
  // ShowMe1: the category buffer's items show with the developer menu.
  void ShowMe1Click();

  // The music set window's conversions.
  void musictagitemClick();
  void MSTOCK1Click();
  void SourceAudio1Click();
  void OpenCartImport1Click();

 private:
  void MakeItems();
  void ConnectSetWindow();
  void ApplyEnabling();
  QAction* AddItem(const char* name, const char* caption, void (ExportCommands::*handler)());

  ExportContext Context(Progress& progress, Dialogs& dialogs);
  // Runs an export with the program's own ports.
  void Run(const std::function<ExportResult(ExportContext&)>& exportRun);
  // Runs an export that walks the category tree: the main window is minimised
  // while it works; afterwards the lists show where the walk left the browser.
  void RunWalk(const std::function<ExportResult(ExportContext&)>& exportRun);
  // Runs a conversion of the music set with its window taking no input meanwhile.
  void RunOnSet(const std::function<ExportResult(ExportContext&)>& conversion);
  void Minimise();
  void Restore();

  QMainWindow* window_;
  App& app_;
  MainMenus& menus_;
  std::function<void()> refresh_;
  TMusicSetForm* setForm_ = nullptr;
  std::map<QString, QAction*> items_;
  std::vector<QAction*> bufferItems_;  // catplus and catclear with their separator
  CategoryBuffer categoryBuffer_;
  Qt::WindowStates restoredState_;
};

}  // namespace trakvella
