#pragma once
// DocumentEnabling: when the documents' commands are enabled — the subscription documents while an
// account is signed in, the phonogram passport while there is a track to make it of. Rows of App's table.
#include <functional>

#include "core/enabling/CommandEnabling.h"

namespace trakvella {

// Defines the two states (kStateSignedIn, kStateTrackRowSelected) and adds the
// rows: PodDocItem needs a signed-in account, PassportItem rows in the track
// list (App's TrackRows state), TrPassportBut a selected row.
void DefineDocumentEnabling(CommandEnabling& enabling, std::function<bool()> signedIn,
                            std::function<bool()> trackRowSelected);

}  // namespace trakvella
