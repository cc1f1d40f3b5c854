// Every named control of the pages, panels and dialogs exists with its caption, text and hint.
#include "about/ui/tform5.h"
#include "acquisition/settings_record.h"
#include "analysis/ui/analysis_page.h"
#include "analysis/ui/tform7.h"
#include "analysis/ui/tform8.h"
#include "bench/ui/bench_settings_page.h"
#include "bench/ui/bench_tests_page.h"
#include "bench/ui/tform10.h"
#include "bench/ui/tform9.h"
#include "common/ui/labeled_edit.h"
#include "files/ui/file_browser_panel.h"
#include "files/ui/report_panel.h"
#include "monitor/ui/advanced_page.h"
#include "monitor/ui/object_page.h"
#include "monitor/ui/program_settings_page.h"
#include "monitor/ui/system_properties_page.h"
#include "support/scripted_messages.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <gtest/gtest.h>
#include <memory>
#include <qcustomplot.h>
#include <vector>

namespace korvanta {
namespace {

enum class Kind { Caption, Text, Hint, Title, Exists };

struct Row {
    const char* name;
    Kind kind;
    const char* expected;
};

// Caption of a button, label, group or menu item; label of a labelled edit.
QString captionOf(const QObject* object) {
    if (const auto* edit = qobject_cast<const common::ui::LabeledEdit*>(object)) {
        return edit->caption();
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(object)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(object)) {
        return label->text();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(object)) {
        return group->title();
    }
    if (const auto* action = qobject_cast<const QAction*>(object)) {
        return action->text();
    }
    return QStringLiteral("<no caption>");
}

QString textOf(const QObject* object) {
    if (const auto* edit = qobject_cast<const common::ui::LabeledEdit*>(object)) {
        return edit->text();
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(object)) {
        return edit->text();
    }
    return QStringLiteral("<no text>");
}

QString read(const QObject* object, Kind kind) {
    switch (kind) {
    case Kind::Caption:
        return captionOf(object);
    case Kind::Text:
        return textOf(object);
    case Kind::Hint:
        return object->isWidgetType() ? static_cast<const QWidget*>(object)->toolTip() : QString();
    case Kind::Title:
        return object->isWidgetType() ? static_cast<const QWidget*>(object)->windowTitle()
                                      : QString();
    case Kind::Exists:
        return {};
    }
    return {};
}

void check(const QWidget& root, const std::vector<Row>& rows) {
    for (const Row& row : rows) {
        const QString name = QString::fromUtf8(row.name);
        const QObject* object = root.objectName() == name ? &root : root.findChild<QObject*>(name);
        ASSERT_NE(object, nullptr) << row.name;
        if (row.kind != Kind::Exists) {
            EXPECT_EQ(read(object, row.kind), QString::fromUtf8(row.expected)) << row.name;
        }
    }
}

TEST(Captions, ProgramSettingsPage) {
    acquisition::SettingsRecord record;
    const monitor::ui::ProgramSettingsPage page(record);
    check(page, {{"TabSheet4", Kind::Title, "Ustawienia programu"},
                 {"LabeledEdit8", Kind::Caption, "Nazwa pliku"},
                 {"LabeledEdit8", Kind::Text, "plik"},
                 {"LabeledEdit7", Kind::Caption, "Opis pliku"},
                 {"LabeledEdit7", Kind::Text, "opis_pliku"},
                 {"LabeledEdit7", Kind::Hint,
                  "Opis pliku, który będzie w pierwszej linii zapisanego pliku"},
                 {"CheckBox4", Kind::Caption, "Zapisz do pliku co"},
                 {"Edit9", Kind::Exists, ""},
                 {"LabeledEdit9", Kind::Caption, "Okres pomiarów"},
                 {"LabeledEdit9", Kind::Hint,
                  "Ustaw okres pomiarów w odpowiednim formacie [hh:mm:ss.zzz]"},
                 {"Button2", Kind::Caption, "Odśwież okres"},
                 {"Button2", Kind::Hint, "Kliknij, jeśli zmieniono okres pomiarów"},
                 {"LabeledEdit4", Kind::Caption, "Limit linii"},
                 {"LabeledEdit4", Kind::Text, "0"},
                 {"LabeledEdit4", Kind::Hint, "wartość 0 oznacza brak limitu"},
                 {"Button5", Kind::Caption, "Zapisz konfig."},
                 {"Button5", Kind::Hint, "Zapisz konfigurację"},
                 {"Button4", Kind::Caption, "Otwórz konfig."},
                 {"Button4", Kind::Hint, "Otwórz konfigurację"},
                 {"Label24", Kind::Caption, "Granice wykresu"},
                 {"Label25", Kind::Caption, "Dolna"},
                 {"Label26", Kind::Caption, "Górna"},
                 {"Edit10", Kind::Exists, ""},
                 {"Edit11", Kind::Exists, ""},
                 {"Label23", Kind::Caption, "Grubość linii"},
                 {"Edit21", Kind::Text, "1"},
                 {"UpDown14", Kind::Exists, ""},
                 {"LabeledEdit10", Kind::Caption, "Współczynnik wykresu"},
                 {"LabeledEdit10", Kind::Hint, "Wartość z przedziału od 1 do 100"},
                 {"LabeledEdit10", Kind::Text, "1"},
                 {"LabeledEdit11", Kind::Caption, "Tytuł wykresu"},
                 {"LabeledEdit13", Kind::Caption, "Opis lewej osi"},
                 {"LabeledEdit14", Kind::Caption, "Opis prawej osi"},
                 {"RadioGroup1", Kind::Hint, "Wybierz pomiary lub raporty"},
                 {"RadioButton1", Kind::Caption, "Pomiary"},
                 {"RadioButton2", Kind::Caption, "Raporty"},
                 {"RadioGroup2", Kind::Caption, "Typ wykresu"},
                 {"RadioButton3", Kind::Caption, "Liniowy"},
                 {"RadioButton4", Kind::Caption, "Słupkowy"},
                 {"RadioGroup3", Kind::Caption, "Pomiary"},
                 {"RadioButton5", Kind::Caption, "Statyczne"},
                 {"RadioButton6", Kind::Caption, "Dynamiczne"},
                 {"CheckBox20", Kind::Caption, "rzeczywisty czas pomiaru"},
                 {"CheckBox21", Kind::Caption, "Ustaw automatycznie granice"}});
}

TEST(Captions, SystemPropertiesObjectAndAdvancedPages) {
    const monitor::ui::SystemPropertiesPage properties;
    check(properties, {{"TabSheet2", Kind::Title, "Właściwości systemu"},
                       {"Label1", Kind::Caption, "Właściwości pomiarów"},
                       {"Label3", Kind::Caption, "Częstotliwość:"},
                       {"Label4", Kind::Caption, "Rozmiar bufora:"},
                       {"Label2", Kind::Caption, "Wejścia pomiarowe:"},
                       {"Label6", Kind::Exists, ""},
                       {"Label7", Kind::Exists, ""},
                       {"Label67", Kind::Exists, ""},
                       {"Label55", Kind::Exists, ""},
                       {"StringGrid2", Kind::Exists, ""}});

    acquisition::SettingsRecord record;
    const monitor::ui::ObjectPage object(record);
    std::vector<Row> slotRows = {{"TabSheet1", Kind::Title, "Obiekt"}};
    // Channel-number edits, value edits, labels and up-downs of the four groups.
    const std::vector<std::pair<int, int>> ranges = {
        {6, 8},   {12, 14}, {22, 27}, {47, 52}, // channel-number edits
        {15, 17}, {18, 20}, {28, 33}, {53, 58}, // value edits
    };
    std::vector<QByteArray> names;
    for (const auto& [first, last] : ranges) {
        for (int n = first; n <= last; ++n) {
            names.push_back("Edit" + QByteArray::number(n));
        }
    }
    for (const auto& [first, last] : std::vector<std::pair<int, int>>{{37, 48}, {69, 74}}) {
        for (int n = first; n <= last; ++n) {
            names.push_back("Label" + QByteArray::number(n));
        }
    }
    for (const auto& [first, last] :
         std::vector<std::pair<int, int>>{{7, 12}, {15, 20}, {24, 24}, {26, 30}}) {
        for (int n = first; n <= last; ++n) {
            names.push_back("UpDown" + QByteArray::number(n));
        }
    }
    for (const QByteArray& name : names) {
        slotRows.push_back({name.constData(), Kind::Exists, ""});
    }
    EXPECT_EQ(names.size(), 18U * 4U);
    check(object, slotRows);
    EXPECT_EQ(object.findChild<QLineEdit*>(QStringLiteral("Edit22"))->text(), QStringLiteral("0"));

    const monitor::ui::AdvancedPage advanced;
    check(advanced, {{"TabSheet11", Kind::Title, "Zaawansowane"},
                     {"CheckBox6", Kind::Caption, "Zapisz dodatkowy raport"},
                     {"CheckBox13", Kind::Caption, "Zapisz dodatkowy plik .net"},
                     {"LabeledEdit18", Kind::Caption, "Nazwa pliku"},
                     {"LabeledEdit18", Kind::Text, ""},
                     {"CheckBox14", Kind::Caption, "Automatyczny restart Halden"},
                     {"CheckBox16", Kind::Caption, "Sprawdzaj adres systemu"},
                     {"Edit45", Kind::Text, "AaBbCcDd"},
                     {"Edit45", Kind::Hint, "Format  AaBbCc.."},
                     {"CheckBox17", Kind::Caption, "Save dynamic measurement every:"},
                     {"Edit46", Kind::Text, "00:30:00"},
                     {"Edit46", Kind::Hint, "Format  hh:mm:ss"},
                     {"LabeledEdit19", Kind::Caption, "Dynamic dir name[d:\\dynamic\\]:"},
                     {"LabeledEdit19", Kind::Text, "dynamic/"},
                     {"Button7", Kind::Caption, "Save bufer.."},
                     {"Label64", Kind::Exists, ""},
                     {"Label65", Kind::Caption, "Measurement time[sec]:"},
                     {"Label66", Kind::Exists, ""},
                     {"Memo4", Kind::Exists, ""}});
    for (const char* name : {"CheckBox6", "CheckBox13", "CheckBox14", "CheckBox16", "CheckBox17"}) {
        EXPECT_FALSE(advanced.findChild<QAbstractButton*>(QLatin1String(name))->isChecked());
    }
    EXPECT_TRUE(advanced.findChild<QWidget*>(QStringLiteral("LabeledEdit18"))->isHidden());
    EXPECT_TRUE(advanced.findChild<QWidget*>(QStringLiteral("Memo4"))->isHidden());
    EXPECT_EQ(advanced.findChild<QLineEdit*>(QStringLiteral("Edit45"))->maxLength(), 80);
    EXPECT_EQ(advanced.findChild<QLineEdit*>(QStringLiteral("Edit46"))->maxLength(), 10);
}

TEST(Captions, AnalysisPageAndItsDialogs) {
    const analysis::ui::AnalysisPage page;
    check(page, {{"TabSheet6", Kind::Title, "Analiza"},
                 {"Chart2", Kind::Exists, ""},
                 {"Chart3", Kind::Exists, ""},
                 {"Chart4", Kind::Exists, ""},
                 {"CheckBox5", Kind::Caption, "Odśwież wykres"},
                 {"LabeledEdit15", Kind::Caption, "Odśwież okres[ms]"},
                 {"Label53", Kind::Caption, "Liczba próbek"},
                 {"Label54", Kind::Exists, ""},
                 {"Label61", Kind::Caption, "Ustaw częstotliwość próbkowania"},
                 {"Edit39", Kind::Text, "0"},
                 {"CheckBox7", Kind::Caption, "Pokaż częstotliwości [Hz]"},
                 {"CheckBox8", Kind::Caption, "Rozszerzenie zakresu"},
                 {"Label49", Kind::Caption, "Amplituda:"},
                 {"Label50", Kind::Exists, ""},
                 {"Label51", Kind::Caption, "dla F(Hz):"},
                 {"Label52", Kind::Exists, ""},
                 {"Label56", Kind::Caption, "od"},
                 {"Label63", Kind::Caption, "do"},
                 {"Edit40", Kind::Exists, ""},
                 {"Edit44", Kind::Exists, ""},
                 {"CheckBox2", Kind::Exists, ""},
                 {"LabeledEdit5", Kind::Exists, ""},
                 {"LabeledEdit16", Kind::Exists, ""},
                 {"LabeledEdit17", Kind::Exists, ""},
                 {"UpDown23", Kind::Exists, ""}});
    EXPECT_EQ(page.edit39(), page.findChild<QLineEdit*>(QStringLiteral("Edit39")));
    EXPECT_NE(qobject_cast<QCustomPlot*>(page.findChild<QObject*>(QStringLiteral("Chart3"))),
              nullptr);

    const analysis::ui::TForm7 range;
    EXPECT_EQ(range.windowTitle(), QStringLiteral("Rectangular window"));
    check(
        range,
        {{"Edit1", Kind::Text, "0"}, {"Edit2", Kind::Text, "0"}, {"BitBtn1", Kind::Caption, "OK"}});
    EXPECT_FALSE(range.findChildren<QLabel*>().isEmpty());

    const analysis::ui::TForm8 calibration;
    EXPECT_EQ(calibration.windowTitle(), QStringLiteral("Calibration"));
    check(calibration, {{"LabeledEdit1", Kind::Caption, "Calibration value:"},
                        {"BitBtn1", Kind::Caption, "OK"}});
}

TEST(Captions, FileBrowserAndReportPanels) {
    const files::ui::FileBrowserPanel browser;
    check(browser, {{"Panel1", Kind::Exists, ""},
                    {"DriveComboBox2", Kind::Exists, ""},
                    {"FilterComboBox1", Kind::Exists, ""},
                    {"DirectoryListBox1", Kind::Exists, ""},
                    {"FileListBox1", Kind::Exists, ""},
                    {"Edit1", Kind::Text, "*.dan;*.txt;"},
                    {"SpeedButton1", Kind::Caption, "X"},
                    {"PopupMenu5", Kind::Exists, ""},
                    {"Openaccordingwithsets1", Kind::Caption, "Otwórz zgodnie z ustawieniami"},
                    {"Pokaplikidanychdan1", Kind::Caption, "Pokaż pliki danych (*.dan)"},
                    {"Pokaplikitxtxls1", Kind::Caption, "Pokaż pliki (*.txt;*.xls)"},
                    {"Pokawszystkiepliki1", Kind::Caption, "Wszystkie pliki(*.*)"},
                    {"WstawdoMSExcel1", Kind::Caption, "Wstaw do MS Excel"},
                    {"WstawdoOpenOffice1", Kind::Caption, "Wstaw do OpenOffice"},
                    {"MSExplorer1", Kind::Caption, "MS Explorer"},
                    {"Update1", Kind::Caption, "Odśwież"}});

    const files::ui::ReportPanel report;
    check(report, {{"Panel24", Kind::Exists, ""},
                   {"Memo3", Kind::Exists, ""},
                   {"ToolBar7", Kind::Exists, ""}});
    EXPECT_TRUE(report.isHidden());
}

TEST(Captions, AboutBox) {
    const about::ui::TForm5 about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("O programie"));
    check(about, {{"SpeedButton1", Kind::Caption, "-> Sprawdź nową wersję programu?"},
                  {"SpeedButton1", Kind::Hint, "Sprawdź czy jest nowsza wersja programu."},
                  {"SpeedButton3", Kind::Caption, " ->Pobierz nową wersję programu."},
                  {"SpeedButton3", Kind::Hint, "Pobierz najnowszą wersję programu z internetu."},
                  {"SpeedButton2", Kind::Caption, "Otwórz stronę  pomocy technicznej."},
                  {"SpeedButton2", Kind::Hint, "Internetowa pomoc techniczna."}});
    QStringList labels;
    for (const QLabel* label : about.findChildren<QLabel*>()) {
        labels << label->text();
    }
    for (const char* text : {"ZARO", "Korvanta", "Program wizualizacji danych", "wer. 2.8.8.9"}) {
        EXPECT_TRUE(labels.contains(QString::fromUtf8(text))) << text;
    }
}

TEST(Captions, BenchPagesAndWindows) {
    acquisition::SettingsRecord record;
    testing::ScriptedMessages messages;
    const bench::ui::BenchSettingsPage settings(record, messages);
    check(settings,
          {{"TabSheet12", Kind::Title, "Ustawienia"},
           {"LabeledEdit24", Kind::Caption, "Górny zakres obciążenia [kN]"},
           {"LabeledEdit25", Kind::Caption, "Krok siły [kN]"},
           {"LabeledEdit27", Kind::Caption, "Górny zakres przesunięcia [mm]"},
           {"LabeledEdit28", Kind::Caption, "Czas To [min]"},
           {"LabeledEdit29", Kind::Caption, "Czas Tpo [min]"},
           {"LabeledEdit30", Kind::Caption, "Częstość dla 0 - t1 [s]"},
           {"LabeledEdit31", Kind::Caption, "Częstość dla t1 - t2 [s]"},
           {"LabeledEdit32", Kind::Caption, "Częstość dla t2 - t3 [s]"},
           {"LabeledEdit33", Kind::Caption, "Częstość dla t3 - t4 [s]"},
           {"RadioButton9", Kind::Caption, "Próba zgodności z normą ZUAT-15/"},
           {"RadioButton10", Kind::Caption, "Próba odkształcenia"},
           {"Button17", Kind::Caption, "USTAWIENIA"},
           {"Button18", Kind::Caption, "RAPORT"},
           {"Button18", Kind::Hint,
            "Utworzenie dodatkowego pliku (PlikRaportu.ods), potrzebnego do utworzenia raportu."},
           {"Button20", Kind::Caption, "OTWÓRZ SZABLON"}});

    const bench::ui::BenchTestsPage tests;
    check(tests, {{"TabSheet13", Kind::Title, "Badania"},
                  {"Button10", Kind::Caption, "START"},
                  {"Button12", Kind::Caption, "STOP"},
                  {"Button16", Kind::Caption, "PRZYGOTUJ"},
                  {"Button16", Kind::Hint,
                   "Przygotowanie do badania, mające na celu szybsze opuszczenie popychacza."},
                  {"Button13", Kind::Caption, "^"},
                  {"Button14", Kind::Caption, "STOP"},
                  {"Button15", Kind::Caption, "v"},
                  {"Button19", Kind::Caption, "RESET"},
                  {"Button11", Kind::Caption, "Serwis"},
                  {"LabeledEdit45", Kind::Caption, "L"},
                  {"LabeledEdit46", Kind::Caption, "F"},
                  {"Label82", Kind::Exists, ""}});
    const auto* emergency = tests.findChild<QGroupBox*>();
    ASSERT_NE(emergency, nullptr);
    EXPECT_EQ(emergency->title(), QStringLiteral(" Awaria: "));
    EXPECT_TRUE(emergency->isAncestorOf(tests.findChild<QWidget*>(QStringLiteral("Button19"))));
    const QColor normal = tests.findChild<QLineEdit*>(QStringLiteral("LabeledEdit46Edit"))
                              ->palette()
                              .color(QPalette::Base);
    EXPECT_EQ(normal, QColor(192, 220, 192));

    const bench::ui::TForm9 parameters(record, messages);
    check(parameters, {{"LabeledEdit40", Kind::Caption, "histereza pomiarowa"},
                       {"LabeledEdit34", Kind::Caption, "nr kanału F"},
                       {"LabeledEdit35", Kind::Caption, "nr kanału L"},
                       {"LabeledEdit36", Kind::Caption, "Max F"},
                       {"LabeledEdit37", Kind::Caption, "Max L"},
                       {"LabeledEdit38", Kind::Caption, "rozkaz"},
                       {"LabeledEdit39", Kind::Caption, "rozkaz"},
                       {"LabeledEdit26", Kind::Caption, "Prdkość obrotów silinka"},
                       {"LabeledEdit1", Kind::Caption, "Siła [kN]"},
                       {"LabeledEdit2", Kind::Caption, "Czas cofania [s]"},
                       {"LabeledEdit3", Kind::Caption, "Długość bufora"},
                       {"LabeledEdit41", Kind::Exists, ""},
                       {"LabeledEdit44", Kind::Exists, ""},
                       {"Edit59", Kind::Text, "#1 x0;0 y250;250 &"},
                       {"Edit60", Kind::Text, "#1 x0;0 y0;0 &"},
                       {"Edit61", Kind::Text, "#1 x250;250 y0;0 &"},
                       {"Edit67", Kind::Exists, ""},
                       {"Button16", Kind::Caption, "^"},
                       {"Button17", Kind::Caption, "Stop"},
                       {"Button18", Kind::Caption, "v"},
                       {"Button19", Kind::Caption, "^"},
                       {"Button20", Kind::Caption, "v"},
                       {"Button21", Kind::Caption, "v"},
                       {"Button22", Kind::Caption, "^"},
                       {"Button23", Kind::Caption, "^"},
                       {"Button24", Kind::Caption, "v"}});

    const bench::ui::TForm10 testRecord;
    EXPECT_EQ(testRecord.windowTitle(), QStringLiteral("USTAWIENIA"));
    check(testRecord, {{"Button1", Kind::Caption, "ZATWIERDŹ"},
                       {"Edit1", Kind::Exists, ""},
                       {"Memo2", Kind::Exists, ""}});
    const QStringList items = testRecord.memo1()->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(items.size(), 20);
    EXPECT_EQ(items.first(), QStringLiteral("Górny zakres obciążenia [kN]"));
    EXPECT_EQ(items[11], QStringLiteral("-świadectwo jakości"));
    EXPECT_EQ(items.last(), QStringLiteral("Wymiar I"));
    EXPECT_TRUE(testRecord.memo2()->toPlainText().isEmpty());
}

} // namespace
} // namespace korvanta
