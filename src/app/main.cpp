// Program entry: creates the main window, then the dialogs, and runs the event loop.

#include "about/ui/tform5.h"
#include "analysis/ui/tform7.h"
#include "analysis/ui/tform8.h"
#include "app/ui/tform34.h"
#include "bench/ui/tform10.h"
#include "bench/ui/tform9.h"
#include "monitor/monitoring_session.h"
#include "platform/clock.h"
#include "platform/handler_guard.h"
#include "platform/launcher.h"
#include "platform/network_download.h"
#include "platform/services.h"
#include "platform/ui/guarded_application.h"
#include "platform/ui/qt_dialogs.h"
#include "platform/ui/qt_messages.h"
#include "platform/ui/qt_translations.h"
#include "platform/ui/termination_signals.h"

#include <QIcon>
#include <QTimer>
#include <exception>

using namespace korvanta;

namespace {

int run(platform::ui::GuardedApplication& app, platform::ui::QtMessages& messages) {
    // Installed before start-up reads anything, so a termination at any moment ends the program.
    platform::ui::TerminationSignals termination;
    app::ui::TForm34* built = nullptr;
    QObject::connect(&termination, &platform::ui::TerminationSignals::terminationRequested, &app,
                     [&built] {
                         if (built != nullptr) {
                             built->closeOnTermination();
                             return;
                         }
                         // Still starting up, perhaps on a notice nobody answers: every event
                         // loop ends now, and the window closes as soon as it exists.
                         QCoreApplication::exit(0);
                     });

    platform::ui::QtDialogs dialogs;
    platform::ProcessLauncher launcher;
    platform::SystemClock clock;
    platform::NetworkDownload download;

    platform::Services services;
    services.messages = &messages;
    services.dialogs = &dialogs;
    services.launcher = &launcher;
    services.download = &download;
    services.clock = &clock;
    services.endApplication = [] {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    };

    QStringList arguments = QCoreApplication::arguments();
    const QString programPath =
        arguments.isEmpty() ? QStringLiteral("korvanta") : arguments.takeFirst();

    app::ui::TForm34 window(services, arguments, programPath);
    messages.setParent(&window);
    dialogs.setParent(&window);
    about::ui::TForm5 form5(services, QCoreApplication::applicationFilePath(), &window);
    analysis::ui::TForm7 form7(&window);
    analysis::ui::TForm8 form8(&window);
    bench::ui::TForm9 form9(window.session().settings(), messages, &window);
    bench::ui::TForm10 form10(&window);
    window.setDialogs(&form5, &form9, &form10);

    built = &window;
    if (termination.requested()) {
        window.closeOnTermination();
        return 0;
    }
    window.show();
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    platform::ui::GuardedApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Korvanta"));
    QApplication::setApplicationDisplayName(QStringLiteral("Korvanta"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/korvanta.png")));
    // Matches the desktop entry, so the desktop shows the entry's icon for the window.
    QGuiApplication::setDesktopFileName(QStringLiteral("korvanta"));
    platform::ui::installQtTranslations(app);
    platform::ui::QtMessages messages;
    app.setMessages(&messages);
    try {
        return run(app, messages);
    } catch (const std::exception& error) {
        platform::showHandlerError(messages, error);
        return 1;
    }
}
