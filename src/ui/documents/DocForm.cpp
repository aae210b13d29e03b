#include "ui/documents/DocForm.h"

#include <QApplication>
#include <QDate>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

#include "core/musicset/MusicSet.h"
#include "core/subscription/Subscription.h"
#include "ui/QtText.h"
#include "ui/WindowOnScreen.h"
#include "ui/documents/RtfPreview.h"
#include "ui/lang/LangCaptions.h"

namespace trakvella {

// The coloured mark of a field: a small square button beside an edit, a
// circle beside a memo. Its colour is also its "colour" property.
class IndicatorShape : public QWidget {
 public:
  IndicatorShape(bool circle, QWidget* parent) : QWidget(parent), circle_(circle) {
    setFixedSize(14, 14);
    SetColour(Qt::red);
  }
  void SetColour(const QColor& colour) {
    if (colour == colour_) return;
    colour_ = colour;
    setProperty("colour", colour);
    update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::darkGray, 1));
    p.setBrush(colour_);
    const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
    if (circle_)
      p.drawEllipse(r);
    else
      p.drawRoundedRect(r, 2, 2);
  }

 private:
  bool circle_;
  QColor colour_;
};

namespace {

QString Caption(const char* component) { return TableCaption("TDocForm", component); }

QColor ColourOf(FieldColour colour) {
  switch (colour) {
    case FieldColour::Green:
      return QColor(0, 192, 0);
    case FieldColour::Yellow:
      return QColor(255, 220, 0);
    case FieldColour::Red:
      break;
  }
  return QColor(230, 0, 0);
}

CivilDate CivilOf(const QDate& date) { return {date.year(), date.month(), date.day()}; }

QLabel* NamedLabel(const char* name, QWidget* parent) {
  auto* label = new QLabel(Caption(name), parent);
  label->setObjectName(name);
  return label;
}

QTextEdit* PreviewEditor(const char* name, QWidget* parent) {
  auto* editor = new QTextEdit(parent);
  editor->setObjectName(name);
  editor->setReadOnly(true);
  editor->setLineWrapMode(QTextEdit::WidgetWidth);
  // Wide enough to read, and still beside the form on a 940 pixels wide screen.
  editor->setMinimumWidth(300);
  return editor;
}

// The width of the form's own part: the window's narrow width less its margins.
constexpr int kMargin = 10;
constexpr int kFormWidth = TDocForm::kNarrowWidth - 2 * kMargin;

}  // namespace

TDocForm::TDocForm(DocWindowParts parts, QWidget* parent)
    : QDialog(parent), parts_(std::move(parts)), state_(CivilOf(QDate::currentDate())) {
  setObjectName("DocForm");
  setWindowTitle(TableCaption("TDocForm", "", CaptionProperty::WindowCaption));
  setModal(true);

  // The save dialog of the three documents and the passport: its title comes
  // from the caption table; the file name it holds is saveFileName_.
  auto* saveRtf = new QObject(this);
  saveRtf->setObjectName("SaveRTF");

  auto* form = new QWidget(this);
  form->setFixedWidth(kFormWidth);
  auto* formLayout = new QVBoxLayout(form);
  formLayout->setContentsMargins(0, 0, 0, 0);
  formLayout->addWidget(MakeCommonFields());

  MakePages(form);
  formLayout->addWidget(pageControl_, 1);
  formLayout->addWidget(MakeLegend());
  formLayout->addLayout(MakeButtons(form));
  previews_ = MakePreviews();

  // The form and the previews on one sheet, which scrolls where the screen has
  // less room than they need (twice the scale on a small screen).
  auto* sheet = new QWidget;
  auto* sheetLayout = new QHBoxLayout(sheet);
  sheetLayout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
  sheetLayout->setSpacing(kMargin);
  sheetLayout->addWidget(form);
  sheetLayout->addWidget(previews_, 1);
  auto* scroller = new QScrollArea(this);
  scroller->setObjectName("DocScroller");
  scroller->setFrameShape(QFrame::NoFrame);
  scroller->setWidgetResizable(true);
  scroller->setWidget(sheet);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroller);
  resize(kNarrowWidth, 640);

  // The editors start with the templates as they are. A missing one previews
  // empty here; making the documents loads them again and stops at it.
  (void)LoadLicenceTemplates(parts_.resources, documents_);
  ShowPreviews();
  ShowFieldState();
  RegisterCaptionWindow("TDocForm", this);
}

void TDocForm::MakePages(QWidget* form) {
  pageControl_ = new QTabWidget(form);
  pageControl_->setObjectName("PageControl1");
  pageControl_->addTab(
      MakePage("TabSheet1",
               {{"Label1", "fLLC"}, {"Label2", "fFIOCEO"}, {"Label3", "fCEO"}, {"Label4", "fLic"}, {"Label5", "fReq"}}),
      Caption("TabSheet1"));
  pageControl_->addTab(MakePage("TabSheet2", {{"Label7", "fIP"}, {"Label6", "fOGRNIP"}, {"Label8", "fReqIP"}}),
                       Caption("TabSheet2"));
  pageControl_->addTab(MakePage("TabSheet3", {{"Label9", "fFIO"}, {"Label11", "fPassport"}, {"Label10", "fReqFIO"}}),
                       Caption("TabSheet3"));
  connect(pageControl_, &QTabWidget::currentChanged, this,
          [this](int page) { state_.page = static_cast<DocPage>(page); });
}

// The preview toggle at the left, the three commands at the right.
QLayout* TDocForm::MakeButtons(QWidget* form) {
  optButton_ = new QToolButton(form);
  optButton_->setObjectName("OptButton");
  optButton_->setCheckable(true);
  optButton_->setArrowType(Qt::RightArrow);
  connect(optButton_, &QToolButton::toggled, this, &TDocForm::OptButtonClick);
  auto* viewDocBut = new QPushButton(Caption("ViewDocBut"), form);
  viewDocBut->setObjectName("ViewDocBut");
  connect(viewDocBut, &QPushButton::clicked, this, [this] { MakeDocButClick(DocumentAction::FillOnly); });
  auto* makeDocBut = new QPushButton(Caption("MakeDocBut"), form);
  makeDocBut->setObjectName("MakeDocBut");
  makeDocBut->setDefault(true);
  connect(makeDocBut, &QPushButton::clicked, this, [this] { MakeDocButClick(DocumentAction::FillAndSave); });
  auto* cancelBut = new QPushButton(Caption("CancelBut"), form);
  cancelBut->setObjectName("CancelBut");
  connect(cancelBut, &QPushButton::clicked, this, &TDocForm::CancelButClick);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(optButton_);
  buttons->addStretch();
  for (QPushButton* b : {viewDocBut, makeDocBut, cancelBut}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  return buttons;
}

QWidget* TDocForm::MakePreviews() {
  // The previews, shown only with the toggle pressed.
  auto* previews = new QSplitter(Qt::Vertical, this);
  previews->setObjectName("Previews");
  dog_ = PreviewEditor("Dog", previews);
  dogPril_ = PreviewEditor("DogPril", previews);
  prList_ = PreviewEditor("PrList", previews);
  previews->hide();
  return previews;
}

TDocForm::~TDocForm() { UnregisterCaptionWindow(this); }

QWidget* TDocForm::MakeCommonFields() {
  auto* box = new QGroupBox(Caption("DocGroupBox"), this);
  box->setObjectName("DocGroupBox");
  auto* grid = new QGridLayout(box);
  grid->addWidget(NamedLabel("DogNoLbl", box), 0, 0);
  grid->addWidget(MakeField("fDogNumberEdit"), 0, 1, 1, 3);

  auto makeDate = [this, box](const char* name, CivilDate& into) {
    auto* date = new QDateEdit(QDate::currentDate(), box);
    date->setObjectName(name);
    date->setCalendarPopup(true);
    date->setDisplayFormat("dd.MM.yyyy");
    connect(date, &QDateEdit::dateChanged, this, [&into](const QDate& d) { into = CivilOf(d); });
    return date;
  };
  dateDog_ = makeDate("DateDog", state_.contractDate);
  datePr_ = makeDate("DatePr", state_.reportDate);
  grid->addWidget(NamedLabel("DogDateLbl", box), 1, 0);
  grid->addWidget(dateDog_, 1, 1);
  grid->addWidget(NamedLabel("DogPrLbl", box), 1, 2);
  grid->addWidget(datePr_, 1, 3);

  // The quota with its presets.
  auto* quota = new QWidget(box);
  auto* quotaRow = new QHBoxLayout(quota);
  quotaRow->setContentsMargins(0, 0, 0, 0);
  quotaRow->addWidget(MakeField("fQuotaEdit"), 1);
  auto* presets = new QToolButton(quota);
  presets->setObjectName("SpeedButton1");
  presets->setText("...");
  quotaRow->addWidget(presets);
  podQuotas_ = new QMenu(this);
  podQuotas_->setObjectName("PodQuotas");
  for (size_t i = 0; i < kPodQuotas.size(); ++i) {
    QAction* item = podQuotas_->addAction(Q(kPodQuotas[i].caption));
    item->setObjectName(Q(kPodQuotas[i].item));
    connect(item, &QAction::triggered, this, [this, i] { N1Click(static_cast<int>(i)); });
  }
  // The presets open where the mouse is as the button is released.
  connect(presets, &QToolButton::clicked, this, [this] { podQuotas_->popup(QCursor::pos()); });
  grid->addWidget(NamedLabel("QuotaLbl", box), 2, 0);
  grid->addWidget(quota, 2, 1);
  grid->addWidget(NamedLabel("PriceLbl", box), 2, 2);
  grid->addWidget(MakeField("fPriceEdit"), 2, 3);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  return box;
}

QWidget* TDocForm::MakePage(const char* sheet,
                            std::initializer_list<std::pair<const char*, const char*>> labelledFields) {
  auto* page = new QWidget(this);
  page->setObjectName(sheet);
  auto* grid = new QGridLayout(page);
  int row = 0;
  for (const auto& [label, field] : labelledFields) {
    const DocFieldInfo* info = FindDocField(field);
    grid->addWidget(NamedLabel(label, page), row, 0, info->kind == DocFieldKind::Memo ? Qt::AlignTop : Qt::Alignment());
    grid->addWidget(MakeField(field), row, 1);
    if (info->kind == DocFieldKind::Memo) grid->setRowStretch(row, 1);
    ++row;
  }
  grid->setColumnStretch(1, 1);
  return page;
}

QWidget* TDocForm::MakeField(const char* name) {
  const DocFieldInfo* info = FindDocField(name);
  auto* holder = new QWidget(this);
  auto* row = new QHBoxLayout(holder);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(3);
  const std::string key = name;
  if (info->kind == DocFieldKind::Memo) {
    auto* memo = new QPlainTextEdit(holder);
    memo->setObjectName(name);
    memo->setTabChangesFocus(true);
    memo->setPlainText(Q(state_.Text(name)));
    memos_[key] = memo;
    auto* shape = new IndicatorShape(true, holder);
    shape->setObjectName(Q(info->indicator));
    indicators_[std::string(info->indicator)] = shape;
    row->addWidget(memo, 1);
    row->addWidget(shape, 0, Qt::AlignTop);
    connect(memo, &QPlainTextEdit::textChanged, this, [this, key, memo] { FieldChanged(key, memo->toPlainText()); });
  } else {
    auto* edit = new QLineEdit(Q(state_.Text(name)), holder);
    edit->setObjectName(name);
    edits_[key] = edit;
    auto* button = new IndicatorShape(false, holder);
    button->setObjectName(QString(name) + "Btn");
    indicators_[key] = button;
    row->addWidget(edit, 1);
    row->addWidget(button);
    connect(edit, &QLineEdit::textChanged, this, [this, key](const QString& text) { FieldChanged(key, text); });
    connect(edit, &QLineEdit::editingFinished, this, [this, key] { FieldRefresh(key); });
    // The entrepreneur's two fields are checked again as they are entered too.
    if (key == "fIP" || key == "fOGRNIP") edit->installEventFilter(this);
  }
  return holder;
}

QWidget* TDocForm::MakeLegend() {
  auto* legend = new QWidget(this);
  auto* row = new QHBoxLayout(legend);
  row->setContentsMargins(0, 0, 0, 0);
  const std::pair<const char*, FieldColour> entries[] = {
      {"Label16", FieldColour::Red}, {"Label17", FieldColour::Green}, {"Label18", FieldColour::Yellow}};
  for (const auto& [label, colour] : entries) {
    auto* mark = new IndicatorShape(false, legend);
    mark->SetColour(ColourOf(colour));
    row->addWidget(mark);
    row->addWidget(NamedLabel(label, legend));
    row->addSpacing(12);
  }
  row->addStretch();
  return legend;
}

// --- Field state -------------------------------------------------------------------------------

void TDocForm::FieldChanged(const std::string& name, const QString& text) {
  state_.SetText(name, S(text));
  ShowFieldState();
}

void TDocForm::FieldRefresh(const std::string& name) {
  state_.Refresh(name);
  ShowFieldState();
}

void TDocForm::ShowFieldState() {
  for (const DocFieldInfo& info : DocFields()) {
    const std::string name(info.name);
    const QColor colour = ColourOf(state_.Colour(info.name));
    if (info.kind == DocFieldKind::Memo) {
      memos_.at(name)->setProperty("Tag", state_.Tag(info.name));
      IndicatorShape* shape = indicators_.at(std::string(info.indicator));
      shape->setProperty("Tag", state_.Tag(info.indicator));
      shape->SetColour(colour);
    } else {
      edits_.at(name)->setProperty("Tag", state_.Tag(info.name));
      indicators_.at(name)->SetColour(colour);
    }
  }
}

void TDocForm::N1Click(int item) {
  state_.ChooseQuotaPreset(item);
  edits_.at("fQuotaEdit")->setText(Q(state_.Text("fQuotaEdit")));
}

bool TDocForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusIn) {
    const std::string name = S(watched->objectName());
    if (edits_.count(name)) FieldRefresh(name);
  }
  return QDialog::eventFilter(watched, event);
}

// --- The documents ------------------------------------------------------------------------------

DocumentContext TDocForm::Context() {
  return DocumentContext{
      parts_.resources, parts_.catalogue,          parts_.dialogs, parts_.language, static_cast<double>(logicalDpiX()),
      &saveFileName_,   [this] { ShowPreviews(); }};
}

void TDocForm::MakeDocButClick(DocumentAction action) {
  DocAccount account;
  if (const Subscription* subscription = parts_.subscription)
    account = {subscription->account().login, subscription->account().password,
               subscription->account().downloadedTracks};
  // The previews show the filled documents while the track source and the save dialogs ask.
  const MakeDocResult result = MakeDocuments(action, state_, account, parts_.set.Codes(), Context(), documents_);
  // A document that could not be written is named, so nobody takes it for saved.
  if (!result.failed.empty()) {
    std::string files;
    for (const auto& file : result.failed) {
      if (!files.empty()) files += '\n';
      files += file.string();
    }
    parts_.dialogs.Message(files, MessageKind::Error, MessageButtons::Ok);
  }
}

void TDocForm::ShowPreviews() {
  ShowRtf(dog_, documents_.dog);
  ShowRtf(dogPril_, documents_.dogPril);
  ShowRtf(prList_, documents_.prList);
}

// --- The window -----------------------------------------------------------------------------------

void TDocForm::OptButtonClick(bool pressed) {
  optButton_->setArrowType(pressed ? Qt::LeftArrow : Qt::RightArrow);
  if (optButton_->isChecked() != pressed) optButton_->setChecked(pressed);
  previews_->setVisible(pressed);
  if (pressed) {
    const QRect room = ScreenRoom(this);
    const int frame = frameGeometry().width() - width();
    const int wide = std::max(kNarrowWidth, std::min(kWideWidth, room.width() - frame));
    resize(wide, height());
    move(room.left() + static_cast<int>(std::lround((room.width() - wide - frame) / 2.0)), y());
  } else {
    resize(kNarrowWidth, height());
    move(rememberedLeft_, y());
  }
  KeepOnScreen(this);
  for (QTextEdit* editor : {dog_, dogPril_, prList_}) editor->viewport()->update();
}

void TDocForm::setVisible(bool visible) {
  if (visible) KeepOnScreen(this);
  QDialog::setVisible(visible);
}

void TDocForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  rememberedLeft_ = x();
}

void TDocForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  // As the window becomes active it remembers where it stands.
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) rememberedLeft_ = x();
}

}  // namespace trakvella
