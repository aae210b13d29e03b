#pragma once
// SubscriptionEnabling: when the subscription's commands are enabled — the "Подписка" menu, the track
// menus' download and the music set window's subscription buttons. Rows of App's table, which App owns.
#include <functional>

#include "core/enabling/CommandEnabling.h"

namespace trakvella {

// Defines the two states (kStateSubscription, kStateSetEntries) and adds the
// rows: PodQuotaItem, ShowPodListItem, SetupPodBtn, BuyBtn and PassViewBtn with
// a subscription; ShowPodItem and quitpodpiska while signed in (the documents'
// SignedIn state); downitem while the track list has rows; ftpbut and
// FileDownBut while the set has entries.
void DefineSubscriptionEnabling(CommandEnabling& enabling, std::function<bool()> hasSubscription,
                                std::function<bool()> setHasEntries);

}  // namespace trakvella
