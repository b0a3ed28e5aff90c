#include "main/template_dialogs/frm_template_save.h"

#include "main/controls/modal_loop.h"
#include "main/controls/window_services.h"
#include "main/settings_dialog/message_owner.h"
#include "main/startup/startup_context.h"
#include "main/templates/template_save.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace picrows {

frmTemplateSave::frmTemplateSave(TemplateSaveForm& form, QWidget* parent)
    : QDialog(parent), m_form(form)
{
    setObjectName(QStringLiteral("frmTemplateSave"));
    setWindowTitle(TemplateSaveForm::caption());

    txtName1 = new QLineEdit(form.txtName1);
    txtName1->setObjectName(QStringLiteral("txtName1"));
    txtName2 = new QLineEdit(form.txtName2);
    txtName2->setObjectName(QStringLiteral("txtName2"));
    for (QLineEdit* field : {txtName1, txtName2})
        field->setMinimumWidth(260);
    cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* b : {cmdOK, cmdCancel})
        b->setMinimumWidth(90);

    auto* fields = new QFormLayout;
    fields->addRow(TemplateSaveForm::bookNameLabel(), txtName1);
    fields->addRow(TemplateSaveForm::sheetNameLabel(), txtName2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(txtName1, &QLineEdit::textChanged, this, &frmTemplateSave::fieldsChanged);
    connect(txtName2, &QLineEdit::textChanged, this, &frmTemplateSave::fieldsChanged);
    connect(cmdOK, &QPushButton::clicked, this, &frmTemplateSave::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    fieldsChanged();
}

void frmTemplateSave::fieldsChanged()
{
    m_form.txtName1 = txtName1->text();
    m_form.txtName2 = txtName2->text();
    cmdOK->setEnabled(m_form.okEnabled());
}

void frmTemplateSave::cmdOK_Click()
{
    fieldsChanged();
    if (m_form.okEnabled() && m_form.ok())
        accept();
}

void showTemplateSaveForm(TemplateSaveForm& form)
{
    frmTemplateSave dialog(form);
    s_SetParentWindow(&dialog, startupContext().glngXlHwnd);
    const MessageOwner messages(&dialog);
    showModal(dialog);
}

} // namespace picrows
