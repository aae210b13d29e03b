#pragma once
// LangCaptions: applies the caption table to the program's windows, each registered under its class
// name when it is made. The registry only points at the windows; each window owns itself.
#include <QObject>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/CaptionTable.h"

namespace trakvella {

void RegisterCaptionWindow(const char* windowClass, QWidget* window);
void UnregisterCaptionWindow(QWidget* window);
QWidget* CaptionWindow(const char* windowClass);

// English names of category segments to their Russian text (for the search areas).
using Translator = std::function<std::optional<std::string>(std::string_view)>;

// Applies every group whose window exists, and the language of Qt's own
// dialogs (QtOwnDialogs).
void SetLangCaptions(Language language, const Translator& translate);

// The objects of a window a caption row names (the test: exactly one each).
std::vector<QObject*> CaptionTargets(QWidget* window, const CaptionRow& row);

// Whether the group's window (or, for the search panel, its controls) exists.
QWidget* GroupWindow(int group);

// The text the caption table gives a component of a window for one property, in
// Russian (the program's first language) unless another language is asked; empty
// when no row names it. Windows take their first captions from here.
QString TableCaption(std::string_view windowClass, std::string_view component,
                     CaptionProperty property = CaptionProperty::Caption, Language language = Language::Russian);

}  // namespace trakvella
