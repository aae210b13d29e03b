#include "ui/main/MainFrame.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMainWindow>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/lang/LangCaptions.h"
#include "ui/main/ButtonPictures.h"
#include "ui/main/WaveformBar.h"

namespace trakvella {

namespace {

QString Hint(const char* component) { return TableCaption("TMainForm", component, CaptionProperty::Hint); }

// A button showing a drawn picture of `side` logical pixels (no text: fonts
// differ from desktop to desktop).
QToolButton* Button(QWidget* parent, const char* name, ButtonPicture picture, int side = 18) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setToolTip(Hint(name));
  b->setIcon(ButtonIcon(picture, side));
  b->setIconSize(QSize(side, side));
  b->setToolButtonStyle(Qt::ToolButtonIconOnly);
  b->setAutoRaise(true);
  b->setEnabled(false);  // enabled by the part that builds its command
  return b;
}

QLabel* Label(QWidget* parent, const char* name, const char* text = "") {
  auto* l = new QLabel(QString::fromUtf8(text), parent);
  l->setObjectName(name);
  l->setToolTip(Hint(name));
  return l;
}

// The filter field shows its hint while empty, in the language the hint is in.
class FilterEdit : public QLineEdit {
 public:
  using QLineEdit::QLineEdit;

 protected:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::ToolTipChange) setPlaceholderText(toolTip());
    return QLineEdit::event(e);
  }
};

QFrame* Frame(QWidget* parent, const char* name) {
  auto* f = new QFrame(parent);
  f->setObjectName(name);
  return f;
}

}  // namespace

void MainFrame::BuildToolPanel(QWidget* central) {
  // The tool panel: a row of buttons, the music set counter, the sort controls at the right.
  c_.InstrPanel = Frame(central, "InstrPanel");
  c_.InstrPanel->setFrameShape(QFrame::StyledPanel);
  QWidget* tools = c_.InstrPanel;
  c_.HomeBtn = Button(tools, "HomeBtn", ButtonPicture::Home);
  c_.BackBtn = Button(tools, "BackBtn", ButtonPicture::Back);
  c_.ForwardBtn = Button(tools, "ForwardBtn", ButtonPicture::Forward);
  c_.FAvBut = Button(tools, "FAvBut", ButtonPicture::Favourites);
  c_.SearchBut = Button(tools, "SearchBut", ButtonPicture::Search);
  c_.SearchBut->setCheckable(true);
  c_.SearchNameBut = Button(tools, "SearchNameBut", ButtonPicture::SearchName);
  c_.MemCopyBut = Button(tools, "MemCopyBut", ButtonPicture::MemCopy);
  c_.MemOperBut = Button(tools, "MemOperBut", ButtonPicture::MemOper);
  c_.TrInfoBut = Button(tools, "TrInfoBut", ButtonPicture::TrackInfo);
  c_.TrPassportBut = Button(tools, "TrPassportBut", ButtonPicture::Passport);
  c_.OptionBut = Button(tools, "OptionBut", ButtonPicture::Options);
  c_.OptionBut->setEnabled(true);
  int x = 4;
  for (QToolButton* b : {c_.HomeBtn, c_.BackBtn, c_.ForwardBtn, c_.FAvBut, c_.SearchBut, c_.SearchNameBut,
                         c_.MemCopyBut, c_.MemOperBut, c_.TrInfoBut, c_.TrPassportBut, c_.OptionBut}) {
    b->setGeometry(x, 3, 28, 26);
    x += 30;
  }
  c_.memCountLbl = Label(tools, "memCountLbl");
  c_.memCountLbl->setGeometry(x + 4, 3, 60, 26);
  c_.SortInfoLbl = Label(tools, "SortInfoLbl");
  c_.SortButDn = Label(tools, "SortButDn");  // their arrows are drawn by the lists
  c_.SortButUp = Label(tools, "SortButUp");
  for (QLabel* l : {c_.SortInfoLbl, c_.SortButDn, c_.SortButUp}) l->hide();
}

void MainFrame::BuildLists(QWidget* central) {
  // The text above the lists.
  c_.TxTPanel = Frame(central, "TxTPanel");
  c_.CDCatInfo = Label(c_.TxTPanel, "CDCatInfo");
  auto* txtLayout = new QVBoxLayout(c_.TxTPanel);
  txtLayout->setContentsMargins(2, 0, 2, 0);
  txtLayout->addWidget(c_.CDCatInfo);

  // The two lists: views over models the browsing code provides (no item per row).
  for (auto [list, name] : {std::pair{&c_.CDCatBox, "CDCatBox"}, std::pair{&c_.FileBox, "FileBox"}}) {
    *list = new QListView(central);
    (*list)->setObjectName(name);
    (*list)->setUniformItemSizes(true);
    (*list)->setContextMenuPolicy(Qt::CustomContextMenu);
  }

  c_.TrackFilterEdit = new FilterEdit(central);
  c_.TrackFilterEdit->setObjectName("TrackFilterEdit");
  c_.TrackFilterEdit->setClearButtonEnabled(true);
  c_.TrackFilterEdit->setToolTip(Hint("TrackFilterEdit"));

  // Under the category list: the tag box and its button.
  c_.KeyBox = new QComboBox(central);
  c_.KeyBox->setObjectName("KeyBox");
  c_.KeyBox->setEditable(true);
  c_.KeyBox->setToolTip(Hint("KeyBox"));
  c_.KeyBox->setMaxVisibleItems(34);
  c_.KeyBox->setEnabled(false);
  c_.KeyBut = Button(central, "KeyBut", ButtonPicture::KeyGo, 14);
}

void MainFrame::BuildPlayerRow(QWidget* central) {
  // Under the track list: the time, the position bar and the player's buttons.
  c_.Gb = Label(central, "Gb", "00:00");
  c_.PlayBar = new WaveformBar(central);
  c_.PlayBar->setObjectName("PlayBar");
  c_.PlayBar->setToolTip(Hint("PlayBar"));
  c_.PlayBar->setTextVisible(false);
  c_.PlayBar->setRange(0, 1000);
  c_.PlayBar->setValue(0);
  // The player's buttons are 14 pixels wide.
  c_.Playbut = Button(central, "Playbut", ButtonPicture::Play, 10);
  c_.PauseBut = Button(central, "PauseBut", ButtonPicture::Pause, 10);
  c_.StopBut = Button(central, "StopBut", ButtonPicture::Stop, 10);
}

void MainFrame::BuildPanels(QWidget* central) {
  // The search panel's place and its frames, shown in search mode.
  c_.SearchPanel = Frame(central, "SearchPanel");
  c_.PanelShape = Frame(central, "PanelShape");
  c_.DotShape = Frame(central, "DotShape");
  for (QFrame* f : {c_.SearchPanel, c_.PanelShape, c_.DotShape}) f->hide();

  // The cover panel shown while the library initialises.
  c_.offPanel = Frame(central, "offPanel");
  c_.offPanel->setAutoFillBackground(true);
  c_.offPanel->setFrameShape(QFrame::StyledPanel);
  c_.RegInfoLbl = Label(c_.offPanel, "RegInfoLbl");
  c_.RegInfoLbl->setAlignment(Qt::AlignCenter);
  c_.RegInfoLbl->setWordWrap(true);
  auto* coverLayout = new QVBoxLayout(c_.offPanel);
  coverLayout->addWidget(c_.RegInfoLbl);
  c_.offPanel->hide();
}

void MainFrame::BuildStatusBar() {
  c_.StatusBar = new QStatusBar(window_);
  c_.StatusBar->setObjectName("StatusBar");
  c_.StatusBar->setSizeGripEnabled(false);
  window_->setStatusBar(c_.StatusBar);
  // Field 1 takes what the others leave; they are never narrower than their
  // design widths nor than their texts, whatever the window's width was before.
  for (int i = 0; i < 5; ++i) {
    QLabel* field = c_.statusFields[i] = new QLabel(c_.StatusBar);
    field->setObjectName(QStringLiteral("StatusField%1").arg(i));
    field->setFrameShape(QFrame::Panel);
    field->setFrameShadow(QFrame::Sunken);
    if (i == 1) {
      field->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    } else {
      field->setMinimumWidth(kStatusFieldWidths[i]);
      field->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
    }
    c_.StatusBar->addWidget(field, i == 1 ? 1 : 0);
  }
}

MainFrame::MainFrame(QMainWindow* window) : window_(window) {
  auto* central = new QWidget(window);
  central->setObjectName("ClientArea");
  window->setCentralWidget(central);

  BuildToolPanel(central);
  BuildLists(central);
  BuildPlayerRow(central);
  BuildPanels(central);
  BuildStatusBar();
}

void MainFrame::LayOut() {
  const QWidget* client = window_->centralWidget();
  const int w = client->width(), h = client->height();
  const int panelWidth = w - 32;
  c_.InstrPanel->setGeometry(16, 2, panelWidth, 32);
  c_.TxTPanel->setGeometry(16, 36, panelWidth, 22);
  const int listWidth = panelWidth / 2 - 4;
  const int listHeight = h - 106;
  const int top = 62;
  c_.CDCatBox->setGeometry(16, top, listWidth, listHeight);
  // The filter field over the track list.
  c_.TrackFilterEdit->setGeometry(16 + listWidth + 8, top, listWidth, 24);
  c_.FileBox->setGeometry(16 + listWidth + 8, top + 26, listWidth, std::max(0, listHeight - 26));
  c_.offPanel->setGeometry(16, top, panelWidth, h - 106);
  // Sort controls at the right of the tool panel.
  // On a narrow window the label gives way to the music set counter.
  const int counterRight = c_.memCountLbl->geometry().right() + 4;
  const int sortLeft = std::max(panelWidth - 220, counterRight);
  c_.SortInfoLbl->setGeometry(sortLeft, 3, std::max(0, panelWidth - 30 - sortLeft), 26);
  c_.SortButDn->setGeometry(panelWidth - 24, 3, 20, 26);
  c_.SortButUp->setGeometry(panelWidth - 24, 3, 20, 26);

  // Under the lists.
  const int below = top + listHeight + 6;
  c_.KeyBox->setGeometry(16, below, listWidth - 27, 24);
  c_.KeyBox->setMaxVisibleItems(std::max(1, listHeight / 14));
  c_.KeyBut->setGeometry(16 + listWidth - 25, below, 25, 24);
  const int fileLeft = c_.FileBox->x(), fileRight = c_.FileBox->x() + c_.FileBox->width();
  c_.Gb->setGeometry(fileLeft, below, 56, 24);
  c_.PlayBar->setGeometry(fileLeft + 58, below + 6, listWidth - 104, 12);
  c_.Playbut->setGeometry(fileRight - 44, below, 14, 24);
  c_.PauseBut->setGeometry(fileRight - 29, below, 14, 24);
  c_.StopBut->setGeometry(fileRight - 14, below, 14, 24);
}

QSize MainFrame::MinimumSize(QSize available, QSize frame) {
  return QSize(std::clamp(available.width() - frame.width(), 1, kMinWidth),
               std::clamp(available.height() - frame.height(), 1, kMinHeight));
}

void MainFrame::ShowCover(bool shown, const QString& text) {
  if (!shown) {
    c_.offPanel->hide();
    return;
  }
  c_.RegInfoLbl->setText(text);
  c_.offPanel->show();
  c_.offPanel->raise();
}

void MainFrame::SetStatusField(int index, const QString& text) {
  if (index >= 0 && index < 5) SetStatusText(c_.statusFields[index], text);
}

void MainFrame::SetStatusText(QLabel* field, const QString& text) {
  field->setText(text);
  // Field 1 may be cut at the right on a narrow window: its whole text shows as a tip.
  if (field->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored) field->setToolTip(text);
}

}  // namespace trakvella
