#pragma once
// A main window started in a temporary start directory with scripted services.

#include "app/ui/tform34.h"
#include "monitor/monitoring_session.h"
#include "monitor/ui/monitoring_controller.h"
#include "support/fake_acquisition.h"
#include "support/fixed_clock.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_launcher.h"
#include "support/scripted_messages.h"

#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace korvanta::testing {

inline bool tabVisible(QTabWidget* tabs, const char* page) {
    QWidget* w = tabs->findChild<QWidget*>(QLatin1String(page));
    return w != nullptr && tabs->isTabVisible(tabs->indexOf(w));
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_previousDirectory = QDir::currentPath();
        QDir::setCurrent(m_dir.path());
        qputenv("KORVANTA_SHM_PREFIX", FakeAcquisition::uniquePrefix().toLatin1());
    }
    void TearDown() override {
        window.reset();
        QDir::setCurrent(m_previousDirectory);
        acquisition.reset();
        qunsetenv("KORVANTA_SHM_PREFIX");
    }

    // Blocks of an acquisition program for the next start.
    FakeAcquisition& attachAcquisition(int records = 1000, int channels = 8) {
        acquisition.emplace(records, channels);
        return *acquisition;
    }

    app::ui::TForm34& start(QStringList arguments = {}) {
        platform::Services services;
        services.messages = &messages;
        services.dialogs = &dialogs;
        services.launcher = &launcher;
        services.clock = &clock;
        services.endApplication = [this] {
            ++endRequests;
        };
        window = std::make_unique<app::ui::TForm34>(services, arguments,
                                                    QStringLiteral("/opt/zaro/korvanta"));
        return *window;
    }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString settingsPath() const { return path(QStringLiteral("korvanta.bupas")); }

    template <typename T> T* find(const char* name) const {
        T* widget = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    ScriptedMessages messages;
    ScriptedDialogs dialogs;
    ScriptedLauncher launcher;
    FixedClock clock;
    int endRequests = 0;
    std::optional<FakeAcquisition> acquisition;
    std::unique_ptr<app::ui::TForm34> window;

private:
    QTemporaryDir m_dir;
    QString m_previousDirectory;
};

} // namespace korvanta::testing
