#pragma once
// MainFrame: the main window's controls, made once under their names, and where they stand
// as the window resizes. TMainForm owns it; the widgets belong to the window, the other parts wire them.
#include <QSize>
#include <QString>
#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QMainWindow;
class QStatusBar;
class QToolButton;
class QWidget;

namespace trakvella {

class WaveformBar;

// The controls, by their names, for the parts of the main window.
struct MainControls {
  QFrame* InstrPanel = nullptr;
  QToolButton *HomeBtn = nullptr, *BackBtn = nullptr, *ForwardBtn = nullptr, *FAvBut = nullptr, *SearchBut = nullptr,
              *SearchNameBut = nullptr, *MemCopyBut = nullptr, *MemOperBut = nullptr, *TrInfoBut = nullptr,
              *TrPassportBut = nullptr, *OptionBut = nullptr;
  QLabel *memCountLbl = nullptr, *SortInfoLbl = nullptr, *SortButDn = nullptr, *SortButUp = nullptr;
  QFrame* TxTPanel = nullptr;
  QLabel* CDCatInfo = nullptr;
  QListView* CDCatBox = nullptr;
  QListView* FileBox = nullptr;
  QLineEdit* TrackFilterEdit = nullptr;  // over the track list
  QComboBox* KeyBox = nullptr;
  QToolButton* KeyBut = nullptr;
  QLabel* Gb = nullptr;
  WaveformBar* PlayBar = nullptr;
  QToolButton *Playbut = nullptr, *PauseBut = nullptr, *StopBut = nullptr;
  QFrame *SearchPanel = nullptr, *PanelShape = nullptr, *DotShape = nullptr;
  QFrame* offPanel = nullptr;
  QLabel* RegInfoLbl = nullptr;
  QStatusBar* StatusBar = nullptr;
  std::array<QLabel*, 5> statusFields{};
};

class MainFrame {
 public:
  static constexpr int kMinWidth = 940;
  static constexpr int kMinHeight = 768;
  // The status bar fields' design widths (field 1 takes the rest).
  static constexpr int kStatusFieldWidths[5] = {50, 0, 60, 50, 80};

  // The window's smallest size: the design's 940 x 768, or less where the
  // screen's free area (less the window frame) is smaller, as at twice the
  // scale on a 1280 x 1024 screen.
  static QSize MinimumSize(QSize available, QSize frame);
  // A status bar field's text.
  static void SetStatusText(QLabel* field, const QString& text);

  // Makes every control in the window's client area and its status bar.
  explicit MainFrame(QMainWindow* window);

  const MainControls& controls() const { return c_; }

  // Places the controls for the window's present size.
  void LayOut();
  // The cover panel over the work area while the library initialises, with its text.
  void ShowCover(bool shown, const QString& text);
  // Status bar fields 0-4.
  void SetStatusField(int index, const QString& text);

 private:
  // The row of buttons, the music set counter and the sort controls.
  void BuildToolPanel(QWidget* central);
  // The text above the lists, the two lists, the filter field, the tag box and its button.
  void BuildLists(QWidget* central);
  // The time, the position bar and the player's buttons under the track list.
  void BuildPlayerRow(QWidget* central);
  // The search panel's place with its frames, and the cover panel.
  void BuildPanels(QWidget* central);
  void BuildStatusBar();

  QMainWindow* window_;
  MainControls c_;
};

}  // namespace trakvella
