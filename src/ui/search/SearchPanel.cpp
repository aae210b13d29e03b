#include "ui/search/SearchPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "core/catalogue/Vocabulary.h"
#include "core/lang/CaptionTable.h"
#include "core/lang/MessageTable.h"
#include "ui/QtText.h"

namespace trakvella {

namespace {

// Tag 1: the control stays enabled in effect mode.
template <typename T>
T* Make(QWidget* parent, const char* name, int tag) {
  auto* w = new T(parent);
  w->setObjectName(name);
  w->setProperty("Tag", tag);
  return w;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption) {
  auto* l = Make<QLabel>(parent, name, 1);
  l->setText(QString::fromUtf8(caption));
  return l;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, bool on) {
  auto* c = Make<QCheckBox>(parent, name, 0);
  c->setText(QString::fromUtf8(caption));
  c->setChecked(on);
  return c;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int tag) {
  auto* b = Make<QPushButton>(parent, name, tag);
  b->setText(QString::fromUtf8(caption));
  b->setAutoDefault(false);
  return b;
}

// Sets the text colours of a control in every colour group, so a disabled
// control shows the same colour.
void SetTextColour(QWidget* w, const QColor& colour) {
  QPalette p = w->palette();
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) p.setColor(group, role, colour);
  w->setPalette(p);
}

// Back to the colours the control inherits.
void ResetColours(QWidget* w) { w->setPalette(QPalette()); }

// A list exactly `rows` whole rows high.
void SetListHeight(QListWidget* list, int rows) {
  const int row = list->sizeHintForRow(0) > 0 ? list->sizeHintForRow(0) : QFontMetrics(list->font()).height() + 2;
  list->setFixedHeight(rows * row + 2 * list->frameWidth());
}

std::vector<std::string> SelectedTexts(const QListWidget* list) {
  std::vector<std::string> texts;
  for (int i = 0; i < list->count(); ++i)
    if (list->item(i)->isSelected()) texts.push_back(list->item(i)->text().toStdString());
  return texts;
}

}  // namespace

// --- The style list's rows -------------------------------------------------------

QString StyleCountText(int count) { return QStringLiteral(" (%1)").arg(count); }

void StyleBoxDrawItem(QPainter* p, const QStyleOptionViewItem& option, const QString& style, int count) {
  const QRect r = option.rect;
  const bool selected = option.state & QStyle::State_Selected;
  const QPalette& palette = option.palette;

  p->save();
  p->setClipRect(r);
  p->fillRect(r, selected ? QColor(kSearchGrey) : palette.color(QPalette::Base));

  const QColor textColour = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  p->setPen(textColour);
  p->setFont(option.font);
  const int nameWidth = QFontMetrics(option.font).horizontalAdvance(style);
  const int nameLeft = r.left() + 3;
  p->drawText(QRect(nameLeft, r.top(), nameWidth + 1, r.height()),
              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, style);

  QFont small = option.font;
  small.setPointSize(kStyleCountPointSize);
  p->setFont(small);
  p->setPen(QColor(kStyleCountSilver));
  const QString countText = StyleCountText(count);
  const int countLeft = nameLeft + nameWidth + 5;
  p->drawText(QRect(countLeft, r.top(), QFontMetrics(small).horizontalAdvance(countText) + 1, r.height()),
              Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, countText);

  if (option.state & QStyle::State_HasFocus) {
    p->setPen(QPen(textColour, 1, Qt::DotLine));
    p->setBrush(Qt::NoBrush);
    p->drawRect(r.adjusted(0, 0, -1, -1));
  }
  p->restore();
}

StyleBoxDelegate::StyleBoxDelegate(const Catalogue& catalogue, QObject* parent)
    : QStyledItemDelegate(parent), catalogue_(catalogue) {}

void StyleBoxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem o = option;
  initStyleOption(&o, index);
  const int row = index.row();
  const int count = row >= 0 && row < static_cast<int>(catalogue_.StyleCounts().size())
                        ? catalogue_.StyleCounts()[static_cast<size_t>(row)]
                        : 0;
  StyleBoxDrawItem(painter, o, index.data(Qt::DisplayRole).toString(), count);
}

void SelectListItems(QListWidget* list, const std::vector<std::string>& names) {
  for (int i = 0; i < list->count(); ++i) {
    QListWidgetItem* item = list->item(i);
    const std::string text = item->text().toStdString();
    item->setSelected(std::find(names.begin(), names.end(), text) != names.end());
  }
}

// --- The panel -------------------------------------------------------------------

TSearchPanel::TSearchPanel(QWidget* parent, const Catalogue& catalogue, const Language& language, Clock& clock)
    : QFrame(parent), catalogue_(catalogue), language_(language), clock_(clock) {
  setObjectName("SearchPanelControls");
  BuildControls();
  LayOut();

  connect(SBut, &QPushButton::clicked, this, &TSearchPanel::SButClick);
  connect(TrashBut, &QPushButton::clicked, this, &TSearchPanel::TrashButClick);
  connect(sfx, &QRadioButton::clicked, this, &TSearchPanel::sfxClick);
  connect(melody, &QRadioButton::clicked, this, &TSearchPanel::melodyClick);
  for (QCheckBox* box : {_mood1, _mood2, _mood3, _mood4, _mood5})
    connect(box, &QCheckBox::clicked, this, &TSearchPanel::_mood1Click);
  for (QCheckBox* box : {_tempo1, _tempo2, _tempo3})
    connect(box, &QCheckBox::clicked, this, &TSearchPanel::_tempo2Click);
  connect(_bkgr, &QCheckBox::clicked, this, &TSearchPanel::_bkgrClick);
  connect(_image, &QCheckBox::clicked, this, &TSearchPanel::_bkgrClick);
  connect(_agression, &QCheckBox::clicked, this, &TSearchPanel::_agressionClick);
  connect(StyleBox, &QListWidget::itemSelectionChanged, this, &TSearchPanel::StyleBoxClick);
  connect(TimeBox, &QListWidget::itemSelectionChanged, this, &TSearchPanel::TimeBoxClick);
  connect(StyleClear, &QPushButton::clicked, this, &TSearchPanel::StyleClearClick);
  connect(TimeClear, &QPushButton::clicked, this, &TSearchPanel::TimeClearClick);
  connect(Tap1But, &QPushButton::clicked, this, &TSearchPanel::Tap1ButClick);
  connect(Tap2But, &QPushButton::clicked, this, &TSearchPanel::Tap1ButClick);
  // Only a choice of the user runs a preset; setting the box in code does not.
  connect(SPresets, &QComboBox::activated, this, &TSearchPanel::SPresetsChange);

  InitSearchPanel();
}

TSearchPanel::~TSearchPanel() = default;

void TSearchPanel::BuildControls() {
  BuildModeControls();
  BuildCharacterControls();
  BuildStyleControls();
  BuildKeyAndTempoControls();
}

void TSearchPanel::BuildModeControls() {
  SBut = MakeButton(this, "SBut", "Найти", 1);
  TrashBut = MakeButton(this, "TrashBut", "Сброс", 1);

  melody = Make<QRadioButton>(this, "melody", 1);
  melody->setText("Мелодии");
  melody->setChecked(true);
  sfx = Make<QRadioButton>(this, "sfx", 1);
  sfx->setText("Эффект");
  MelformLbl = MakeLabel(this, "MelformLbl", "Форма: мелодии");

  PresetLbl = MakeLabel(this, "PresetLbl", "Пресеты:");
  SPresets = Make<QComboBox>(this, "SPresets", 0);
  SPresets->addItems(
      {"Все музыкальные треки", "Все эффекты", "Все заставки для оформления эфира", "Позитивный поп-рок"});

  RangeSearchLbl = MakeLabel(this, "RangeSearchLbl", "Область поиска:");
  SArea = Make<QComboBox>(this, "SArea", 0);
  SArea->addItem("ВСЕ НАПРАВЛЕНИЯ");
  for (size_t i = 1; i < kSearchAreaNames.size(); ++i) SArea->addItem(Q(kSearchAreaNames[i]));
  for (QComboBox* box : {SPresets, SArea}) {
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(12);
  }

  MusOptLbl = MakeLabel(this, "MusOptLbl", "Музыкальные настройки");
  QFont bold = MusOptLbl->font();
  bold.setBold(true);
  MusOptLbl->setFont(bold);
}

void TSearchPanel::BuildCharacterControls() {
  MoodNameLbl = MakeLabel(this, "MoodNameLbl", "Настроение любое");
  _mood5 = MakeCheck(this, "_mood5", "Заводное / Комедийное", true);
  _mood4 = MakeCheck(this, "_mood4", "Позитивное", true);
  _mood3 = MakeCheck(this, "_mood3", "Нейтральное", true);
  _mood2 = MakeCheck(this, "_mood2", "Грустное", true);
  _mood1 = MakeCheck(this, "_mood1", "Тревожное / Суицидальное", true);

  TempoNameLbl = MakeLabel(this, "TempoNameLbl", "Темп любой");
  _tempo3 = MakeCheck(this, "_tempo3", "Быстро", true);
  _tempo2 = MakeCheck(this, "_tempo2", "Средне", true);
  _tempo1 = MakeCheck(this, "_tempo1", "Медленно", true);

  BkgTypeLbl = MakeLabel(this, "BkgTypeLbl", "Подача");
  _image = MakeCheck(this, "_image", "Для оформления эфира", false);
  _agression = MakeCheck(this, "_agression", "Только агрессивная", false);
  _bkgr = MakeCheck(this, "_bkgr", "Только фоновая / подложка", false);
}

void TSearchPanel::BuildStyleControls() {
  StyleLbl = MakeLabel(this, "StyleLbl", "Стиль любой");
  StyleClear = MakeButton(this, "StyleClear", "×", 0);
  StyleBox = Make<QListWidget>(this, "StyleBox", 0);
  StyleBox->setSelectionMode(QAbstractItemView::MultiSelection);
  StyleBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StyleBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StyleBox->setUniformItemSizes(true);
  for (std::string_view style : kStyleWords) StyleBox->addItem(Q(style));
  StyleBox->setItemDelegate(new StyleBoxDelegate(catalogue_, StyleBox));
  SetListHeight(StyleBox, 9);
  StyleCheck = MakeCheck(this, "StyleCheck", "Точное совпадение набора стилей", false);

  EpochLbl = MakeLabel(this, "EpochLbl", "Эпоха любая");
  TimeClear = MakeButton(this, "TimeClear", "×", 0);
  TimeBox = Make<QListWidget>(this, "TimeBox", 0);
  TimeBox->setSelectionMode(QAbstractItemView::MultiSelection);
  TimeBox->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TimeBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (std::string_view epoch : kEpochWords) TimeBox->addItem(Q(epoch));
  SetListHeight(TimeBox, static_cast<int>(kEpochWords.size()));

  for (QPushButton* clear : {StyleClear, TimeClear}) {
    const int side = QFontMetrics(clear->font()).height() + 4;
    clear->setFixedSize(side, side);
  }
}

void TSearchPanel::BuildKeyAndTempoControls() {
  ToneLbl = MakeLabel(this, "ToneLbl", "Тональность:");
  MKeyBox = Make<QComboBox>(this, "_MKeyBox", 0);
  for (std::string_view key : kKeyItems) MKeyBox->addItem(Q(key));

  TempoLbl = MakeLabel(this, "TempoLbl", "Темп BPM от-до:");
  // Digits and "." only; backspace and the editing keys work as usual.
  const QRegularExpression tempoChars(QStringLiteral("[0-9.]*"));
  TempoIn = Make<QLineEdit>(this, "_TempoIn", 0);
  TempoOut = Make<QLineEdit>(this, "_TempoOut", 0);
  for (QLineEdit* edit : {TempoIn, TempoOut}) {
    edit->setValidator(new QRegularExpressionValidator(tempoChars, edit));
    edit->setMaxLength(6);
    edit->setFixedWidth(QFontMetrics(edit->font()).horizontalAdvance("00000") + 12);
  }
  Tap1But = MakeButton(this, "_Tap1But", "Tap", 0);
  Tap2But = MakeButton(this, "_Tap2But", "Tap", 0);
}

// The mode and the presets across the top; mood, tempo and character on the
// left beside styles and epochs on the right; the key and the BPM range across
// the bottom. Nothing is squeezed below what it needs: when the panel gets less
// room than that, its owner scrolls it.
void TSearchPanel::LayOut() {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(4, 4, 4, 4);
  column->setSpacing(2);

  auto row = [](std::initializer_list<QWidget*> widgets, bool stretchAtEnd = false) {
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    for (QWidget* w : widgets) line->addWidget(w);
    if (stretchAtEnd) line->addStretch(1);
    return line;
  };

  QHBoxLayout* top = row({SBut, TrashBut});
  top->addSpacing(8);
  top->addWidget(melody);
  top->addWidget(sfx);
  top->addStretch(1);
  column->addLayout(top);
  column->addWidget(MelformLbl);
  column->addLayout(row({PresetLbl, SPresets}));
  SPresets->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  column->addLayout(row({RangeSearchLbl, SArea}));
  SArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);

  column->addSpacing(4);
  column->addWidget(MusOptLbl);
  auto* columns = new QHBoxLayout;
  columns->setSpacing(10);
  auto* left = new QVBoxLayout;
  left->setSpacing(1);
  left->addWidget(MoodNameLbl);
  for (QCheckBox* box : {_mood5, _mood4, _mood3, _mood2, _mood1}) left->addWidget(box);
  left->addWidget(TempoNameLbl);
  for (QCheckBox* box : {_tempo3, _tempo2, _tempo1}) left->addWidget(box);
  left->addWidget(BkgTypeLbl);
  for (QCheckBox* box : {_image, _agression, _bkgr}) left->addWidget(box);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->setSpacing(2);
  right->addLayout(row({StyleLbl, StyleClear}));
  StyleLbl->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  right->addWidget(StyleBox);
  right->addLayout(row({EpochLbl, TimeClear}));
  EpochLbl->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  right->addWidget(TimeBox);
  right->addStretch(1);
  columns->addLayout(left, 0);
  columns->addLayout(right, 1);
  column->addLayout(columns);
  column->addWidget(StyleCheck);

  column->addSpacing(4);
  column->addLayout(row({ToneLbl, MKeyBox}, true));
  auto* dash = new QLabel(QStringLiteral("–"), this);
  column->addLayout(row({TempoLbl, TempoIn, dash, TempoOut, Tap1But, Tap2But}, true));
  column->addStretch(1);
}

Language TSearchPanel::language() const { return language_; }

// --- Criteria in and out ---------------------------------------------------------

SearchCriteria TSearchPanel::Criteria() const {
  SearchCriteria c;
  c.effectMode = sfx->isChecked();
  c.area = std::max(0, SArea->currentIndex());
  const QCheckBox* moods[] = {_mood1, _mood2, _mood3, _mood4, _mood5};
  for (size_t i = 0; i < c.moods.size(); ++i) c.moods[i] = moods[i]->isChecked();
  const QCheckBox* tempos[] = {_tempo1, _tempo2, _tempo3};
  for (size_t i = 0; i < c.tempos.size(); ++i) c.tempos[i] = tempos[i]->isChecked();
  c.aggressive = _agression->isChecked();
  c.background = _bkgr->isChecked();
  c.imaging = _image->isChecked();
  c.styles = SelectedTexts(StyleBox);
  c.exactStyles = StyleCheck->isChecked();
  c.epochs = SelectedTexts(TimeBox);
  c.key = std::max(0, MKeyBox->currentIndex());
  c.tempoIn = TempoIn->text().toStdString();
  c.tempoOut = TempoOut->text().toStdString();
  return c;
}

void TSearchPanel::SetCriteria(const SearchCriteria& c) {
  (c.effectMode ? sfx : melody)->setChecked(true);
  ApplyMode(c.effectMode);
  SArea->setCurrentIndex(std::clamp(c.area, 0, SArea->count() - 1));
  QCheckBox* moods[] = {_mood1, _mood2, _mood3, _mood4, _mood5};
  for (size_t i = 0; i < c.moods.size(); ++i) moods[i]->setChecked(c.moods[i]);
  QCheckBox* tempos[] = {_tempo1, _tempo2, _tempo3};
  for (size_t i = 0; i < c.tempos.size(); ++i) tempos[i]->setChecked(c.tempos[i]);
  _agression->setChecked(c.aggressive);
  _bkgr->setChecked(c.background);
  _image->setChecked(c.imaging);
  {
    const QSignalBlocker styles(StyleBox), epochs(TimeBox);
    SelectListItems(StyleBox, c.styles);
    SelectListItems(TimeBox, c.epochs);
  }
  StyleCheck->setChecked(c.exactStyles);
  MKeyBox->setCurrentIndex(std::clamp(c.key, 0, MKeyBox->count() - 1));
  TempoIn->setText(QString::fromStdString(c.tempoIn));
  TempoOut->setText(QString::fromStdString(c.tempoOut));
  RefreshMoodLabel();
  RefreshTempoLabel();
  StyleBoxClick();
  TimeBoxClick();
}

void TSearchPanel::LanguageChanged() {
  const SearchCriteria c = Criteria();
  const Language language = language_;
  MoodNameLbl->setText(Q(MoodLabel(c, language)));
  TempoNameLbl->setText(Q(TempoLabel(c, language)));
  StyleLbl->setText(Q(StyleLabel(c, language)));
  EpochLbl->setText(Q(EpochLabel(c, language)));
  MelformLbl->setText(Q(FormLabel(c, language)));
}

// --- Handlers --------------------------------------------------------------------

void TSearchPanel::InitSearchPanel() {
  if (SArea->currentIndex() < 0) SArea->setCurrentIndex(0);
  RefreshMoodLabel();
  RefreshTempoLabel();
  sfxClick();
  melodyClick();
  StyleBoxClick();
  TimeBoxClick();
  tap_ = {};
}

void TSearchPanel::ApplyMode(bool effect) {
  const QColor grey(kSearchGrey);
  const QColor greyText = QApplication::palette().color(QPalette::Disabled, QPalette::WindowText);
  for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    const QVariant tag = w->property("Tag");
    if (!tag.isValid()) continue;
    w->setEnabled(!effect || tag.toInt() != 0);
    if (w->objectName().startsWith('_')) {
      if (effect)
        SetTextColour(w, grey);
      else
        ResetColours(w);
    }
  }
  for (QWidget* w : std::initializer_list<QWidget*>{StyleBox, StyleCheck, TimeBox, ToneLbl, TempoLbl}) {
    if (effect)
      SetTextColour(w, greyText);
    else
      ResetColours(w);
  }
  SPresets->setEnabled(true);
  MelformLbl->setText(Q(FormLabel(Criteria(), language())));
}

void TSearchPanel::sfxClick() {
  if (sfx->isChecked()) ApplyMode(true);
}

void TSearchPanel::melodyClick() {
  if (melody->isChecked()) ApplyMode(false);
}

void TSearchPanel::RefreshMoodLabel() { MoodNameLbl->setText(Q(MoodLabel(Criteria(), language()))); }

void TSearchPanel::RefreshTempoLabel() { TempoNameLbl->setText(Q(TempoLabel(Criteria(), language()))); }

void TSearchPanel::_mood1Click() {
  QCheckBox* moods[] = {_mood1, _mood2, _mood3, _mood4, _mood5};
  if (std::none_of(std::begin(moods), std::end(moods), [](QCheckBox* b) { return b->isChecked(); })) {
    auto* clicked = qobject_cast<QCheckBox*>(sender());
    if (std::find(std::begin(moods), std::end(moods), clicked) == std::end(moods)) clicked = _mood1;
    clicked->setChecked(true);
  }
  RefreshMoodLabel();
}

void TSearchPanel::_tempo2Click() {
  QCheckBox* tempos[] = {_tempo1, _tempo2, _tempo3};
  if (std::none_of(std::begin(tempos), std::end(tempos), [](QCheckBox* b) { return b->isChecked(); })) {
    auto* clicked = qobject_cast<QCheckBox*>(sender());
    if (std::find(std::begin(tempos), std::end(tempos), clicked) == std::end(tempos)) clicked = _tempo2;
    clicked->setChecked(true);
  }
  RefreshTempoLabel();
}

void TSearchPanel::_bkgrClick() {
  if (_bkgr->isChecked()) _agression->setChecked(false);
}

void TSearchPanel::_agressionClick() {
  if (_agression->isChecked()) _bkgr->setChecked(false);
}

void TSearchPanel::StyleBoxClick() {
  StyleLbl->setText(Q(StyleLabel(Criteria(), language())));
  StyleCheck->setEnabled(true);
}

void TSearchPanel::TimeBoxClick() { EpochLbl->setText(Q(EpochLabel(Criteria(), language()))); }

void TSearchPanel::StyleClearClick() {
  {
    const QSignalBlocker block(StyleBox);
    StyleBox->clearSelection();
  }
  StyleBoxClick();
}

void TSearchPanel::TimeClearClick() {
  {
    const QSignalBlocker block(TimeBox);
    TimeBox->clearSelection();
  }
  TimeBoxClick();
}

void TSearchPanel::Tap1ButClick() { Tap(sender() == Tap2But); }

void TSearchPanel::Tap(bool upper) {
  if (const std::optional<int> bpm = TapTempo(tap_, upper, clock_.NowMs()))
    (upper ? TempoOut : TempoIn)->setText(QString::number(*bpm));
}

void TSearchPanel::SPresetsChange() {
  const int preset = SPresets->currentIndex();
  if (preset < 0) return;
  SearchCriteria c = Criteria();
  ApplyPreset(c, preset, tap_);
  SetCriteria(c);
  TimeBoxClick();
  StyleBoxClick();
  SButClick();
}

void TSearchPanel::TrashButClick() {
  SearchCriteria c = Criteria();
  ResetCriteria(c, tap_);
  SetCriteria(c);
  SPresets->setCurrentIndex(0);
  TimeBoxClick();
  StyleBoxClick();
  // The key box shows nothing, which counts as any key.
  MKeyBox->setCurrentIndex(-1);
  TempoIn->clear();
  TempoOut->clear();
}

void TSearchPanel::SButClick() { emit searchRequested(); }

}  // namespace trakvella
