#include "platform/widgets/dialog_services.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace platform {

namespace {

QMessageBox::Icon iconOf(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::None:
        return QMessageBox::NoIcon;
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton buttonOf(MsgAnswer answer)
{
    switch (answer) {
    case MsgAnswer::OK:
        return QMessageBox::Ok;
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    case MsgAnswer::Abort:
        return QMessageBox::Abort;
    case MsgAnswer::Retry:
        return QMessageBox::Retry;
    case MsgAnswer::Ignore:
        return QMessageBox::Ignore;
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

} // namespace

MsgAnswer DialogMessages::show(const Message& message)
{
    QString text = message.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QMessageBox box(iconOf(message.icon), message.title, text, QMessageBox::NoButton, m_owner);
    box.setTextFormat(Qt::PlainText);
    const std::vector<MsgAnswer> answers = answersOf(message.buttons);
    for (MsgAnswer a : answers)
        box.addButton(buttonOf(a));
    box.setDefaultButton(buttonOf(defaultAnswer(message)));
    // Closing the box with the window's close button or Escape answers Cancel where the set
    // has it, else the single OK.
    const bool cancellable =
        std::find(answers.begin(), answers.end(), MsgAnswer::Cancel) != answers.end();
    if (cancellable)
        box.setEscapeButton(buttonOf(MsgAnswer::Cancel));
    else if (answers.size() == 1)
        box.setEscapeButton(buttonOf(answers.front()));
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (MsgAnswer a : answers)
        if (buttonOf(a) == clicked)
            return a;
    return cancellable ? MsgAnswer::Cancel : answers.front();
}

QString DialogShell::browseFolder(const QString& prompt, const QString& initialFolder)
{
    return QFileDialog::getExistingDirectory(m_owner, prompt, initialFolder,
                                             QFileDialog::ShowDirsOnly);
}

} // namespace platform
