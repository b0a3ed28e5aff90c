// The options of frmGet: read from the settings when the dialog opens, kept consistent while
// it is open, copied into a run's options, written back when it closes.
#include "main/controls/use_text_box.h"
#include "main/controls/window_services.h"
#include "main/insert_dialog/dialog_icons.h"
#include "main/insert_dialog/drop_tip.h"
#include "main/insert_dialog/frm_get.h"
#include "main/insert_dialog/picture_list_view.h"
#include "main/insert_dialog/point_squares.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include <cmath>

namespace picrows {

namespace {

// The size mode of the selected item (its tag), none while no item is selected.
std::optional<std::int32_t> sizeTag(const QComboBox& combo)
{
    if (combo.currentIndex() < 0)
        return std::nullopt;
    return std::int32_t(combo.currentData().toInt());
}

std::int32_t rounded(double value)
{
    return std::int32_t(std::nearbyint(value));
}

} // namespace

void frmGet::loadOptions()
{
    const c_Setting& s = m_setting;
    if (s.IsClicMode) {
        const QSignalBlocker block(m_btnClickMode);
        m_btnClickMode->setChecked(true);
        m_btnClickMode->setIcon(dialogIcon(QStringLiteral("CLICKMODE_CHECK")));
        m_btnExcelMode->setEnabled(false);
        m_btnSelectedMode->setEnabled(false);
    }
    const double tpp = twipsPerPixel(this);
    const float widths[] = {s.InsertListWidth_1, s.InsertListWidth_2, s.InsertListWidth_3,
                            s.InsertListWidth_4, s.InsertListWidth_5};
    for (int column = 0; column < 5; ++column)
        m_list->setColumnWidth(column, int(std::lround(widths[column] / tpp)));
    m_icboResize->setCurrentIndex(m_icboResize->findData(s.PasteSize));
    m_picPastePoint->choose(s.PastePoint);
    m_chkPasteInfo->setChecked(s.PasteInfo);
    m_txtPasteInfo->setPlainText(s.PasteInfo_Value);
    if (s.PasteInfo_Type >= 0 && s.PasteInfo_Type < m_cboPasteInfoType->count())
        m_cboPasteInfoType->setCurrentIndex(s.PasteInfo_Type);
    m_utxtPasteInfoX->setNumText(s.PasteInfo_X);
    m_utxtPasteInfoY->setNumText(s.PasteInfo_Y);
    m_picPasteInfoPoint->choose(s.PasteInfo_Point);
    m_chkPasteInfoGroup->setChecked(s.PasteInfo_Group);
}

void frmGet::refreshControls()
{
    if (m_loading)
        return;
    m_loading = true;

    m_list->setEnabled(!m_busyAdding);
    m_cmdCancelNotVisible->setEnabled(!m_busyAdding);

    const std::int32_t size = sizeTag(*m_icboResize).value_or(-1);
    const bool points = size == 1 || size == 2;
    m_picPastePoint->setEnabled(points);
    m_lblPastePoint->setEnabled(points);

    const bool info = m_chkPasteInfo->isChecked();
    m_txtPasteInfo->setEnabled(info);
    QPalette palette = m_txtPasteInfo->palette();
    palette.setColor(QPalette::Base,
                     info ? QColor(Qt::white) : this->palette().color(QPalette::Window));
    m_txtPasteInfo->setPalette(palette);
    m_tlbPasteInfo->setEnabled(info);
    m_cboPasteInfoType->setEnabled(info);
    const int type = m_cboPasteInfoType->currentIndex();
    const bool intoCell = info && type == 0;
    const bool asTextBox = info && type == 1;
    m_utxtPasteInfoX->setEnabledState(intoCell);
    m_utxtPasteInfoY->setEnabledState(intoCell);
    m_lblPasteInfoX->setEnabled(intoCell);
    m_lblPasteInfoY->setEnabled(intoCell);
    m_picPasteInfoPoint->setEnabled(asTextBox);
    m_lblPasteInfoPoint->setEnabled(asTextBox);
    m_chkPasteInfoGroup->setEnabled(asTextBox);

    // The drop tip covers the empty list, except while an addition hides the list.
    m_dropTip->setVisible(m_pictures.isEmpty() && !m_busyAdding);
    const int selected = m_list->selectedRow();
    const int count = m_pictures.count();
    m_btnDel->setEnabled(selected >= 0);
    m_btnUp->setEnabled(selected > 0);
    m_btnDown->setEnabled(selected >= 0 && selected < count - 1);

    m_loading = false;
}

void frmGet::applyPasteInfoHeight()
{
    const double tpp = twipsPerPixel(this);
    const bool checked = m_chkPasteInfo->isChecked();
    m_pasteInfoBody->setVisible(checked);
    m_pasteInfoPanel->setFixedHeight(int(std::lround((checked ? 2608 : 420) / tpp)));
}

void frmGet::insertIntoTemplate(const QString& text)
{
    QTextCursor cursor = m_txtPasteInfo->textCursor();
    cursor.insertText(text);
    m_txtPasteInfo->setTextCursor(cursor);
    m_txtPasteInfo->setFocus();
}

void frmGet::resetStatus()
{
    m_status->reset();
}

RunOptions frmGet::runOptionsFromControls() const
{
    RunOptions options = RunOptions::from(m_setting);
    options.glngPasteSize = sizeTag(*m_icboResize).value_or(m_setting.PasteSize);
    const int point = m_picPastePoint->chosen();
    options.glngPastePoint = point >= 0 ? point : m_setting.PastePoint;
    options.gblnPasteInfo = m_chkPasteInfo->isChecked();
    options.gintPasteInfo_Type = std::int16_t(m_cboPasteInfoType->currentIndex());
    options.gstrPasteInfo_Value = m_txtPasteInfo->toPlainText();
    options.glngPasteInfo_X = rounded(m_utxtPasteInfoX->NumText());
    options.glngPasteInfo_Y = rounded(m_utxtPasteInfoY->NumText());
    const int infoPoint = m_picPasteInfoPoint->chosen();
    options.gintPasteInfo_Point =
        std::int16_t(infoPoint >= 0 ? infoPoint : m_setting.PasteInfo_Point);
    options.gblnPasteInfo_Group = m_chkPasteInfoGroup->isChecked();
    return options;
}

void frmGet::storeOptions()
{
    c_Setting& s = m_setting;
    s.IsClicMode = m_btnClickMode->isChecked();
    if (const auto size = sizeTag(*m_icboResize))
        s.PasteSize = *size;
    if (const int point = m_picPastePoint->chosen(); point >= 0)
        s.PastePoint = point;
    s.PasteInfo = m_chkPasteInfo->isChecked();
    s.PasteInfo_Value = m_txtPasteInfo->toPlainText();
    s.PasteInfo_Type = std::int16_t(m_cboPasteInfoType->currentIndex());
    s.PasteInfo_X = rounded(m_utxtPasteInfoX->NumText());
    s.PasteInfo_Y = rounded(m_utxtPasteInfoY->NumText());
    if (const int point = m_picPasteInfoPoint->chosen(); point >= 0)
        s.PasteInfo_Point = std::int16_t(point);
    s.PasteInfo_Group = m_chkPasteInfoGroup->isChecked();
    const double tpp = twipsPerPixel(this);
    s.InsertListWidth_1 = float(m_list->columnWidth(0) * tpp);
    s.InsertListWidth_2 = float(m_list->columnWidth(1) * tpp);
    s.InsertListWidth_3 = float(m_list->columnWidth(2) * tpp);
}

} // namespace picrows
