#include "host_app/host_dialogs.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLineEdit>

namespace host_app {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("host_app::FileDialogs", text);
}

} // namespace

HostDialogs::~HostDialogs() = default;

QStringList qtFilters(const QString& hostFilter)
{
    // Pairs of a description and its patterns; the description already names the patterns.
    const QStringList parts = hostFilter.split(u',');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().replace(u';', u' ');
        if (!description.contains(u'('))
            description += QStringLiteral(" (") + patterns + u')';
        filters << description;
    }
    return filters;
}

QStringList FileDialogs::workbooksToOpen(QWidget* owner)
{
    return QFileDialog::getOpenFileNames(owner, tr("ファイルを開く"), QString(),
                                         tr("Excel ブック (*.xlsx *.xlsm);;すべてのファイル (*)"));
}

QString FileDialogs::saveAsPath(QWidget* owner, const QString& suggested)
{
    return QFileDialog::getSaveFileName(owner, tr("名前を付けて保存"), suggested,
                                        tr("Excel ブック (*.xlsx)"));
}

QStringList FileDialogs::picturesToInsert(QWidget* owner)
{
    return QFileDialog::getOpenFileNames(
        owner, tr("図の挿入"), QString(),
        tr("すべての図 (*.jpg *.jpeg *.jpe *.jfif *.png *.gif *.bmp *.tif *.tiff *.emf *.webp);;"
           "すべてのファイル (*)"));
}

QString FileDialogs::saveFileName(QWidget* owner, const QString& title, const QString& initial,
                                  const QString& hostFilter, int filterIndex)
{
    const QStringList filters = qtFilters(hostFilter);
    QString selected =
        filterIndex >= 1 && filterIndex <= filters.size() ? filters[filterIndex - 1] : QString();
    return QFileDialog::getSaveFileName(owner, title.isEmpty() ? tr("名前を付けて保存") : title,
                                        initial, filters.join(QStringLiteral(";;")), &selected);
}

std::optional<QString> FileDialogs::sheetName(QWidget* owner, const QString& current)
{
    bool ok = false;
    const QString name = QInputDialog::getText(owner, tr("シート名の変更"), tr("シート名:"),
                                               QLineEdit::Normal, current, &ok);
    return ok ? std::optional<QString>(name) : std::nullopt;
}

std::optional<HostDialogs::Protection> FileDialogs::sheetProtection(QWidget* owner)
{
    QDialog dialog(owner);
    dialog.setWindowTitle(tr("シートの保護"));
    auto* password = new QLineEdit(&dialog);
    password->setEchoMode(QLineEdit::Password);
    auto* contents = new QCheckBox(tr("シートとロックされたセルの内容を保護する(&C)"));
    auto* objects = new QCheckBox(tr("オブジェクトを保護する(&O)"));
    contents->setChecked(true);
    objects->setChecked(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    form->addRow(tr("シートの保護を解除するためのパスワード(&P):"), password);
    form->addRow(contents);
    form->addRow(objects);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Protection{password->text(), contents->isChecked(), objects->isChecked()};
}

std::optional<QString> FileDialogs::unprotectPassword(QWidget* owner)
{
    bool ok = false;
    const QString password = QInputDialog::getText(owner, tr("シート保護の解除"), tr("パスワード:"),
                                                   QLineEdit::Password, QString(), &ok);
    return ok ? std::optional<QString>(password) : std::nullopt;
}

} // namespace host_app
