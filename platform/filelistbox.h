#pragma once

#include "platform/control.h"

#include <QListWidget>
#include <functional>

namespace qm {

// The files of a folder that match a pattern ("*.bmp"), one per row, sorted by name.
class FileListBox : public QListWidget, public Control
{
    Q_OBJECT
public:
    explicit FileListBox(QWidget *parent);
    QWidget *widget() override;
    using Control::setEnabled;
    using Control::setVisible;

    QString Path() const;
    void setPath(const QString &folder); // re-reads the list
    QString Pattern() const;
    void setPattern(const QString &pattern); // re-reads the list
    void Refresh();

    int ListCount() const;
    QString List(int index) const;
    int ListIndex() const;
    void setListIndex(int index); // raises Click
    // The selected file's name (no folder), or empty.
    QString FileName() const;

    std::function<void()> onClick;
    std::function<void()> onDblClick;

private:
    QString m_path;
    QString m_pattern = QStringLiteral("*.*");
};

} // namespace qm
