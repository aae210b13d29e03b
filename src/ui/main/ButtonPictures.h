#pragma once
// ButtonPictures: the pictures of the main window's tool, tag and player buttons, drawn with QPainter for
// each screen scale, so no installed font decides how a button looks. Free functions; callers own the icons.
#include <QIcon>

class QPainter;

namespace trakvella {

enum class ButtonPicture {
  Home,        // HomeBtn: a house
  Back,        // BackBtn: an arrow to the left
  Forward,     // ForwardBtn: an arrow to the right
  Favourites,  // FAvBut: a star
  Search,      // SearchBut: a magnifier
  SearchName,  // SearchNameBut: lines of text under a magnifier
  MemCopy,     // MemCopyBut: a plus
  MemOper,     // MemOperBut: a list
  TrackInfo,   // TrInfoBut: an "i" in a circle
  Passport,    // TrPassportBut: a sheet with lines
  Options,     // OptionBut: a cog
  KeyGo,       // KeyBut: two chevrons
  Play,        // Playbut: a triangle
  Pause,       // PauseBut: two bars
  Stop,        // StopBut: a square
};

// Draws the picture into the square of `side` logical pixels at the painter's origin.
void DrawButtonPicture(QPainter& painter, ButtonPicture picture, qreal side);

// The picture as an icon of `side` logical pixels with a pixmap for each of the
// scales 1, 1.5, 2 and 3, each drawn at its own resolution.
QIcon ButtonIcon(ButtonPicture picture, int side);

}  // namespace trakvella
