#include "platform/filelistbox.h"

#include "data/error.h"

#include <QDir>
#include <QSignalBlocker>

namespace qm {

FileListBox::FileListBox(QWidget *parent)
    : QListWidget(parent)
    , m_path(QDir::currentPath())
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A row chosen by mouse or keyboard is a Click; rows chosen by code raise it themselves.
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && onClick)
            runEvent(this, onClick);
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] {
        if (onDblClick)
            runEvent(this, onDblClick);
    });
    Refresh();
}

QWidget *FileListBox::widget()
{
    return this;
}

QString FileListBox::Path() const
{
    return m_path;
}

void FileListBox::setPath(const QString &folder)
{
    m_path = folder;
    Refresh();
}

QString FileListBox::Pattern() const
{
    return m_pattern;
}

void FileListBox::setPattern(const QString &pattern)
{
    m_pattern = pattern;
    Refresh();
}

void FileListBox::Refresh()
{
    const QSignalBlocker blocker(this);
    clear();
    // "*.bmp;*.jpg" names several patterns; matching ignores case, as the files' names do.
    const QStringList patterns = m_pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    const QDir folder(m_path);
    addItems(folder.entryList(patterns, QDir::Files, QDir::Name | QDir::IgnoreCase));
    setCurrentRow(-1);
}

int FileListBox::ListCount() const
{
    return count();
}

QString FileListBox::List(int index) const
{
    const QListWidgetItem *row = item(index);
    return row ? row->text() : QString();
}

int FileListBox::ListIndex() const
{
    return currentRow();
}

void FileListBox::setListIndex(int index)
{
    if (index < -1 || index >= count())
        throw Error(ErrorCode::InvalidPropertyValue);
    {
        const QSignalBlocker blocker(this);
        setCurrentRow(index);
    }
    if (index >= 0 && onClick)
        onClick();
}

QString FileListBox::FileName() const
{
    return List(currentRow());
}

} // namespace qm
