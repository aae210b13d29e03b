#pragma once
// TDocForm: the subscription documents window — the licensee's details on three pages, the contract's
// number, dates, quota and price, and previews of the filled contract, appendix and act. Made once by the
// main window, its owner; it owns its form state and the three filled documents; the set and the catalogue are
// borrowed.
#include <QDialog>
#include <functional>
#include <map>
#include <string>

#include "core/documents/DocFormState.h"
#include "core/documents/LicenceDocuments.h"
#include "core/lang/Language.h"

class QDateEdit;
class QLayout;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTabWidget;
class QTextEdit;
class QToolButton;

namespace trakvella {

class Catalogue;
class Dialogs;
class IndicatorShape;
class MusicSet;
class ResourceStore;
class Subscription;

// The parts of the program the window reads; all outlive it.
struct DocWindowParts {
  const ResourceStore& resources;  // the templates
  Catalogue& catalogue;
  MusicSet& set;  // the codes of the set's tracks
  Dialogs& dialogs;
  const Subscription* subscription;  // nullptr without one: no account
  const Language& language;
};

class TDocForm : public QDialog {
  Q_OBJECT

 public:
  explicit TDocForm(DocWindowParts parts, QWidget* parent = nullptr);
  ~TDocForm() override;

  const DocFormState& state() const { return state_; }
  const LicenceDocuments& documents() const { return documents_; }
  // What the documents commands work with; the save dialog's file name is the window's own.
  DocumentContext Context();

  // MakeDocBut fills and saves, ViewDocBut fills only.
  void MakeDocButClick(DocumentAction action);
  // The preview toggle: 1255 pixels wide (no wider than the screen's room) and
  // centred with the previews, 580 at the remembered left without them.
  void OptButtonClick(bool pressed);
  // Quota preset `item` (N1 = 0 ... N6 = 5) of PodQuotas.
  void N1Click(int item);
  void CancelButClick() { reject(); }

  static constexpr int kNarrowWidth = 580;
  static constexpr int kWideWidth = 1255;

 protected:
  // Shown within the screen's room, whatever its size and scale.
  void setVisible(bool visible) override;
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* MakeCommonFields();
  // The three pages of the licensee's details, into pageControl_.
  void MakePages(QWidget* form);
  QLayout* MakeButtons(QWidget* form);
  // The previews of the three documents, hidden until the toggle is pressed.
  QWidget* MakePreviews();
  QWidget* MakePage(const char* sheet, std::initializer_list<std::pair<const char*, const char*>> labelledFields);
  QWidget* MakeLegend();
  QWidget* MakeField(const char* name);
  // A field's text changed, or the field was entered or left: its flag and colour follow.
  void FieldChanged(const std::string& name, const QString& text);
  void FieldRefresh(const std::string& name);
  void ShowFieldState();
  void ShowPreviews();

  DocWindowParts parts_;
  DocFormState state_;
  LicenceDocuments documents_;
  std::string saveFileName_;  // what the save dialog SaveRTF last held
  std::map<std::string, QLineEdit*> edits_;
  std::map<std::string, QPlainTextEdit*> memos_;
  std::map<std::string, IndicatorShape*> indicators_;  // by the control keeping the flag: edit or shape name
  QTabWidget* pageControl_ = nullptr;
  QDateEdit* dateDog_ = nullptr;
  QDateEdit* datePr_ = nullptr;
  QMenu* podQuotas_ = nullptr;
  QToolButton* optButton_ = nullptr;
  QWidget* previews_ = nullptr;
  QTextEdit* dog_ = nullptr;
  QTextEdit* dogPril_ = nullptr;
  QTextEdit* prList_ = nullptr;
  int rememberedLeft_ = 0;
};

}  // namespace trakvella
