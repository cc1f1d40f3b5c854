// Settings files that no user wrote: absurd geometry and huge panels are fitted to the screen
// and the window, and no file of any content stops the window from starting and closing.

#include "acquisition/settings_file.h"
#include "ui/main_window/main_window_fixture.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <climits>
#include <cstring>
#include <random>

using namespace korvanta;
using korvanta::testing::MainWindowTest;

namespace {

struct StoredGeometry {
    int left, top, width, height;
};

QRect availableScreen() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

void expectPanelsFitTheWindow(const app::ui::TForm34& w) {
    const auto* sides = w.findChild<QSplitter*>(QStringLiteral("Splitter1"));
    const auto* chart = w.findChild<QWidget*>(QStringLiteral("Panel3"));
    const auto* properties = w.findChild<QWidget*>(QStringLiteral("Panel4"));
    EXPECT_LE(sides->sizes().value(0), w.width());
    EXPECT_LE(chart->height(), w.height());
    EXPECT_LE(properties->maximumWidth(), w.width());
}

using Offsets = acquisition::SettingsRecord::Offsets;
constexpr qsizetype kRecordSize = static_cast<qsizetype>(acquisition::SettingsRecord::kSize);
constexpr qsizetype kLongestFile = 200000;

// Random settings files from one seed, each of one kind: absurd positive window sizes, negative
// sizes, huge panel sizes, random texts in the directory fields, or nothing but random bytes.
class HostileFiles {
public:
    explicit HostileFiles(unsigned seed) : m_random(seed) {}

    QByteArray next(int index) {
        QByteArray file(number(0, kLongestFile), '\0');
        for (char& c : file) {
            c = static_cast<char>(m_random() & 0xFF);
        }
        switch (index % 5) {
        case 0:
            plantGeometry(file, number(20000, INT_MAX), number(20000, INT_MAX));
            break;
        case 1:
            plantGeometry(file, number(INT_MIN, 0), number(INT_MIN, INT_MAX));
            break;
        case 2:
            for (const std::size_t offset :
                 {Offsets::panel1Width, Offsets::propertiesPanelWidth, Offsets::panel3Height}) {
                plantNumber(file, offset, number(1000000, INT_MAX));
            }
            plantGeometry(file, number(1, 5000), number(1, 5000));
            break;
        case 3:
            plantText(file, Offsets::dataDirectory, Offsets::dataDirectorySize);
            plantText(file, Offsets::configDirectory, Offsets::configDirectorySize);
            plantText(file, Offsets::fileListDirectory, Offsets::fileListDirectorySize);
            break;
        default:
            break;
        }
        return file;
    }

private:
    qint64 number(qint64 low, qint64 high) {
        return std::uniform_int_distribution<qint64>(low, high)(m_random);
    }

    // Puts the bytes where reading the file leaves them in the record: a long file's later
    // chunks overwrite the record from its start. A byte no chunk reaches stays out.
    static void plant(QByteArray& file, std::size_t offset, const QByteArray& bytes) {
        const qsizetype chunks = file.size() / kRecordSize;
        const qsizetype tail = file.size() % kRecordSize;
        for (qsizetype j = 0; j < bytes.size(); ++j) {
            const qsizetype at = static_cast<qsizetype>(offset) + j;
            if (at < tail) {
                file[chunks * kRecordSize + at] = bytes[j];
            } else if (chunks > 0) {
                file[(chunks - 1) * kRecordSize + at] = bytes[j];
            }
        }
    }

    static void plantNumber(QByteArray& file, std::size_t offset, qint64 value) {
        const auto v = static_cast<std::int32_t>(value);
        QByteArray bytes(sizeof v, '\0');
        std::memcpy(bytes.data(), &v, sizeof v);
        plant(file, offset, bytes);
    }

    void plantGeometry(QByteArray& file, qint64 width, qint64 height) {
        plantNumber(file, Offsets::windowWidth, width);
        plantNumber(file, Offsets::windowHeight, height);
        plantNumber(file, Offsets::windowLeft, number(INT_MIN, INT_MAX));
        plantNumber(file, Offsets::windowTop, number(INT_MIN, INT_MAX));
    }

    // A path-like text of random length: separators, dots, letters and a few bytes above 127,
    // ended by a NUL or running to the end of its field.
    void plantText(QByteArray& file, std::size_t offset, std::size_t size) {
        static const QByteArray kAlphabet = "//..abcXYZ019 _-~*?\xB9\xEA\x9C";
        QByteArray text(number(0, static_cast<qint64>(size)), '\0');
        for (char& c : text) {
            c = kAlphabet[number(0, kAlphabet.size() - 1)];
        }
        if (text.size() < static_cast<qsizetype>(size)) {
            text.append('\0');
        }
        plant(file, offset, text);
    }

    std::mt19937 m_random;
};

} // namespace

TEST_F(MainWindowTest, AbsurdStoredGeometryIsFittedToTheScreen) {
    const QRect screen = availableScreen();
    const StoredGeometry cases[] = {{INT_MAX, INT_MIN, INT_MAX, INT_MAX},
                                    {-2000000000, 2000000000, 50000, 3},
                                    {screen.right() - 10, screen.bottom() - 10, 300, 200},
                                    {INT_MIN, 5, 1, INT_MAX}};
    for (const StoredGeometry& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.left << ' ' << c.top << ' ' << c.width << ' ' << c.height);
        acquisition::SettingsRecord stored;
        stored.setWindowGeometry(c.left, c.top, c.width, c.height);
        stored.setPanel1Width(INT_MAX);
        stored.setPropertiesPanelWidth(INT_MAX);
        stored.setPanel3Height(INT_MAX);
        ASSERT_TRUE(acquisition::writeSettingsDump(settingsPath(), stored));

        app::ui::TForm34& w = start();
        EXPECT_TRUE(screen.contains(QRect(w.pos(), w.size())))
            << w.x() << ' ' << w.y() << ' ' << w.width() << ' ' << w.height();
        expectPanelsFitTheWindow(w);

        // Once shown, with its frame known, "Otwórz konfig." keeps the whole frame on the screen.
        w.show();
        w.session().settings().setConfigDirectory(path(QString()));
        dialogs.openAnswers = {settingsPath()};
        w.Button4Click();
        QCoreApplication::processEvents();
        EXPECT_TRUE(screen.contains(w.frameGeometry()))
            << w.frameGeometry().x() << ' ' << w.frameGeometry().y() << ' '
            << w.frameGeometry().width() << ' ' << w.frameGeometry().height();
        expectPanelsFitTheWindow(w);
        window.reset();
    }
}

TEST_F(MainWindowTest, StoredGeometryThatFitsIsAppliedAsItStands) {
    const QRect screen = availableScreen();
    app::ui::TForm34& first = start();
    const QSize least = first.minimumSizeHint();
    window.reset();
    ASSERT_TRUE(screen.width() > least.width() + 30 && screen.height() > least.height() + 30)
        << "the screen is too small for this check";
    acquisition::SettingsRecord stored;
    stored.setWindowGeometry(screen.left() + 20, screen.top() + 10, least.width() + 5,
                             least.height() + 7);
    ASSERT_TRUE(acquisition::writeSettingsDump(settingsPath(), stored));
    app::ui::TForm34& w = start();
    EXPECT_EQ(w.pos(), QPoint(screen.left() + 20, screen.top() + 10));
    EXPECT_EQ(w.size(), QSize(least.width() + 5, least.height() + 7));
}

TEST_F(MainWindowTest, RandomSettingsFilesNeitherCrashNorHangStartUp) {
    constexpr int kFiles = 200;
    const QRect screen = availableScreen();
    HostileFiles files(20240611);
    int absurd = 0; // records whose stored window is larger than the screen both ways
    for (int i = 0; i < kFiles; ++i) {
        SCOPED_TRACE(i);
        {
            QFile file(settingsPath());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            const QByteArray content = files.next(i);
            ASSERT_EQ(file.write(content), content.size());
        }
        app::ui::TForm34& w = start();
        const acquisition::SettingsRecord& s = w.session().settings();
        if (s.windowWidth() > screen.width() && s.windowHeight() > screen.height()) {
            ++absurd;
        }
        if (s.windowWidth() > 0 && s.windowHeight() > 0) {
            EXPECT_TRUE(screen.contains(QRect(w.pos(), w.size())))
                << w.x() << ' ' << w.y() << ' ' << w.width() << ' ' << w.height();
        }
        expectPanelsFitTheWindow(w);
        w.show();
        QCoreApplication::processEvents();
        w.close();
        EXPECT_EQ(endRequests, i + 1);
        EXPECT_EQ(QFileInfo(settingsPath()).size(), kRecordSize);
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Every fifth file carries an absurd window, so the files did reach the record.
    EXPECT_GE(absurd, kFiles / 5);
}
