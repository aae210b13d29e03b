#pragma once
// TCodeForm: the add-by-code window — the CD and track numbers with their spinners, the CD's name and
// the button that adds the track to the set. The main window owns it; the set is borrowed.
#include <QDialog>
#include <functional>

#include "core/lang/Language.h"
#include "core/musicset/AddByCode.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace trakvella {

class Catalogue;
class Dialogs;
class MusicSet;

class TCodeForm : public QDialog {
  Q_OBJECT

 public:
  TCodeForm(Catalogue& catalogue, MusicSet& set, Dialogs& dialogs, const Language& language, QWidget* parent = nullptr);
  ~TCodeForm() override;

  // Shows the window modally over whatever window is open (the call returns at once).
  void ShowModal();

  // StaticText1 shows the chosen CD's name.
  void FormActivate();
  // A spinner moved: its number field follows.
  void UpDown1Click(int position);
  void UpDown2Click(int position);
  // A click on a number field asks for the number.
  void N1Click();
  void N2Click();
  // Appends the track; the window stays open for the next one.
  void AddByCodeBtnClick();

  const AddByCode& state() const { return state_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The number fields, the spinners and the CD name as the state holds them.
  void ShowNumbers();

  Catalogue& catalogue_;
  MusicSet& set_;
  Dialogs& dialogs_;
  const Language& language_;
  AddByCode state_;
  QPushButton* n1_ = nullptr;
  QPushButton* n2_ = nullptr;
  QSpinBox* upDown1_ = nullptr;
  QSpinBox* upDown2_ = nullptr;
  QLabel* cdName_ = nullptr;
  bool showing_ = false;  // the spinners are being set by the program
};

}  // namespace trakvella
