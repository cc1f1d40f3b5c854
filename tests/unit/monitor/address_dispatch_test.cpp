#include "monitor/address_dispatch.h"
#include "monitor/auto_restart.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvanta::monitor;

TEST(AddressDispatch, NewAddressRunsTheStepRepeatedOneTakesTheMedian) {
    AddressDispatchState state;
    const QString list = QStringLiteral("AaBbCcDd");
    EXPECT_EQ(dispatchAddress('A', list, state), AddressAction::RunAddressStep);
    state.lastAddress = 'A'; // the address step remembers what it processed
    state.addressPassCount = 1;
    EXPECT_EQ(dispatchAddress('A', list, state), AddressAction::TakeMedian);
    EXPECT_EQ(state.addressPassCount, 0);
    EXPECT_EQ(dispatchAddress('b', list, state), AddressAction::RunAddressStep);
    state.addressPassCount = 5;
    EXPECT_EQ(dispatchAddress('c', list, state), AddressAction::TakeMedian);
    EXPECT_EQ(state.addressPassCount, 0);
    EXPECT_EQ(dispatchAddress('E', list, state), AddressAction::NotListed);
    EXPECT_EQ(dispatchAddress('\0', list, state), AddressAction::NotListed);
    EXPECT_EQ(dispatchAddress('A', QString(), state), AddressAction::NotListed);
}

TEST(AutoRestart, NeedsTheMarkerFileInTheStartDirectory) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_FALSE(restartAvailable(dir.path()));
    QFile marker(dir.filePath(QLatin1String(kRestartMarkerFile)));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    marker.close();
    EXPECT_TRUE(restartAvailable(dir.path()));
    EXPECT_STREQ(kRestartProgram, "ExecHaldenKV.exe");
}
