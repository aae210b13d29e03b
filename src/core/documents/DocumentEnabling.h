#pragma once
// DocumentEnabling: when the documents' commands are enabled — the subscription documents while an
// account is signed in, the phonogram passport while there is a track to make it of. Rows of App's table.
#include <functional>
#include <string_view>

#include "core/enabling/CommandEnabling.h"

namespace trakvella {

inline constexpr const char* kStateSignedIn = "SignedIn";                  // a subscription account is signed in
inline constexpr const char* kStateTrackRowSelected = "TrackRowSelected";  // a row of the track list is selected
// The subscription menu ("Подписка", also in the track pop-up), applied as it opens.
inline constexpr std::string_view kSubscriptionMenu = "PodpItem";
// The tool buttons that follow the selected row of the track list.
inline constexpr std::string_view kTrackRowButtons = "FileBox";

// Defines the two states and adds the rows: PodDocItem needs a signed-in
// account, PassportItem rows in the track list (App's TrackRows state),
// TrPassportBut a selected row.
void DefineDocumentEnabling(CommandEnabling& enabling, std::function<bool()> signedIn,
                            std::function<bool()> trackRowSelected);

}  // namespace trakvella
