// The bench buttons and timers on the main window over blocks made in the test: START refused or
// started, STOP, the emergency and command buttons, the control block's copies, the idle refresh
// and the closing paths during a test.

#include "bench/test_runner.h"
#include "bench/ui/bench_controller.h"
#include "bench/ui/tform10.h"
#include "bench/ui/tform9.h"
#include "main_window_fixture.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace korvanta::testing {
namespace {

const QString kStopText = QStringLiteral("#1 x0;0 y0;0 &");
const QString kDown = QStringLiteral("#1 x250;250 y0;0 &");
const QString kUp = QStringLiteral("#1 x0;0 y250;250 &");

class BenchWindow : public MainWindowTest {
protected:
    void open() {
        FakeAcquisition& blocks = attachAcquisition(100);
        blocks.fill(46000, [](int, int) { return 0.0; });
        start();
        acquisition::SettingsRecord& s = window->session().settings();
        for (int k = 1; k <= 2; ++k) {
            s.setActive(k, true);
            s.setFunctionIndex(k, 0);
            s.setInputNumber(k, k);
            s.setBufferLength(k, 1);
            s.setDecimalPlaces(k, 2);
        }
        s.setForceChannel(1);
        s.setDisplacementChannel(2);
        s.setUpperLoad(10);
        s.setForceStep(2);
        s.setUpperDisplacement(50);
        s.setMaxForce(20);
        s.setMaxDisplacement(60);
        s.setTestType(1);
        for (int phase = 0; phase < 4; ++phase) {
            s.setPhasePeriod(phase, QStringLiteral("00:00:00.500"));
        }
        s.setDataDirectory(path(QStringLiteral("dane/")));
        parameters = new bench::ui::TForm9(s, messages, window.get());
        record = new bench::ui::TForm10(window.get());
        window->setDialogs(nullptr, parameters, record);
    }
    void confirm() {
        QStringList values;
        for (int i = 0; i < 20; ++i) {
            values << QString::number(i + 1);
        }
        record->findChild<QPlainTextEdit*>(QStringLiteral("Memo2"))
            ->setPlainText(values.join(QLatin1Char('\n')));
        record->findChild<QLineEdit*>(QStringLiteral("Edit1"))->setText(QStringLiteral("próba"));
        record->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    }
    QString command() { return acquisition->control().commandText(); }
    void click(const char* name) { find<QPushButton>(name)->click(); }
    bench::ui::BenchController& bench() { return window->bench(); }

    bench::ui::TForm9* parameters = nullptr; // owned by the window
    bench::ui::TForm10* record = nullptr;    // owned by the window
};

TEST_F(BenchWindow, StartNeedsAConfirmedRecordAndStopEndsTheTest) {
    open();
    EXPECT_TRUE(bench().Timer11->isActive());
    click("Button10");
    ASSERT_EQ(messages.shown.size(), 1U);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Brak wymaganych ustawień"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Błąd"));
    EXPECT_FALSE(bench().Timer9->isActive());
    EXPECT_EQ(command(), QString()); // nothing was sent to the press

    confirm();
    click("Button10");
    EXPECT_EQ(messages.shown.size(), 1U);
    ASSERT_TRUE(bench().Timer9->isActive());
    EXPECT_EQ(bench().Timer9->interval(), 500);
    EXPECT_TRUE(bench().Timer12->isActive());
    EXPECT_FALSE(bench().Timer11->isActive());
    EXPECT_EQ(command(), kDown);
    EXPECT_FALSE(find<QPushButton>("Button10")->isEnabled());
    EXPECT_FALSE(find<QWidget>("TabSheet12")->isEnabled());
    EXPECT_FALSE(parameters->extraSettingsGroup()->isEnabled());

    bench().Timer9Timer();
    EXPECT_EQ(bench().run().runner().state(), bench::TestRunner::kLoading);
    EXPECT_EQ(find<QLabel>("Label35")->text(), QStringLiteral("time         k1  k2 "));
    EXPECT_EQ(find<QPlainTextEdit>("Memo1")->blockCount(), 1);

    click("Button12");
    EXPECT_EQ(command(), kStopText);
    EXPECT_FALSE(bench().Timer9->isActive());
    EXPECT_TRUE(bench().Timer11->isActive());
    EXPECT_TRUE(find<QPushButton>("Button10")->isEnabled());
    EXPECT_TRUE(find<QWidget>("TabSheet12")->isEnabled());
    EXPECT_TRUE(find<QPlainTextEdit>("Memo1")->toPlainText().endsWith("Wciśnięto klawisz STOP."));
}

TEST_F(BenchWindow, LargeZeroOffsetsAskAndNoLeavesTheTestWaiting) {
    open();
    confirm();
    acquisition->fill(46001, [](int k, int) { return k == 1 ? 0.75 : 0.0; });
    messages.answers.push_back(false);
    click("Button10");
    ASSERT_EQ(messages.asked.size(), 1U);
    EXPECT_EQ(messages.asked[0].caption, QStringLiteral("Sprawdź poprawność!"));
    EXPECT_FALSE(bench().Timer9->isActive());
    EXPECT_TRUE(bench().Timer12->isActive());
    EXPECT_EQ(bench().run().runner().state(), bench::TestRunner::kStarted);
    EXPECT_NE(command(), kDown);
}

TEST_F(BenchWindow, ButtonsSendTheirCommandsAndParametersReachTheControlBlock) {
    open();
    EXPECT_EQ(acquisition->control().forceChannel(), 1);
    parameters->findChild<QLineEdit*>(QStringLiteral("LabeledEdit34Edit"))
        ->setText(QStringLiteral("5"));
    EXPECT_EQ(acquisition->control().forceChannel(), 5);
    parameters->findChild<QLineEdit*>(QStringLiteral("LabeledEdit38Edit"))
        ->setText(QStringLiteral("#2 x"));
    EXPECT_EQ(acquisition->control().commandText2(), QStringLiteral("#2 x"));

    click("Button15"); // emergency down
    EXPECT_EQ(command(), kDown);
    click("Button13"); // emergency up
    EXPECT_EQ(command(), kUp);
    click("Button19"); // RESET
    EXPECT_EQ(command(), QString());
    parameters->commandButton(bench::Phase2Up)->click();
    EXPECT_EQ(command(), kUp);
    parameters->commandButton(bench::Stop)->click();
    EXPECT_EQ(command(), kStopText);
}

TEST_F(BenchWindow, IdleRefreshShowsForceAndDisplacement) {
    open();
    acquisition->fill(46001, [](int k, int) { return k == 1 ? 1.5 : 7.25; });
    bench().Timer11Timer();
    EXPECT_EQ(find<QLineEdit>("LabeledEdit46Edit")->text(), QStringLiteral("1.50"));
    EXPECT_EQ(find<QLineEdit>("LabeledEdit45Edit")->text(), QStringLiteral("7.25"));
}

TEST_F(BenchWindow, EveryClosingPathStopsAPressLeftMoving) {
    open();
    confirm();
    click("Button10");
    ASSERT_EQ(command(), kDown);
    window->Exit1Click(); // the frame path sends no stop of its own
    EXPECT_EQ(command(), kStopText);
    EXPECT_FALSE(bench().Timer9->isActive());
}

TEST_F(BenchWindow, StopDuringAPreparationGivesTheBufferLengthBackBeforeItIsSaved) {
    open();
    acquisition::SettingsRecord& s = window->session().settings();
    s.setBufferLength(1, 40);
    s.setPreparationBufferLength(5);
    s.setPreparationForce(3);
    click("Button16");
    ASSERT_TRUE(bench().Timer10->isActive());
    bench().Timer10Timer();
    EXPECT_EQ(s.bufferLength(1), 5);
    EXPECT_EQ(command(), kDown);
    EXPECT_EQ(find<QPlainTextEdit>("Memo1")->toPlainText(),
              QStringLiteral("TRWA PRZYGOTOWANIE DO BADANIA.\nPROSZĘ CZEKAĆ."));
    click("Button12");
    EXPECT_FALSE(bench().Timer10->isActive());
    EXPECT_EQ(s.bufferLength(1), 40);
    EXPECT_EQ(command(), kStopText);

    click("Button16");
    bench().Timer10Timer();
    window->Close1Click();
    EXPECT_EQ(s.bufferLength(1), 40);
}

} // namespace
} // namespace korvanta::testing
