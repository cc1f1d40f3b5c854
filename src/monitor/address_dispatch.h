#pragma once
// What a monitoring tick does in the Measurements mode with the system-address check on.

#include <QString>

namespace korvanta::monitor {

enum class AddressAction {
    NotListed,      // the address is not in the list: clear addressFlag, run no step
    TakeMedian,     // same address again, or five address steps since the last median
    RunAddressStep, // a new address: run the address step and count it
};

struct AddressDispatchState {
    char lastAddress = '\0';
    int addressPassCount = 0;
};

// Decides the action for `address` against the list text and updates the pass count for the
// median case (reset to 0) — the caller counts an address step it ran.
AddressAction dispatchAddress(char address, const QString& addressList,
                              AddressDispatchState& state);

} // namespace korvanta::monitor
