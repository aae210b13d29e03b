#pragma once
// TOrgForm: the favourites organiser; its list FavListBox holds the saved places while it is open.
// Made once by the main window, its owner, which shows it modally and rebuilds its menu from Places().
#include <QDialog>
#include <string>
#include <vector>

class QListWidget;
class QPushButton;
class QToolButton;

namespace trakvella {

// The user reorders the places with the arrow buttons and deletes any number
// of selected ones at once.
class TOrgForm : public QDialog {
  Q_OBJECT

 public:
  explicit TOrgForm(QWidget* parent = nullptr);
  ~TOrgForm() override;

  // The list's lines, in order. SetPlaces replaces them; AddPlace appends one.
  void SetPlaces(const std::vector<std::string>& places);
  void AddPlace(const std::string& place);
  std::vector<std::string> Places() const;

 public slots:
  // Move the current place one line up / down; it stays current and becomes
  // the only selected line. Nothing happens at the ends or with no current line.
  void UpButtonClick();
  void DownButtonClick();
  // Deletes every selected line.
  void DelButtonClick();
  void ExitButtonClick();

 private:
  void MoveCurrent(int step);

  QListWidget* favListBox_;
  QToolButton* upButton_;
  QToolButton* downButton_;
  QPushButton* delButton_;
  QPushButton* exitButton_;
};

}  // namespace trakvella
