#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace picrows {

class TemplateGetForm;

// The template-open dialog: the template sheets of the template folder and where the chosen
// one goes, over the form the command has loaded. The "オプション" link closes the dialog
// without a choice; the command then opens the settings dialog.
class frmTemplateGet : public QDialog
{
    Q_OBJECT

public:
    explicit frmTemplateGet(TemplateGetForm& form, QWidget* parent = nullptr);

    // The dialog was closed through the "オプション" link.
    bool optionChosen() const { return m_optionChosen; }

    QComboBox* icbTemplate = nullptr;
    QComboBox* icbInsert = nullptr;
    QLabel* lblOption = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void cmdOK_Click();
    void lblOption_Click();

    TemplateGetForm& m_form;
    bool m_optionChosen = false;
};

// Shows the dialog for the template-open command, owned by the host's main window; after the
// "オプション" link, the form's option step (the settings dialog).
void showTemplateGetForm(TemplateGetForm& form);

} // namespace picrows
