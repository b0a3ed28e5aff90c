#include "main/template_dialogs/frm_template_get.h"

#include "main/controls/modal_loop.h"
#include "main/controls/window_services.h"
#include "main/settings_dialog/message_owner.h"
#include "main/startup/startup_context.h"
#include "main/templates/template_open.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace picrows {

namespace {

// A small worksheet: a white page with a green header row and grid lines.
QPixmap sheetPicture()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(0x60, 0x60, 0x60));
    p.setBrush(Qt::white);
    p.drawRect(1, 1, 13, 13);
    p.fillRect(2, 2, 12, 3, QColor(0x3f, 0x9a, 0x4e));
    p.setPen(QColor(0xb0, 0xb0, 0xb0));
    for (int x = 5; x < 14; x += 4)
        p.drawLine(x, 5, x, 13);
    for (int y = 8; y < 14; y += 3)
        p.drawLine(2, y, 13, y);
    return pixmap;
}

QIcon templateIcon()
{
    return QIcon(sheetPicture());
}

// Behind the current sheet: the sheet with an arrow; a new workbook: the sheet with a star.
QIcon insertIcon(int option)
{
    QPixmap pixmap = sheetPicture();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (option == 0) {
        p.setPen(QPen(QColor(0x20, 0x60, 0xc0), 2));
        p.drawLine(QLineF(7, 11, 14, 11));
        p.drawPolyline(QPolygonF({{11.5, 8.5}, {14, 11}, {11.5, 13.5}}));
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xf0, 0xb0, 0x20));
        p.drawEllipse(QPointF(12, 12), 3.5, 3.5);
    }
    return QIcon(pixmap);
}

} // namespace

frmTemplateGet::frmTemplateGet(TemplateGetForm& form, QWidget* parent)
    : QDialog(parent), m_form(form)
{
    setObjectName(QStringLiteral("frmTemplateGet"));
    setWindowTitle(TemplateGetForm::caption());

    icbTemplate = new QComboBox;
    icbTemplate->setObjectName(QStringLiteral("icbTemplate"));
    icbTemplate->setMinimumWidth(300);
    for (const TemplateItem& item : form.icbTemplate)
        icbTemplate->addItem(templateIcon(), item.text);
    icbTemplate->setCurrentIndex(form.templateIndex);
    if (!form.templateText.isEmpty())
        icbTemplate->setPlaceholderText(form.templateText);
    icbTemplate->setEnabled(form.templateEnabled);

    icbInsert = new QComboBox;
    icbInsert->setObjectName(QStringLiteral("icbInsert"));
    for (const TemplateItem& item : form.icbInsert)
        icbInsert->addItem(insertIcon(item.tag.toInt()), item.text);
    icbInsert->setCurrentIndex(form.insertIndex);

    lblOption = new QLabel(QStringLiteral("<a href=\"option\">オプション</a>"));
    lblOption->setObjectName(QStringLiteral("lblOption"));
    lblOption->setToolTip(QStringLiteral("環境設定を開く"));
    lblOption->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);

    cmdOK = new QPushButton(QStringLiteral("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdOK->setEnabled(form.okEnabled);
    cmdCancel = new QPushButton(QStringLiteral("キャンセル"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    for (QPushButton* b : {cmdOK, cmdCancel})
        b->setMinimumWidth(90);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("テンプレート"), icbTemplate);
    fields->addRow(QStringLiteral("挿入先"), icbInsert);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblOption);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdOK, &QPushButton::clicked, this, &frmTemplateGet::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(lblOption, &QLabel::linkActivated, this, &frmTemplateGet::lblOption_Click);
}

void frmTemplateGet::cmdOK_Click()
{
    if (icbTemplate->currentIndex() < 0 || icbInsert->currentIndex() < 0)
        return;
    m_form.templateIndex = icbTemplate->currentIndex();
    m_form.insertIndex = icbInsert->currentIndex();
    m_form.ok();
    accept();
}

void frmTemplateGet::lblOption_Click()
{
    m_optionChosen = true;
    reject();
}

void showTemplateGetForm(TemplateGetForm& form)
{
    bool option = false;
    {
        frmTemplateGet dialog(form);
        s_SetParentWindow(&dialog, startupContext().glngXlHwnd);
        const MessageOwner messages(&dialog);
        showModal(dialog);
        option = dialog.optionChosen();
    }
    if (option)
        form.option();
}

} // namespace picrows
