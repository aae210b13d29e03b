#pragma once
// SubscriptionEnabling: when the subscription's commands are enabled — the "Подписка" menu, the track
// menus' download and the music set window's subscription buttons. Rows of App's table, which App owns.
#include <functional>
#include <string_view>

#include "core/enabling/CommandEnabling.h"

namespace trakvella {

// The music set window's subscription buttons, applied at each activation of that window.
inline constexpr std::string_view kPodPanel = "PodPanel";
inline constexpr const char* kStateSubscription = "Subscription";  // the program has a download server
inline constexpr const char* kStateSetEntries = "SetEntries";      // the music set has entries

// Defines the two states and adds the rows: PodQuotaItem, ShowPodListItem,
// SetupPodBtn, BuyBtn and PassViewBtn with a subscription; ShowPodItem and
// quitpodpiska while signed in (the documents' SignedIn state); downitem while
// the track list has rows; ftpbut and FileDownBut while the set has entries.
void DefineSubscriptionEnabling(CommandEnabling& enabling, std::function<bool()> hasSubscription,
                                std::function<bool()> setHasEntries);

}  // namespace trakvella
