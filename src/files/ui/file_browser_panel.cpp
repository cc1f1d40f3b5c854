#include "files/ui/file_browser_panel.h"

#include "files/drive_roots.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace korvanta::files::ui {
namespace {

const QString kParent = QStringLiteral("..");

QStringList maskPatterns(const QString& mask) {
    QStringList patterns;
    for (const QString& part : mask.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString pattern = part.trimmed();
        // "*.*" means every file, also one without an extension.
        if (pattern == QLatin1String("*.*")) {
            patterns << QStringLiteral("*");
        } else if (!pattern.isEmpty()) {
            patterns << pattern;
        }
    }
    return patterns;
}

QStringList itemTexts(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts << list->item(i)->text();
    }
    return texts;
}

} // namespace

FileBrowserPanel::FileBrowserPanel(QWidget* parent)
    : QWidget(parent), DriveComboBox2(new QComboBox(this)), FilterComboBox1(new QComboBox(this)),
      DirectoryListBox1(new QListWidget(this)), FileListBox1(new QListWidget(this)),
      Edit1(new QLineEdit(kInitialMask, this)), SpeedButton1(new QToolButton(this)),
      PopupMenu5(new QMenu(this)), m_directory(QDir::currentPath()) {
    setObjectName(QStringLiteral("Panel1"));
    DriveComboBox2->setObjectName(QStringLiteral("DriveComboBox2"));
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    Edit1->setObjectName(QStringLiteral("Edit1"));
    SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
    SpeedButton1->setText(QStringLiteral("X"));
    PopupMenu5->setObjectName(QStringLiteral("PopupMenu5"));

    FilterComboBox1->addItems({kInitialMask, QStringLiteral("*.dan;"),
                               QStringLiteral("*.txt;*.xls;"), QStringLiteral("*.*;")});
    fillDrives();
    buildPopupMenu();

    auto* top = new QHBoxLayout;
    top->addWidget(DriveComboBox2, 1);
    top->addWidget(SpeedButton1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(DirectoryListBox1, 1);
    layout->addWidget(Edit1);
    layout->addWidget(FileListBox1, 2);
    layout->addWidget(FilterComboBox1);

    connect(DriveComboBox2, &QComboBox::activated, this, &FileBrowserPanel::driveChosen);
    connect(FilterComboBox1, &QComboBox::activated, this, &FileBrowserPanel::filterChosen);
    connect(SpeedButton1, &QToolButton::clicked, this, &FileBrowserPanel::toggleExpanded);
    connect(DirectoryListBox1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { enterDirectory(item->text()); });
    connect(FileListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { Edit1->setText(item->text()); });
    connect(FileListBox1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        Edit1->setText(item->text());
        emit fileDoubleClicked(item->text());
    });
    FileListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(FileListBox1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu5->popup(FileListBox1->mapToGlobal(at)); });
    showDriveOf(m_directory);
    refresh();
}

void FileBrowserPanel::buildPopupMenu() {
    const auto add = [this](const char* name, const QString& caption) {
        QAction* action = PopupMenu5->addAction(caption);
        action->setObjectName(QLatin1String(name));
        return action;
    };
    connect(add("Openaccordingwithsets1", QStringLiteral("Otwórz zgodnie z ustawieniami")),
            &QAction::triggered, this, &FileBrowserPanel::openAccordingWithSettingsClicked);
    connect(add("Pokaplikidanychdan1", QStringLiteral("Pokaż pliki danych (*.dan)")),
            &QAction::triggered, this, [this] { setMask(QStringLiteral("*.dan;")); });
    connect(add("Pokaplikitxtxls1", QStringLiteral("Pokaż pliki (*.txt;*.xls)")),
            &QAction::triggered, this, [this] { setMask(QStringLiteral("*.txt;*.xls;")); });
    connect(add("Pokawszystkiepliki1", QStringLiteral("Wszystkie pliki(*.*)")), &QAction::triggered,
            this, [this] { setMask(QStringLiteral("*.*;")); });
    connect(add("WstawdoMSExcel1", QStringLiteral("Wstaw do MS Excel")), &QAction::triggered, this,
            &FileBrowserPanel::insertIntoMsExcelClicked);
    connect(add("WstawdoOpenOffice1", QStringLiteral("Wstaw do OpenOffice")), &QAction::triggered,
            this, &FileBrowserPanel::insertIntoOpenOfficeClicked);
    connect(add("MSExplorer1", QStringLiteral("MS Explorer")), &QAction::triggered, this,
            &FileBrowserPanel::msExplorerClicked);
    connect(add("Update1", QStringLiteral("Odśwież")), &QAction::triggered, this,
            &FileBrowserPanel::refresh);
}

void FileBrowserPanel::fillDrives() {
    DriveComboBox2->addItems(currentDriveRoots());
}

void FileBrowserPanel::showDriveOf(const QString& directory) {
    // The deepest place that holds the directory, as a drive letter names the drive of a path.
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < DriveComboBox2->count(); ++i) {
        const QString place = DriveComboBox2->itemText(i);
        const bool holds = directory == place ||
                           directory.startsWith(
                               place.endsWith(QLatin1Char('/')) ? place : place + QLatin1Char('/'));
        if (holds && place.size() > bestLength) {
            best = i;
            bestLength = place.size();
        }
    }
    const QSignalBlocker blocker(DriveComboBox2);
    DriveComboBox2->setCurrentIndex(best);
}

void FileBrowserPanel::setDirectory(const QString& directory) {
    const QFileInfo info(directory);
    if (!info.isDir()) {
        return;
    }
    m_directory = QDir::cleanPath(info.absoluteFilePath());
    showDriveOf(m_directory);
    refresh();
}

void FileBrowserPanel::refresh() {
    fillDirectories();
    fillFiles();
}

void FileBrowserPanel::setMask(const QString& mask) {
    m_mask = mask;
    // The file-name box shows the mask until a file is chosen.
    Edit1->setText(mask);
    {
        const QSignalBlocker blocker(FilterComboBox1);
        FilterComboBox1->setCurrentIndex(FilterComboBox1->findText(mask));
    }
    fillFiles();
}

void FileBrowserPanel::fillDirectories() {
    DirectoryListBox1->clear();
    const QDir dir(m_directory);
    if (!dir.isRoot()) {
        DirectoryListBox1->addItem(kParent);
    }
    DirectoryListBox1->addItems(
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase));
}

void FileBrowserPanel::fillFiles() {
    FileListBox1->clear();
    const QDir dir(m_directory);
    // Without QDir::CaseSensitive the name filters ignore case, as the masks always have.
    FileListBox1->addItems(
        dir.entryList(maskPatterns(m_mask), QDir::Files, QDir::Name | QDir::IgnoreCase));
}

QStringList FileBrowserPanel::files() const {
    return itemTexts(FileListBox1);
}

QStringList FileBrowserPanel::subdirectories() const {
    QStringList names = itemTexts(DirectoryListBox1);
    names.removeAll(kParent);
    return names;
}

void FileBrowserPanel::enterDirectory(const QString& entry) {
    const QString target = QDir::cleanPath(QDir(m_directory).filePath(entry));
    if (!QFileInfo(target).isDir() || !QDir::setCurrent(target)) {
        return;
    }
    setDirectory(target);
}

void FileBrowserPanel::driveChosen(int index) {
    enterDirectory(DriveComboBox2->itemText(index));
}

void FileBrowserPanel::filterChosen(int index) {
    setMask(FilterComboBox1->itemText(index));
}

void FileBrowserPanel::setExpanded(bool expanded) {
    m_expanded = expanded;
    SpeedButton1->setText(expanded ? QStringLiteral("X") : QStringLiteral(">"));
}

void FileBrowserPanel::toggleExpanded() {
    setExpanded(!m_expanded);
    emit expandedToggled(m_expanded);
}

} // namespace korvanta::files::ui
