#include "monitor/address_dispatch.h"

namespace korvanta::monitor {

AddressAction dispatchAddress(char address, const QString& addressList,
                              AddressDispatchState& state) {
    if (address == '\0' || !addressList.toLatin1().contains(address)) {
        return AddressAction::NotListed;
    }
    if (address == state.lastAddress || state.addressPassCount >= 5) {
        state.addressPassCount = 0;
        return AddressAction::TakeMedian;
    }
    return AddressAction::RunAddressStep;
}

} // namespace korvanta::monitor
