#pragma once

#include "platform/message_box.h"
#include "platform/shell.h"

class QWidget;

namespace platform {

// Message boxes as QMessageBox dialogs. The owner, when one is given, becomes the box's parent.
class DialogMessages : public MessageService
{
public:
    explicit DialogMessages(QWidget* owner = nullptr) : m_owner(owner) {}
    MsgAnswer show(const Message& message) override;
    void setOwner(QWidget* owner) { m_owner = owner; }

private:
    QWidget* m_owner;
};

// The desktop shell with Qt's folder dialog as the folder picker.
class DialogShell : public DesktopShell
{
public:
    explicit DialogShell(QWidget* owner = nullptr) : m_owner(owner) {}
    QString browseFolder(const QString& prompt, const QString& initialFolder) override;

private:
    QWidget* m_owner;
};

} // namespace platform
