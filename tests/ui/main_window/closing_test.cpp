#include "acquisition/settings_file.h"
#include "support/read_only_directory.h"
#include "ui/main_window/main_window_fixture.h"

#include <QDir>
#include <QFile>
#include <functional>

using namespace korvanta;
using korvanta::testing::MainWindowTest;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray recordBytes(const acquisition::SettingsRecord& record) {
    return QByteArray(reinterpret_cast<const char*>(record.bytes()),
                      static_cast<qsizetype>(acquisition::SettingsRecord::kSize));
}

} // namespace

TEST_F(MainWindowTest, FramePathWritesSettingsButNoCommandAndNoPanelSizes) {
    {
        korvanta::testing::FakeAcquisition& shm = attachAcquisition();
        shm.control().setAcquisitionActive(1);
        app::ui::TForm34& w = start();
        w.session().settings().setPanel1Width(123);
        w.session().settings().setChannelName(7, QStringLiteral("Siła kN"));
        w.close();
        EXPECT_EQ(endRequests, 1);
        EXPECT_EQ(readAll(settingsPath()), recordBytes(w.session().settings()));
        EXPECT_EQ(w.session().settings().panel1Width(), 123);
        EXPECT_EQ(w.session().settings().windowWidth(), w.width());
        EXPECT_EQ(shm.control().commandText(), "");
        EXPECT_EQ(shm.control().acquisitionActive(), 1);
        EXPECT_EQ(shm.control().closeRequest(), 0);
        w.Exit1Click();
        EXPECT_EQ(endRequests, 1);
    }
}

TEST_F(MainWindowTest, CloseWritesTheStopCommandWithoutEndRequest) {
    korvanta::testing::FakeAcquisition& shm = attachAcquisition();
    shm.control().setAcquisitionActive(1);
    app::ui::TForm34& w = start();
    w.Close1Click();
    EXPECT_EQ(endRequests, 1);
    EXPECT_EQ(shm.control().commandText(), "#1 x0;0 y0;0 &");
    EXPECT_EQ(shm.control().acquisitionActive(), 1);
    EXPECT_EQ(shm.control().closeRequest(), 0);
    EXPECT_EQ(readAll(settingsPath()), recordBytes(w.session().settings()));
}

TEST_F(MainWindowTest, CloseAndExitWritesCommandEndRequestAndPanelSizes) {
    korvanta::testing::FakeAcquisition& shm = attachAcquisition();
    shm.control().setAcquisitionActive(1);
    app::ui::TForm34& w = start();
    w.session().settings().setPropertiesPanelWidth(1);
    w.Closeandexit1Click();
    EXPECT_EQ(endRequests, 1);
    EXPECT_EQ(shm.control().commandText(), "#1 x0;0 y0;0 &");
    EXPECT_EQ(shm.control().acquisitionActive(), 0);
    EXPECT_EQ(shm.control().closeRequest(), 1);
    EXPECT_EQ(w.session().settings().propertiesPanelWidth(), find<QWidget>("Panel4")->width());
    acquisition::SettingsRecord written;
    ASSERT_TRUE(acquisition::readSettingsDump(settingsPath(), written));
    EXPECT_EQ(recordBytes(written), recordBytes(w.session().settings()));
}

TEST_F(MainWindowTest, ReadOnlyClosingWritesIntoThePrivateBlock) {
    app::ui::TForm34& w = start();
    w.Closeandexit1Click();
    EXPECT_EQ(w.session().link().control().commandText(), "#1 x0;0 y0;0 &");
    EXPECT_EQ(w.session().link().control().closeRequest(), 1);
    EXPECT_EQ(endRequests, 1);
}

TEST_F(MainWindowTest, UnwritableSettingsFileShowsSaveErrorAndStillEnds) {
    ASSERT_TRUE(QDir().mkpath(settingsPath())); // a directory where the file should be
    app::ui::TForm34& w = start();
    w.Exit1Click();
    ASSERT_EQ(messages.countShown("Save error "), 1);
    const auto it = std::find_if(messages.shown.begin(), messages.shown.end(),
                                 [](const auto& s) { return s.text == "Save error "; });
    EXPECT_EQ(it->caption, "DIM");
    EXPECT_EQ(endRequests, 1);
}

TEST_F(MainWindowTest, TerminationReportsAFailedSaveOnStandardErrorInsteadOfABox) {
    ASSERT_TRUE(QDir().mkpath(settingsPath()));
    app::ui::TForm34& w = start();
    messages.shown.clear();
    ::testing::internal::CaptureStderr();
    w.closeOnTermination();
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(messages.shown.empty()) << "a box nobody answers";
    EXPECT_EQ(endRequests, 1);
    EXPECT_NE(errors.find("Save error "), std::string::npos) << errors;
    EXPECT_NE(errors.find(settingsPath().toStdString()), std::string::npos) << errors;
    EXPECT_NE(errors.find("not a regular file"), std::string::npos) << errors;
}

TEST_F(MainWindowTest, SettingsAreNeverWrittenThroughALink) {
    const QString target = path(QStringLiteral("passwd"));
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("root:x:0:0\n");
    }
    ASSERT_TRUE(QFile::link(target, settingsPath()));
    ASSERT_TRUE(QFile::link(target, path(QStringLiteral("setup.bupas"))));
    app::ui::TForm34& w = start();
    messages.shown.clear();

    dialogs.saveAnswers = {path(QStringLiteral("setup"))};
    w.Button5Click();
    EXPECT_EQ(messages.countShown("Save error "), 1);
    w.Exit1Click();
    EXPECT_EQ(messages.countShown("Save error "), 2);
    EXPECT_EQ(endRequests, 1);
    EXPECT_EQ(readAll(target), "root:x:0:0\n");
    EXPECT_TRUE(QFileInfo(settingsPath()).isSymLink());
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("setup.bupas"))).isSymLink());
}

TEST_F(MainWindowTest, AFailedSaveOnEveryClosingPathIsShownAndKeepsTheOldFile) {
    acquisition::SettingsRecord old;
    old.applyMissingFileDefaults();
    old.setChannelName(3, QStringLiteral("stary"));
    ASSERT_TRUE(acquisition::writeSettingsDump(settingsPath(), old));
    const QByteArray oldBytes = readAll(settingsPath());
    ASSERT_EQ(oldBytes.size(), acquisition::SettingsRecord::kSize);
    const std::vector<std::pair<const char*, std::function<void(app::ui::TForm34&)>>> paths = {
        {"window frame",
         [](app::ui::TForm34& w) {
             w.close();
         }},
        {"Exit1",
         [](app::ui::TForm34& w) {
             w.Exit1Click();
         }},
        {"Close1",
         [](app::ui::TForm34& w) {
             w.Close1Click();
         }},
        {"Closeandexit1",
         [](app::ui::TForm34& w) {
             w.Closeandexit1Click();
         }},
    };
    int ended = 0;
    for (const auto& [name, closeBy] : paths) {
        app::ui::TForm34& w = start();
        w.session().settings().setChannelName(3, QStringLiteral("nowy"));
        messages.shown.clear();
        korvanta::testing::ReadOnlyDirectory locked(QDir::currentPath());
        if (!locked.holds()) {
            GTEST_SKIP() << "the directory stays writable for this user";
        }
        closeBy(w);
        EXPECT_EQ(messages.countShown("Save error "), 1) << name;
        EXPECT_EQ(readAll(settingsPath()), oldBytes) << name;
        EXPECT_EQ(endRequests, ++ended) << name;
    }

    // Ended by a signal nobody is there to answer a box: the reason goes to standard error.
    app::ui::TForm34& w = start();
    w.session().settings().setChannelName(3, QStringLiteral("nowy"));
    messages.shown.clear();
    korvanta::testing::ReadOnlyDirectory locked(QDir::currentPath());
    ::testing::internal::CaptureStderr();
    w.closeOnTermination();
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_NE(errors.find("Save error "), std::string::npos) << errors;
    EXPECT_NE(errors.find(settingsPath().toStdString()), std::string::npos) << errors;
    EXPECT_EQ(readAll(settingsPath()), oldBytes);
}
