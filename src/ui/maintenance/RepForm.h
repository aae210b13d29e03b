#pragma once
// TRepForm: the usage report window — turns the music set into a report for the rights society on the
// clipboard. Made once by the main window, its owner; what the user chose lives in core's ReportWindowState.
#include <QDialog>
#include <array>
#include <functional>

#include "core/lang/Language.h"
#include "core/maintenance/TrackReport.h"

class QCheckBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace trakvella {

class Catalogue;
class Clipboard;
class Dialogs;
class MusicSet;
class Random;
struct Settings;

// The parts of the program the window reads; all outlive it.
struct ReportWindowParts {
  MusicSet& set;  // the tracks the report lists
  Catalogue& catalogue;
  Settings& settings;  // the column and row names switch
  Random& random;
  Clipboard& clipboard;
  Dialogs& dialogs;
  const Language& language;
};

// Opened modally by the music set window's report button. The column choices
// and periods stay as the user left them between openings; each opening starts
// on the kind-choice page, and a report made leads to the instructions page.
class TRepForm : public QDialog {
  Q_OBJECT

 public:
  explicit TRepForm(ReportWindowParts parts, QWidget* parent = nullptr);
  ~TRepForm() override;

  // The window on its first page, shown modally.
  void Open();
  const ReportWindowState& state() const { return state_; }

 public slots:
  // The kind-choice page, without the OK button; the row names box as the settings hold it.
  void FormActivate();
  // MakeRepBut: the report of the chosen kind to the clipboard; the instructions follow.
  void BitBtn4Click();
  // Entering the instructions: the English text shows only in the English interface.
  void PageControl2Enter();

 protected:
  // Shown within the screen's room, whatever its size and scale.
  void setVisible(bool visible) override;

 private:
  // A kind's page: its column list, its "Выбрать все" button, its quarter and year.
  struct KindPage {
    QListWidget* list = nullptr;
    QPushButton* selectAll = nullptr;
    QSpinBox* quarter = nullptr;
    QSpinBox* year = nullptr;
  };
  QWidget* MakeKindPage(ReportKind kind, const char* page, const char* listLabel, const char* selectAll,
                        const char* quarterLabel, const char* quarter, const char* yearLabel, const char* year);
  void ShowPage();

  ReportWindowParts parts_;
  ReportWindowState state_;
  std::array<KindPage, kReportKindCount> pages_{};
  QTabWidget* pageControl2_ = nullptr;
  QTabWidget* pageControl1_ = nullptr;
  QCheckBox* checkColRowNames_ = nullptr;
  QPlainTextEdit* memo1_ = nullptr;
  QPlainTextEdit* memo2_ = nullptr;
  QPushButton* makeRepBut_ = nullptr;
  QPushButton* cancelBut_ = nullptr;
  QPushButton* readyBut_ = nullptr;
};

}  // namespace trakvella
