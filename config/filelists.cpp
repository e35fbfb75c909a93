#include "config/filelists.h"

#include "platform/core/naturalorder.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QStyle>

#include <algorithm>

namespace titrage {

namespace {

constexpr int kPathRole = Qt::UserRole;

QString nativeClean(const QString& path)
{
    return QDir::toNativeSeparators(QDir::cleanPath(QDir::fromNativeSeparators(path)));
}

} // namespace

// ---- DriveList -----------------------------------------------------------

DriveList::DriveList(QWidget* parent) : QComboBox(parent)
{
    setDrives(mountedDrives());
    connect(this, &QComboBox::activated, this,
            [this](int index) { emit driveChosen(itemData(index).toString()); });
}

QStringList DriveList::mountedDrives()
{
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (!volume.isValid() || !QFileInfo(volume.rootPath()).isDir()) continue;
        roots << QDir::toNativeSeparators(volume.rootPath());
    }
    roots.sort();
    roots.removeDuplicates();
    return roots;
}

void DriveList::setDrives(const QStringList& roots)
{
    const QString current = drive();
    clear();
    for (const QString& root : roots)
        addItem(root, root);
    if (!current.isEmpty()) setDrive(current);
}

QString DriveList::driveOf(const QString& path)
{
    const QStorageInfo volume(QDir::fromNativeSeparators(path));
    if (volume.isValid()) return QDir::toNativeSeparators(volume.rootPath());
    return QDir::toNativeSeparators(QDir(QDir::fromNativeSeparators(path)).rootPath());
}

QString DriveList::drive() const
{
    return currentIndex() < 0 ? QString() : itemData(currentIndex()).toString();
}

void DriveList::setDrive(const QString& root)
{
    int index = findData(root);
    if (index < 0) {
        addItem(root, root);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

// ---- DirList -------------------------------------------------------------

DirList::DirList(QWidget* parent) : QListWidget(parent)
{
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { setPath(entryPath(item)); });
}

bool DirList::setPath(const QString& path)
{
    const QFileInfo info(QDir::fromNativeSeparators(path));
    if (path.isEmpty() || !info.isDir() || !QDir(info.absoluteFilePath()).isReadable())
        return false;
    const QString clean = nativeClean(info.absoluteFilePath());
    const bool changed = clean != m_path;
    m_path = clean;
    refill();
    if (changed) emit pathChanged(m_path);
    return true;
}

QString DirList::entryPath(const QListWidgetItem* item)
{
    return item ? item->data(kPathRole).toString() : QString();
}

QListWidgetItem* DirList::entryFor(const QString& path) const
{
    const QString clean = nativeClean(path);
    for (int i = 0; i < count(); ++i)
        if (entryPath(item(i)) == clean) return item(i);
    return nullptr;
}

void DirList::openHighlighted()
{
    if (QListWidgetItem* item = currentItem()) setPath(entryPath(item));
}

void DirList::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openHighlighted();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void DirList::refill()
{
    clear();
    // The folders from the root down to the current one.
    QStringList chain;
    QDir dir(QDir::fromNativeSeparators(m_path));
    for (;;) {
        chain.prepend(dir.absolutePath());
        if (dir.isRoot() || !dir.cdUp()) break;
    }
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    auto add = [this](const QString& path, int level, const QIcon& icon) {
        const QFileInfo info(path);
        const QString name = QDir(path).isRoot() ? QDir::toNativeSeparators(path) : info.fileName();
        auto* item = new QListWidgetItem(icon, QString(level * 2, QLatin1Char(' ')) + name, this);
        item->setData(kPathRole, nativeClean(path));
        return item;
    };
    QListWidgetItem* current = nullptr;
    for (int level = 0; level < chain.size(); ++level)
        current = add(chain[level], level, open);
    const auto subfolders =
        QDir(QDir::fromNativeSeparators(m_path))
            .entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& sub : subfolders)
        add(sub.absoluteFilePath(), static_cast<int>(chain.size()), closed);
    setCurrentItem(current);
}

// ---- FileList ------------------------------------------------------------

FileList::FileList(const QString& pattern, QWidget* parent)
    : QListWidget(parent), m_pattern(pattern)
{
    // A press on another file makes it current, then the release clicks it:
    // one click is reported once.
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        const bool reported = item == m_pressedCurrent;
        m_pressedCurrent = nullptr;
        if (!reported) emit fileClicked(item->text());
    });
    connect(this, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (m_pressing) m_pressedCurrent = item;
        if (!m_refilling && item) emit fileClicked(item->text());
    });
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit fileDoubleClicked(item->text()); });
}

void FileList::mousePressEvent(QMouseEvent* event)
{
    m_pressedCurrent = nullptr;
    m_pressing = true;
    QListWidget::mousePressEvent(event);
    m_pressing = false;
}

void FileList::setPath(const QString& path)
{
    const QString clean = nativeClean(path);
    const bool changed = clean != m_path;
    m_path = clean;
    refresh();
    if (changed) emit pathChanged(m_path);
}

void FileList::refresh()
{
    m_refilling = true;
    m_pressedCurrent = nullptr;
    clear();
    const QDir dir(QDir::fromNativeSeparators(m_path));
    // Name filters ignore the letter case unless told otherwise: "*.C16"
    // also lists "essai.c16".
    QStringList names =
        dir.entryList(QStringList{m_pattern}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (m_natural)
        std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
            return naturalLess(a.toStdString(), b.toStdString());
        });
    addItems(names);
    setCurrentRow(-1);
    m_refilling = false;
}

QListWidgetItem* FileList::entryFor(const QString& name) const
{
    const auto found = findItems(name, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.first();
}

} // namespace titrage
