#include "ui/maintenance/RepForm.h"

#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/lang/MessageTable.h"
#include "ui/QtText.h"
#include "ui/WindowOnScreen.h"
#include "ui/lang/LangCaptions.h"

namespace trakvella {

namespace {

constexpr const char* kWindowClass = "TRepForm";

QString Caption(const char* component) { return TableCaption(kWindowClass, component); }

template <class T>
T* Named(T* widget, const QString& name) {
  widget->setObjectName(name);
  return widget;
}

// The items of a column list as the caption table writes them in Russian, in index order.
QStringList ListItems(std::string_view list, int count) {
  QStringList items;
  for (int i = 0; i < count; ++i) items << QString();
  for (const CaptionRow& row : CaptionTable())
    if (row.window == std::string_view(kWindowClass) && row.component == list &&
        row.property == CaptionProperty::Item && row.index < count)
      items[row.index] = Q(CaptionText(row, Language::Russian));
  return items;
}

QString Lines(const std::vector<std::string>& lines) {
  QStringList text;
  for (const std::string& line : lines) text << Q(line);
  return text.join('\n');
}

int CurrentYear() { return QDate::currentDate().year(); }

}  // namespace

TRepForm::TRepForm(ReportWindowParts parts, QWidget* parent) : QDialog(parent), parts_(std::move(parts)) {
  setObjectName("RepForm");
  setWindowTitle(TableCaption(kWindowClass, "", CaptionProperty::WindowCaption));
  setModal(true);

  pageControl2_ = Named(new QTabWidget(this), "PageControl2");
  auto* kinds = Named(new QWidget, "TabSheet4");
  auto* instructions = Named(new QWidget, "TabSheet5");
  pageControl2_->addTab(kinds, Caption("TabSheet4"));
  pageControl2_->addTab(instructions, Caption("TabSheet5"));

  // The kind-choice page: one page per kind, then the buttons.
  pageControl1_ = Named(new QTabWidget(kinds), "PageControl1");
  pageControl1_->addTab(MakeKindPage(ReportKind::Broadcast, "TabSheet1", "Label1", "BitBtn2", "Label4", "SpinEdit1",
                                     "Label5", "SpinEdit2"),
                        Caption("TabSheet1"));
  pageControl1_->addTab(MakeKindPage(ReportKind::Advertising, "TabSheet2", "Label3", "BitBtn3", "Label8", "SpinEdit3",
                                     "Label9", "SpinEdit4"),
                        Caption("TabSheet2"));
  QWidget* user = MakeKindPage(ReportKind::User, "TabSheet3", "Label2", "BitBtn1", nullptr, nullptr, nullptr, nullptr);
  checkColRowNames_ = Named(new QCheckBox(Caption("CheckColRowNames"), user), "CheckColRowNames");
  static_cast<QGridLayout*>(user->layout())->addWidget(checkColRowNames_, 3, 0, 1, 2);
  pageControl1_->addTab(user, Caption("TabSheet3"));

  makeRepBut_ = Named(new QPushButton(Caption("MakeRepBut"), kinds), "MakeRepBut");
  makeRepBut_->setDefault(true);
  cancelBut_ = Named(new QPushButton(Caption("CancelBut"), kinds), "CancelBut");
  cancelBut_->setAutoDefault(false);
  auto* kindButtons = new QHBoxLayout;
  kindButtons->addStretch();
  kindButtons->addWidget(makeRepBut_);
  kindButtons->addWidget(cancelBut_);
  auto* kindsLayout = new QVBoxLayout(kinds);
  kindsLayout->addWidget(pageControl1_, 1);
  kindsLayout->addLayout(kindButtons);

  // The instructions, Russian and English, read-only; one shows at a time, its
  // lines wrapped at the window's width rather than scrolled sideways.
  memo1_ = Named(new QPlainTextEdit(Lines(ReportInstructions(Language::Russian)), instructions), "Memo1");
  memo2_ = Named(new QPlainTextEdit(Lines(ReportInstructions(Language::English)), instructions), "Memo2");
  for (QPlainTextEdit* memo : {memo1_, memo2_}) {
    memo->setReadOnly(true);
    memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  }
  readyBut_ = Named(new QPushButton(Caption("ReadyBut"), instructions), "ReadyBut");
  readyBut_->hide();
  auto* instructionsLayout = new QVBoxLayout(instructions);
  auto* memos = new QHBoxLayout;
  memos->addWidget(memo1_);
  memos->addWidget(memo2_);
  instructionsLayout->addLayout(memos, 1);
  auto* readyRow = new QHBoxLayout;
  readyRow->addStretch();
  readyRow->addWidget(readyBut_);
  instructionsLayout->addLayout(readyRow);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pageControl2_);
  resize(760, 480);

  connect(pageControl1_, &QTabWidget::currentChanged, this,
          [this](int index) { state_.activeKind = static_cast<ReportKind>(index); });
  connect(pageControl2_, &QTabWidget::currentChanged, this, [this](int index) {
    if (index == 1) PageControl2Enter();
  });
  connect(checkColRowNames_, &QCheckBox::toggled, this,
          [this](bool checked) { state_.SetCheckColRowNames(checked, parts_.settings); });
  connect(makeRepBut_, &QPushButton::clicked, this, &TRepForm::BitBtn4Click);
  connect(cancelBut_, &QPushButton::clicked, this, &QDialog::reject);
  connect(readyBut_, &QPushButton::clicked, this, &QDialog::accept);
  RegisterCaptionWindow(kWindowClass, this);
}

TRepForm::~TRepForm() {
  UnregisterCaptionWindow(this);
  // The controls go after the state: nothing they signal on the way reaches it.
  for (QObject* child : findChildren<QObject*>()) child->blockSignals(true);
}

QWidget* TRepForm::MakeKindPage(ReportKind kind, const char* page, const char* listLabel, const char* selectAll,
                                const char* quarterLabel, const char* quarter, const char* yearLabel,
                                const char* year) {
  auto* sheet = Named(new QWidget, page);
  KindPage& p = pages_[static_cast<int>(kind)];
  const int k = static_cast<int>(kind);
  auto* label = Named(new QLabel(Caption(listLabel), sheet), listLabel);
  const std::string_view listName = ReportColumnList(kind);
  p.list = Named(new QListWidget(sheet), Q(listName));
  p.list->setSelectionMode(QAbstractItemView::MultiSelection);
  p.list->addItems(ListItems(listName, ReportColumnCount(kind)));
  p.list->selectAll();
  p.selectAll = Named(new QPushButton(Caption(selectAll), sheet), selectAll);
  p.selectAll->setAutoDefault(false);

  auto* grid = new QGridLayout(sheet);
  grid->addWidget(label, 0, 0, 1, 2);
  grid->addWidget(p.list, 1, 0, 1, 2);
  grid->addWidget(p.selectAll, 2, 0);
  if (quarter) {
    auto* period = new QHBoxLayout;
    p.quarter = Named(new QSpinBox(sheet), quarter);
    p.quarter->setRange(1, 4);
    p.quarter->setValue(state_.quarter(kind));
    p.year = Named(new QSpinBox(sheet), year);
    p.year->setRange(kFirstReportYear, LastReportYear(CurrentYear()));
    p.year->setValue(state_.year(kind));
    period->addWidget(Named(new QLabel(Caption(quarterLabel), sheet), quarterLabel));
    period->addWidget(p.quarter);
    period->addWidget(Named(new QLabel(Caption(yearLabel), sheet), yearLabel));
    period->addWidget(p.year);
    period->addStretch();
    grid->addLayout(period, 3, 0, 1, 2);
    connect(p.quarter, &QSpinBox::valueChanged, this, [this, kind](int value) { state_.SetQuarter(kind, value); });
    connect(p.year, &QSpinBox::valueChanged, this,
            [this, kind](int value) { state_.SetYear(kind, value, CurrentYear()); });
  }

  connect(p.list, &QListWidget::itemSelectionChanged, this, [this, k, kind] {
    QListWidget* list = pages_[k].list;
    for (int i = 0; i < list->count(); ++i) state_.SetSelected(kind, i, list->item(i)->isSelected());
  });
  connect(p.selectAll, &QPushButton::clicked, this, [this, k, kind] {
    state_.SelectAll(kind);
    pages_[k].list->selectAll();
  });
  return sheet;
}

void TRepForm::setVisible(bool visible) {
  if (visible) KeepOnScreen(this);
  QDialog::setVisible(visible);
}

void TRepForm::Open() {
  FormActivate();
  exec();
}

void TRepForm::FormActivate() {
  state_.StartOnKindChoice();
  checkColRowNames_->setChecked(parts_.settings.checkColRowNames);
  const QString yearHint = Q(ReportYearNotice(parts_.language, LastReportYear(CurrentYear())));
  for (const KindPage& p : pages_)
    if (p.year) p.year->setToolTip(yearHint);
  ShowPage();
}

void TRepForm::BitBtn4Click() {
  if (state_.MakeReport(parts_.set.entries(), parts_.catalogue, parts_.random, parts_.clipboard, parts_.dialogs,
                        parts_.language))
    ShowPage();
}

void TRepForm::PageControl2Enter() {
  memo1_->setVisible(ReportWindowState::RussianMemoVisible(parts_.language));
  memo2_->setVisible(ReportWindowState::EnglishMemoVisible(parts_.language));
}

void TRepForm::ShowPage() {
  pageControl1_->setCurrentIndex(static_cast<int>(state_.activeKind));
  pageControl2_->setCurrentIndex(state_.page());
  readyBut_->setVisible(state_.readyButtonVisible());
  if (state_.page() == 1) PageControl2Enter();
}

}  // namespace trakvella
