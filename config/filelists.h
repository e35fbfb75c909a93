#pragma once
// The three linked lists of the configuration dialogs: the drives (on this
// system the mounted volumes), the directory tree around one folder, and the
// files of one folder that match a pattern. Each only reports what the user
// does; the dialog links them.

#include <QComboBox>
#include <QListWidget>
#include <QString>
#include <QStringList>

namespace titrage {

// The volumes to choose from; each entry is a volume's root folder.
class DriveList : public QComboBox {
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    // The mounted volumes whose root is a folder, sorted.
    static QStringList mountedDrives();
    // Replaces the entries (tests offer volumes that are not mounted).
    void setDrives(const QStringList& roots);

    // The root of the volume that holds `path`.
    static QString driveOf(const QString& path);
    QString drive() const;
    // Shows `root`, adding it when it is not listed; emits nothing.
    void setDrive(const QString& root);

signals:
    // The user chose a drive.
    void driveChosen(const QString& root);
};

// The folders from the volume's root down to the current one (open), then the
// current folder's sub-folders (closed). A click highlights an entry; a
// double-click or Enter opens it (it becomes the path).
class DirList : public QListWidget {
    Q_OBJECT

public:
    explicit DirList(QWidget* parent = nullptr);

    // The current folder, native separators, no trailing separator except for
    // a root.
    QString path() const { return m_path; }
    // Moves to `path`; false, and nothing changes, when it is not a readable
    // folder. Emits pathChanged when the path changed.
    bool setPath(const QString& path);
    // The folder an entry stands for.
    static QString entryPath(const QListWidgetItem* item);
    // The entry of `path`, or nullptr.
    QListWidgetItem* entryFor(const QString& path) const;
    // Opens the highlighted entry.
    void openHighlighted();

signals:
    void pathChanged(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refill();

    QString m_path;
};

// The files of one folder matching a pattern (any letter case), hidden and
// special files left out, sorted by name (or in natural order when asked).
class FileList : public QListWidget {
    Q_OBJECT

public:
    explicit FileList(const QString& pattern, QWidget* parent = nullptr);

    QString path() const { return m_path; }
    // Shows the files of `path`; emits pathChanged when the folder changed.
    void setPath(const QString& path);
    // Re-reads the folder.
    void refresh();
    QListWidgetItem* entryFor(const QString& name) const;
    // Lists "EXO2" before "EXO10" (digit runs by their value) from the next refresh.
    void setNaturalOrder(bool natural) { m_natural = natural; }

signals:
    void pathChanged(const QString& path);
    // A click (or a move with the keys) on a file.
    void fileClicked(const QString& name);
    void fileDoubleClicked(const QString& name);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QString m_path;
    QString m_pattern;
    bool m_refilling = false;
    bool m_natural = false;
    bool m_pressing = false;
    QListWidgetItem* m_pressedCurrent = nullptr; // made current by the press under way
};

} // namespace titrage
