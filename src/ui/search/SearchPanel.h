#pragma once
// TSearchPanel: the controls of the music search and their summary labels; it only shows and edits a
// SearchCriteria. The main window owns it for the program's life; the catalogue and the clock outlive it.
#include <QFrame>
#include <QStyledItemDelegate>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "core/catalogue/Catalogue.h"
#include "core/lang/Language.h"
#include "core/search/Search.h"
#include "ports/Clock.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

namespace trakvella {

// The grey of a selected style row and of the criteria controls in effect mode.
inline constexpr QRgb kSearchGrey = qRgb(128, 128, 128);
// The silver of the style counts.
inline constexpr QRgb kStyleCountSilver = qRgb(192, 192, 192);
// Point size of the style counts.
inline constexpr int kStyleCountPointSize = 5;

// " (" + count + ")", drawn after a style's name.
QString StyleCountText(int count);

// Draws one row of the style list: grey background when selected, the name 3 px
// from the left, 5 px after it the count in small silver, a focus rectangle on
// the focused row.
void StyleBoxDrawItem(QPainter* painter, const QStyleOptionViewItem& option, const QString& style, int count);

// Deselects every item of a multi-select list, then selects each item whose
// text equals one of names.
void SelectListItems(QListWidget* list, const std::vector<std::string>& names);

// The style list's delegate: rows drawn by StyleBoxDrawItem with the counts the
// catalogue holds at the time of drawing.
class StyleBoxDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  StyleBoxDelegate(const Catalogue& catalogue, QObject* parent = nullptr);
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

 private:
  const Catalogue& catalogue_;
};

// Mode, presets, area, mood, tempo, character flags, styles, epochs, key and
// BPM range with tap tempo. The search itself is run by its owner on
// searchRequested(); the criteria survive closing and reopening the panel.
class TSearchPanel : public QFrame {
  Q_OBJECT

 public:
  // language is the user's current choice, which outlives the panel.
  TSearchPanel(QWidget* parent, const Catalogue& catalogue, const Language& language, Clock& clock);
  ~TSearchPanel() override;

  // The criteria as the controls show them.
  SearchCriteria Criteria() const;
  // Fills the controls (the mode with its look, and the labels) from criteria.
  void SetCriteria(const SearchCriteria& criteria);
  // The last click of each Tap button.
  TapState& tapState() { return tap_; }

  // Rewrites the summary labels in the current language.
  void LanguageChanged();

  // The controls, for whoever drives the panel as a user would (the tests).
  QPushButton* searchButton() const { return SBut; }
  QPushButton* resetButton() const { return TrashBut; }
  QPushButton* styleClearButton() const { return StyleClear; }
  QPushButton* epochClearButton() const { return TimeClear; }
  QPushButton* tapButton(int n) const { return n == 1 ? Tap1But : Tap2But; }
  QRadioButton* musicButton() const { return melody; }
  QRadioButton* effectButton() const { return sfx; }
  QComboBox* presetBox() const { return SPresets; }
  QComboBox* areaBox() const { return SArea; }
  QComboBox* keyBox() const { return MKeyBox; }
  QLabel* keyLabel() const { return ToneLbl; }
  // Mood 1 (anxious) to 5 (upbeat); tempo 1 (slow) to 3 (fast).
  QCheckBox* moodBox(int n) const { return std::array{_mood1, _mood2, _mood3, _mood4, _mood5}.at(n - 1); }
  QCheckBox* tempoBox(int n) const { return std::array{_tempo1, _tempo2, _tempo3}.at(n - 1); }
  QCheckBox* imagingBox() const { return _image; }
  QCheckBox* aggressiveBox() const { return _agression; }
  QCheckBox* backgroundBox() const { return _bkgr; }
  QCheckBox* exactStylesBox() const { return StyleCheck; }
  QListWidget* styleList() const { return StyleBox; }
  QListWidget* epochList() const { return TimeBox; }
  QLineEdit* bpmFromEdit() const { return TempoIn; }
  QLineEdit* bpmToEdit() const { return TempoOut; }

 public slots:
  // Area on item 0 when none is chosen, labels and mode refreshed, Tap states cleared.
  void InitSearchPanel();
  void sfxClick();
  void melodyClick();
  // Shared by the five mood boxes: the last box left on cannot be switched off.
  void _mood1Click();
  // Shared by the three tempo boxes, likewise.
  void _tempo2Click();
  // Shared by _bkgr and _image: checking _bkgr unchecks _agression.
  void _bkgrClick();
  void _agressionClick();
  void StyleBoxClick();
  void TimeBoxClick();
  void StyleClearClick();
  void TimeClearClick();
  // Shared by both Tap buttons.
  void Tap1ButClick();
  // Applies the chosen preset and asks for a search.
  void SPresetsChange();
  // Back to the defaults without a search.
  void TrashButClick();
  void SButClick();

 signals:
  void searchRequested();

 private:
  // The controls, named as the window definition names them (also objectName).
  QPushButton *SBut, *TrashBut, *StyleClear, *TimeClear, *Tap1But, *Tap2But;
  QRadioButton *melody, *sfx;
  QComboBox *SPresets, *SArea, *MKeyBox;
  QCheckBox *_mood5, *_mood4, *_mood3, *_mood2, *_mood1;
  QCheckBox *_tempo3, *_tempo2, *_tempo1;
  QCheckBox *_image, *_agression, *_bkgr, *StyleCheck;
  QListWidget *StyleBox, *TimeBox;
  QLineEdit *TempoIn, *TempoOut;
  QLabel *MelformLbl, *MoodNameLbl, *TempoNameLbl, *StyleLbl, *EpochLbl;
  QLabel *PresetLbl, *RangeSearchLbl, *ToneLbl, *TempoLbl, *BkgTypeLbl, *MusOptLbl;

  void BuildControls();
  // The search and reset buttons, the mode, the presets, the area and the music options' heading.
  void BuildModeControls();
  // The mood and tempo boxes and the character flags, each group under its summary label.
  void BuildCharacterControls();
  // The style and epoch lists with their clear buttons, and the exact-styles box.
  void BuildStyleControls();
  // The key box, the BPM range and the Tap buttons.
  void BuildKeyAndTempoControls();
  void LayOut();
  void ApplyMode(bool effect);
  void RefreshMoodLabel();
  void RefreshTempoLabel();
  void Tap(bool upper);
  Language language() const;

  const Catalogue& catalogue_;
  const Language& language_;
  Clock& clock_;
  TapState tap_;
};

}  // namespace trakvella
