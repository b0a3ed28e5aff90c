#pragma once

#include <QLabel>
#include <QStringList>

namespace picrows {

// `picDropTip`: the picture with drop instructions that covers the picture list while it is
// empty. Files and folders dropped on it go where drops on the list go.
class DropTip : public QLabel
{
    Q_OBJECT

public:
    explicit DropTip(QWidget* parent = nullptr);

Q_SIGNALS:
    void pathsDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace picrows
