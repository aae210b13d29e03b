#include "ui/browse/FileBoxDelegate.h"

#include <QPainter>

#include "core/lang/MessageTable.h"
#include "ui/QtText.h"
#include "ui/browse/RowPictures.h"

namespace trakvella {

QString TrackRowTimeText(const TrackRecord& track) { return QStringLiteral(" ") + Q(track.duration); }

QString TrackRowMainText(const DisplayOptions& options, bool resultMode, const TrackRecord& track, Language language) {
  std::string text = resultMode ? " * " : " ";
  if (options.showCode) text += "[" + track.code + "] ";
  if (options.showName) text += track.title;
  if (options.showComposer && options.showArtist) {
    text += LangMessage(language, Msg::StatusArtistComposer) + track.composer + " / " + track.performer + " ";
  } else {
    if (options.showComposer) text += LangMessage(language, Msg::StatusComposer) + track.composer + " ";
    if (options.showArtist) text += LangMessage(language, Msg::StatusArtist) + track.performer + " ";
  }
  return Q(text);
}

QString TrackRowMainText(const Browser& browser, const TrackRecord& track, Language language) {
  return TrackRowMainText(browser.options(), browser.resultMode(), track, language);
}

QString TrackRowStyleText(const TrackRecord& track) { return Q(track.styleText).toLower(); }

int TrackIconIndex(const TrackMarks& marks, int cd, int track, const TrackRecord& record) {
  if (marks.inMusicSet && marks.inMusicSet(cd, track)) return 2;
  if (marks.downloaded && marks.downloaded(record.code)) return 3;
  if (Q(record.location).toLower().contains(QStringLiteral(".wav"))) return 0;
  return 1;
}

void FileBoxDelegate::paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const int row = index.row();
  if (row < 0 || row >= browser_.rowCount()) return;
  const auto [cd, trackPosition] = browser_.rows()[static_cast<size_t>(row)];
  const TrackRecord& track = catalogue_.Track(cd, trackPosition);
  const QRect r = option.rect;
  const QPalette& palette = option.palette;
  const bool selected = option.state & QStyle::State_Selected;
  const bool comment = marks.hasComment && marks.hasComment(track.code);
  const DisplayOptions& options = browser_.options();

  p->save();
  p->setClipRect(r);
  FillRow(p, option, selected, kRowIconSize, palette.color(comment ? QPalette::ToolTipBase : QPalette::Base));
  p->drawImage(QPoint(r.left(), IconTop(r)), TrackImage(TrackIconIndex(marks, cd, trackPosition, track)));

  const QColor textColour = palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  int x = r.left() + kRowIconSize + 5;
  p->setPen(textColour);
  if (options.showTime) {
    p->setFont(BoldFont(option.font));
    x = DrawTextAt(p, r, x, 0, TrackRowTimeText(track)) + 2;
  }
  p->setFont(option.font);
  p->setPen(selected && comment ? QColor(Qt::yellow) : textColour);
  x = DrawTextAt(p, r, x, 0, TrackRowMainText(browser_, track, language()));
  if (options.showStyle) {
    p->setFont(SmallFont(option.font));
    p->setPen(kSilver);
    DrawTextAt(p, r, x + 2, 1, TrackRowStyleText(track));
  }
  if (option.state & QStyle::State_HasFocus) DrawFocus(p, r, textColour);
  p->restore();
}

}  // namespace trakvella
