#pragma once
// The file browser on the left of the window: drives, directories, the files of one directory
// that match the mask, the file-name box and the file-list menu.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QToolButton>
#include <QWidget>

namespace korvanta::files::ui {

class FileBrowserPanel : public QWidget {
    Q_OBJECT
public:
    static inline const QString kInitialMask = QStringLiteral("*.dan;*.txt;");

    explicit FileBrowserPanel(QWidget* parent = nullptr);

    // Points the lists at a directory (when it exists) without changing the current directory.
    void setDirectory(const QString& directory);
    QString directory() const { return m_directory; }
    // Reads the directory again.
    void refresh();
    // Masks such as "*.dan;*.txt;": patterns separated by ';', matched without regard to case.
    QString mask() const { return m_mask; }
    void setMask(const QString& mask);

    // Edit1, the file-name box bound to the list.
    QString fileName() const { return Edit1->text(); }
    void setFileName(const QString& name) { Edit1->setText(name); }
    QStringList files() const;
    QStringList subdirectories() const;

    // SpeedButton1: "X" while the panel is at its stored width, ">" while collapsed.
    void setExpanded(bool expanded);
    bool expanded() const { return m_expanded; }

    // Enters a subdirectory of the list (or ".." for the parent) as a double click does; the
    // entered directory becomes the process's current directory.
    void enterDirectory(const QString& entry);

signals:
    void fileDoubleClicked(const QString& name);
    void expandedToggled(bool expanded);
    void openAccordingWithSettingsClicked();
    void insertIntoMsExcelClicked();
    void insertIntoOpenOfficeClicked();
    void msExplorerClicked();

private:
    void buildPopupMenu();
    void fillDrives();
    void showDriveOf(const QString& directory);
    void fillDirectories();
    void fillFiles();
    void driveChosen(int index);
    void filterChosen(int index);
    void toggleExpanded();

    QComboBox* DriveComboBox2;      // root, mount points and home directory
    QComboBox* FilterComboBox1;     // masks offered for the file list
    QListWidget* DirectoryListBox1; // subdirectories, ".." first
    QListWidget* FileListBox1;      // files matching the mask
    QLineEdit* Edit1;               // bare name of the chosen file
    QToolButton* SpeedButton1;      // collapse or expand the panel
    QMenu* PopupMenu5;              // menu of the file list
    QString m_directory;
    QString m_mask = kInitialMask;
    bool m_expanded = true;
};

} // namespace korvanta::files::ui
