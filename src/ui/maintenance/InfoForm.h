#pragma once
// TInfoForm: the CD information pop-up beside the category list, with the CD's cover and description.
// Made once by the main window, its owner, and shown again and again.
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <QWidget>
#include <functional>
#include <string>

class QFrame;
class QKeyEvent;
class QLabel;
class QTimer;
class QToolButton;

namespace trakvella {

// A borderless tool window that does not take the focus from the main window;
// it goes away as soon as the mouse moves over it once a 200 ms grace period
// after each showing has passed, or at once when a mouse button is released
// over the text or the panel.
class TInfoForm : public QWidget {
  Q_OBJECT

 public:
  explicit TInfoForm(QWidget* parent = nullptr);

  // Fills the window for one CD: the description in Label1, the window 330
  // wide and as high as the text (and the cover) need, Tag = cdNumber.
  void PrepareCd(const std::string& description, int cdNumber);
  // Moves the window to a screen position and shows it without activating it.
  void ShowAt(QPoint screenPos);
  // Both at once; the second form asks for the position once the window's
  // size is known (the position depends on it).
  void ShowCd(const std::string& description, int cdNumber, QPoint screenPos);
  void ShowCd(const std::string& description, int cdNumber, const std::function<QPoint(QSize)>& place);

  int Tag() const { return tag_; }
  void SetTag(int cdNumber) { tag_ = cdNumber; }

  // Paints the cover for Tag into Image1 and starts the grace period; runs on
  // every showing, also when the window is shown again while visible.
  void FormActivate();

  // The cover thumbnail of a CD: image CoverIndex(n) of cover list CoverList(n)
  // (list 1 up to CD 500, list 2 above it). Always 60 x 60.
  static int CoverList(int cdNumber);
  static int CoverIndex(int cdNumber);
  static QPixmap CoverFor(int cdNumber);

  // Keys pressed while the window has the focus go to the main window's
  // keyboard handler.
  std::function<void(QKeyEvent*)> onKey;

  static constexpr int kClientWidth = 330;
  static constexpr int kCoverSize = 60;
  static constexpr int kLabelWidth = 247;
  static constexpr int kGraceMs = 200;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private slots:
  void CloseTimerTimer();
  void Button1Click();

 private:
  void Layout();

  QFrame* panel1_;
  QLabel* image1_;
  QFrame* shape1_;
  QLabel* label1_;
  QToolButton* speedButton1_;
  QTimer* closeTimer_;
  int tag_ = 0;
};

}  // namespace trakvella
