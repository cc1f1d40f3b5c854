// The texts the update reads: the version line for the button, the published hash, the addresses.
#include "about/program_update.h"
#include "about/update_addresses.h"
#include "about/version_check.h"
#include "support/environment_variable.h"

#include <gtest/gtest.h>

namespace korvanta::about {
namespace {

TEST(VersionCaption, IsTheFirstLineCutTo39Characters) {
    EXPECT_EQ(versionCaption("2.9.0.1\r\nzmiany\r\n"), QStringLiteral("2.9.0.1"));
    EXPECT_EQ(versionCaption("2.9.0.1\nzmiany"), QStringLiteral("2.9.0.1"));
    EXPECT_EQ(versionCaption("2.9.0.1"), QStringLiteral("2.9.0.1"));
    EXPECT_EQ(versionCaption(""), QString());
    EXPECT_EQ(versionCaption("0123456789012345678901234567890123456789ABC\r\n"),
              QStringLiteral("012345678901234567890123456789012345678"));
    // UTF-8, and code page 1250 ("ł" is 0xB3, "ó" 0xF3) where the bytes are no UTF-8.
    EXPECT_EQ(versionCaption("Wersja 3.0 – nowości\n"), QStringLiteral("Wersja 3.0 – nowości"));
    EXPECT_EQ(versionCaption("Wersja 3.0: \xB3"
                             "atka wykres\xF3w\r\n"),
              QStringLiteral("Wersja 3.0: łatka wykresów"));
    EXPECT_EQ(versionCaption(QByteArray(38, 'a') + "ąę"), QString(38, 'a') + "ą");
}

TEST(PublishedHash, IsTheFirstWordWhenItIsASha256) {
    const QByteArray hex = "9f86d081884c7d659a2feaa0c55ad015a3bf4f1b2b0b822cd15d6c15b0f00a08";
    EXPECT_EQ(publishedHash(hex + "  Korvanta.ex_\n"), hex);
    EXPECT_EQ(publishedHash(hex + " *Korvanta.ex_\r\n"), hex);
    EXPECT_EQ(publishedHash(hex), hex);
    EXPECT_EQ(publishedHash(hex.toUpper() + "\n"), hex);
    EXPECT_EQ(publishedHash("  " + hex + "\n"), hex);
    EXPECT_EQ(publishedHash(hex.left(63)), std::nullopt);
    EXPECT_EQ(publishedHash(hex + "0"), std::nullopt);
    EXPECT_EQ(publishedHash("g" + hex.mid(1)), std::nullopt);
    EXPECT_EQ(publishedHash("Korvanta.ex_  " + hex), std::nullopt);
    EXPECT_EQ(publishedHash(""), std::nullopt);
}

TEST(UpdateAddresses, LieUnderTheConfiguredServer) {
    const UpdateAddresses a = UpdateAddresses::under(QStringLiteral("https://example.test:8443/"));
    EXPECT_EQ(a.versionText.toString(),
              QStringLiteral("https://example.test:8443/client/korvp/nowawer.txt"));
    EXPECT_EQ(a.programFile.toString(),
              QStringLiteral("https://example.test:8443/client/korvp/Korvanta.ex_"));
    EXPECT_EQ(a.programHash.toString(),
              QStringLiteral("https://example.test:8443/client/korvp/Korvanta.ex_.sha256"));
    EXPECT_EQ(a.supportPage.toString(),
              QStringLiteral("https://example.test:8443/Support/korvanta.html"));

    {
        testing::EnvironmentVariable url("KORVANTA_UPDATE_URL",
                                         QByteArray("https://mirror.test/zaro"));
        EXPECT_EQ(UpdateAddresses::fromEnvironment().programFile.toString(),
                  QStringLiteral("https://mirror.test/zaro/client/korvp/Korvanta.ex_"));
    }
    testing::EnvironmentVariable unset("KORVANTA_UPDATE_URL", std::nullopt);
    const QUrl maker = UpdateAddresses::fromEnvironment().versionText;
    EXPECT_EQ(maker.scheme(), QStringLiteral("https"));
    EXPECT_EQ(maker.toString(), kDefaultUpdateServer + QStringLiteral("/client/korvp/nowawer.txt"));
}

TEST(BackupPath, IsTheProgramsNameWithBak) {
    EXPECT_EQ(backupPathFor(QStringLiteral("/opt/zaro/korvanta")),
              QStringLiteral("/opt/zaro/korvanta.bak"));
}

} // namespace
} // namespace korvanta::about
