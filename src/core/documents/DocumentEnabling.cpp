#include "core/documents/DocumentEnabling.h"

#include <utility>

namespace trakvella {

void DefineDocumentEnabling(CommandEnabling& enabling, std::function<bool()> signedIn,
                            std::function<bool()> trackRowSelected) {
  enabling.DefineState(kStateSignedIn, std::move(signedIn));
  enabling.DefineState(kStateTrackRowSelected, std::move(trackRowSelected));
  enabling.Require(kSubscriptionMenu, "PodDocItem", {kStateSignedIn});
  enabling.Require(kTrackMenus, "PassportItem", {kStateTrackRows});
  enabling.Require(kTrackRowButtons, "TrPassportBut", {kStateTrackRowSelected});
}

}  // namespace trakvella
