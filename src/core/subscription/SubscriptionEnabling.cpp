// SubscriptionEnabling: the subscription commands' enabling rows.
#include "core/subscription/SubscriptionEnabling.h"

#include <utility>

namespace trakvella {

void DefineSubscriptionEnabling(CommandEnabling& enabling, std::function<bool()> hasSubscription,
                                std::function<bool()> setHasEntries) {
  enabling.DefineState(kStateSubscription, std::move(hasSubscription));
  enabling.DefineState(kStateSetEntries, std::move(setHasEntries));
  for (const char* command : {"PodQuotaItem", "ShowPodListItem"})
    enabling.Require(kSubscriptionMenu, command, {kStateSubscription});
  for (const char* command : {"ShowPodItem", "quitpodpiska"})
    enabling.Require(kSubscriptionMenu, command, {kStateSubscription, kStateSignedIn});
  enabling.Require(kTrackMenus, "downitem", {kStateSubscription, kStateTrackRows});
  for (const char* button : {"SetupPodBtn", "BuyBtn", "PassViewBtn"})
    enabling.Require(kPodPanel, button, {kStateSubscription});
  // The demo download needs no account; the FTP download is shown only while signed in.
  enabling.Require(kPodPanel, "ftpbut", {kStateSubscription, kStateSetEntries});
  enabling.Require(kPodPanel, "FileDownBut", {kStateSetEntries});
}

}  // namespace trakvella
