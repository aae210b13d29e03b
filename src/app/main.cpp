// Trakvella: the desktop catalogue browser. Reads its options, loads the
// catalogue behind the progress window and shows the main window.
#include <QApplication>
#include <QDate>
#include <QLabel>
#include <QMainWindow>
#include <QStringList>
#include <filesystem>
#include <optional>

#include "app/Locale.h"
#include "app/MessageTable.h"
#include "app/Version.h"
#include "catalogue/Catalogue.h"
#include "catalogue/Resources.h"
#include "platform/QtDialogs.h"
#include "platform/QtProgress.h"

int main(int argc, char** argv) {
  using namespace trakvella;
  QApplication app(argc, argv);
  QApplication::setApplicationName(kApplicationTitle);

  // -local, --home DIR, --catalogue DIR
  std::filesystem::path home = QCoreApplication::applicationDirPath().toStdString();
  std::optional<std::filesystem::path> catalogueFolder;
  bool offline = false;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "-local") offline = true;
    else if (args[i] == "--home" && i + 1 < args.size()) home = args[++i].toStdString();
    else if (args[i] == "--catalogue" && i + 1 < args.size()) catalogueFolder = args[++i].toStdString();
  }

  QMainWindow window;
  window.setObjectName("MainForm");
  window.resize(940, 768);
  QtDialogs dialogs(&window);
  QtProgress progress(&window);
  const int language = LanguageFromLocaleId(SystemLanguageId());

  std::string error;
  auto resources = OpenCatalogueResources(catalogueFolder, home, error);
  if (!resources) {
    dialogs.Message(error, MessageKind::Error, MessageButtons::Ok);
    return 2;
  }
  Catalogue catalogue;
  catalogue.ReadCatalogueTables(*resources, dialogs);
  window.show();

  LoadOptions options;
  options.offline = offline;
  options.programFolder = home;
  QDate today = QDate::currentDate();
  options.today = YearMonth{today.year(), today.month()};
  options.language = language;
  options.setCaption = [&window](const std::string& caption) {
    window.setWindowTitle(QString::fromStdString(caption));
  };
  catalogue.LoadCatalogue(*resources, options, dialogs, progress);

  auto* summary = new QLabel(&window);
  summary->setAlignment(Qt::AlignCenter);
  summary->setText(QString::fromStdString(LangMessage(language, 12) + std::to_string(catalogue.cdCount) + "\n" +
                                          LangMessage(language, 101) + std::to_string(catalogue.trackCount)));
  window.setCentralWidget(summary);
  return app.exec();
}
