#include "about/ui/tform5.h"

#include "about/program_update.h"
#include "about/program_version.h"
#include "about/update_addresses.h"
#include "about/version_check.h"

#include <QFileInfo>
#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <optional>

namespace korvanta::about::ui {
namespace {

constexpr int kPictureSize = 96;

QToolButton* makeLinkButton(const QString& name, const QString& caption, const QString& hint,
                            QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setToolTip(hint);
    button->setAutoRaise(true);
    return button;
}

QLabel* makeLabel(const QString& name, const QString& text, int pointSizeStep, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSize(font.pointSize() + pointSizeStep);
    font.setBold(pointSizeStep > 0);
    label->setFont(font);
    return label;
}

QLabel* makePicture(QWidget* parent) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(
        QPixmap(QStringLiteral(":/korvanta.png"))
            .scaled(kPictureSize, kPictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    return picture;
}

// The download runs on this thread, so the "Wait" text is painted before it starts.
void showWaiting(QToolButton* button, const QString& text) {
    button->setText(text);
    button->repaint();
}

void showOutcome(QToolButton* button, const UpdateOutcome& outcome) {
    button->setText(outcome.caption);
    if (!outcome.ok()) {
        qWarning("%s", qUtf8Printable(outcome.reason));
    }
}

} // namespace

TForm5::TForm5(const platform::Services& services, QString programPath, QWidget* parent)
    : QDialog(parent), m_messages(services.messages), m_launcher(services.launcher),
      m_download(services.download), m_programPath(std::move(programPath)),
      SpeedButton1(makeLinkButton(
          QStringLiteral("SpeedButton1"), QStringLiteral("-> Sprawdź nową wersję programu?"),
          QStringLiteral("Sprawdź czy jest nowsza wersja programu."), this)),
      SpeedButton3(makeLinkButton(
          QStringLiteral("SpeedButton3"), QStringLiteral(" ->Pobierz nową wersję programu."),
          QStringLiteral("Pobierz najnowszą wersję programu z internetu."), this)),
      SpeedButton2(makeLinkButton(QStringLiteral("SpeedButton2"),
                                  QStringLiteral("Otwórz stronę  pomocy technicznej."),
                                  QStringLiteral("Internetowa pomoc techniczna."), this)),
      m_ok(new QPushButton(QStringLiteral("OK"), this)) {
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("O programie"));
    m_ok->setObjectName(QStringLiteral("okButton"));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm5::SpeedButton1Click);
    connect(SpeedButton3, &QToolButton::clicked, this, &TForm5::SpeedButton3Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm5::SpeedButton2Click);

    auto* names = new QVBoxLayout;
    names->addWidget(makeLabel(QStringLiteral("makerLabel"), QStringLiteral("ZARO"), 6, this));
    names->addWidget(
        makeLabel(QStringLiteral("programLabel"), QStringLiteral("Korvanta"), 4, this));
    names->addWidget(makeLabel(QStringLiteral("purposeLabel"),
                               QStringLiteral("Program wizualizacji danych"), 0, this));
    names->addWidget(makeLabel(QStringLiteral("versionLabel"),
                               QStringLiteral("wer. ") + programVersion(), 0, this));
    auto* heading = new QHBoxLayout;
    heading->addWidget(makePicture(this));
    heading->addLayout(names, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(heading);
    layout->addSpacing(8);
    layout->addWidget(SpeedButton1);
    layout->addWidget(SpeedButton3);
    layout->addWidget(SpeedButton2);
    layout->addSpacing(8);
    layout->addWidget(m_ok, 0, Qt::AlignCenter);
}

void TForm5::SpeedButton1Click() {
    showWaiting(SpeedButton1, QStringLiteral("  Wait !!"));
    // "newver.txt" goes beside the program, or, where an installed program cannot write, into a
    // temporary directory of its own.
    QString directory = QFileInfo(m_programPath).absolutePath();
    std::optional<QTemporaryDir> scratch;
    if (!QFileInfo(directory).isWritable()) {
        directory = scratch.emplace().path();
    }
    showOutcome(
        SpeedButton1,
        checkNewVersion(*m_download, UpdateAddresses::fromEnvironment().versionText, directory));
}

void TForm5::SpeedButton3Click() {
    showWaiting(SpeedButton3, QStringLiteral("  Wait!! "));
    showOutcome(SpeedButton3,
                downloadNewProgram(*m_download, UpdateAddresses::fromEnvironment(), m_programPath));
}

void TForm5::SpeedButton2Click() {
    if (!m_launcher->openUrl(UpdateAddresses::fromEnvironment().supportPage)) {
        m_messages->showCritical(QStringLiteral("System WINDOWS zgłosił bląd...."),
                                 QStringLiteral("Błąd..."));
    }
}

} // namespace korvanta::about::ui
