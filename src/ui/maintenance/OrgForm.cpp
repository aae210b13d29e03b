#include "ui/maintenance/OrgForm.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/QtText.h"
#include "ui/lang/LangCaptions.h"

namespace trakvella {

TOrgForm::TOrgForm(QWidget* parent) : QDialog(parent) {
  setObjectName("OrgForm");
  setWindowTitle(QStringLiteral("Редактировать Избранное"));
  resize(460, 320);

  favListBox_ = new QListWidget(this);
  favListBox_->setObjectName("FavListBox");
  favListBox_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  favListBox_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  favListBox_->setDragDropMode(QAbstractItemView::NoDragDrop);
  favListBox_->setAlternatingRowColors(true);
  favListBox_->setUniformItemSizes(true);

  upButton_ = new QToolButton(this);
  upButton_->setObjectName("UpButton");
  upButton_->setArrowType(Qt::UpArrow);
  upButton_->setFixedSize(32, 32);

  downButton_ = new QToolButton(this);
  downButton_->setObjectName("DownButton");
  downButton_->setArrowType(Qt::DownArrow);
  downButton_->setFixedSize(32, 32);

  delButton_ = new QPushButton(QStringLiteral("Удалить"), this);
  delButton_->setObjectName("DelButton");
  delButton_->setAutoDefault(false);

  exitButton_ = new QPushButton(QStringLiteral("Выход"), this);
  exitButton_->setObjectName("ExitButton");
  exitButton_->setDefault(true);

  auto* arrows = new QVBoxLayout;
  arrows->addStretch();
  arrows->addWidget(upButton_);
  arrows->addWidget(downButton_);
  arrows->addStretch();

  auto* top = new QHBoxLayout;
  top->addWidget(favListBox_, 1);
  top->addLayout(arrows);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(delButton_);
  bottom->addStretch();
  bottom->addWidget(exitButton_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addLayout(bottom);

  connect(upButton_, &QToolButton::clicked, this, &TOrgForm::UpButtonClick);
  connect(downButton_, &QToolButton::clicked, this, &TOrgForm::DownButtonClick);
  connect(delButton_, &QPushButton::clicked, this, &TOrgForm::DelButtonClick);
  connect(exitButton_, &QPushButton::clicked, this, &TOrgForm::ExitButtonClick);

  RegisterCaptionWindow("TOrgForm", this);
}

TOrgForm::~TOrgForm() { UnregisterCaptionWindow(this); }

void TOrgForm::SetPlaces(const std::vector<std::string>& places) {
  favListBox_->clear();
  for (const std::string& place : places) favListBox_->addItem(Q(place));
}

void TOrgForm::AddPlace(const std::string& place) { favListBox_->addItem(Q(place)); }

std::vector<std::string> TOrgForm::Places() const {
  std::vector<std::string> places;
  places.reserve(favListBox_->count());
  for (int i = 0; i < favListBox_->count(); ++i) places.push_back(favListBox_->item(i)->text().toStdString());
  return places;
}

void TOrgForm::UpButtonClick() { MoveCurrent(-1); }

void TOrgForm::DownButtonClick() { MoveCurrent(+1); }

void TOrgForm::MoveCurrent(int step) {
  const int i = favListBox_->currentRow();
  const int target = i + step;
  if (i < 0 || target < 0 || target >= favListBox_->count()) return;
  QListWidgetItem* here = favListBox_->item(i);
  QListWidgetItem* there = favListBox_->item(target);
  const QString text = here->text();
  here->setText(there->text());
  there->setText(text);
  // Only the moved place stays selected, so a second click moves it on and
  // the selection never points at a line that was merely passed over.
  favListBox_->setCurrentRow(target, QItemSelectionModel::ClearAndSelect);
  favListBox_->scrollToItem(there);
}

void TOrgForm::DelButtonClick() {
  std::vector<int> rows;
  for (const QListWidgetItem* item : favListBox_->selectedItems()) rows.push_back(favListBox_->row(item));
  if (rows.empty()) return;
  // From the end, so the rows still to go keep their numbers.
  std::sort(rows.rbegin(), rows.rend());
  for (int row : rows) delete favListBox_->takeItem(row);
  // No line is current afterwards: the arrows and a second Delete act only on
  // what the user picks next.
  favListBox_->setCurrentItem(nullptr);
  favListBox_->clearSelection();
}

void TOrgForm::ExitButtonClick() { accept(); }

}  // namespace trakvella
