#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace picrows {

class TemplateSaveForm;

// The template-save dialog: the book name and the sheet name over the form's rules. OK is
// enabled while both are filled in; names a file name cannot hold are refused and the dialog
// stays open.
class frmTemplateSave : public QDialog
{
    Q_OBJECT

public:
    explicit frmTemplateSave(TemplateSaveForm& form, QWidget* parent = nullptr);

    QLineEdit* txtName1 = nullptr;
    QLineEdit* txtName2 = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

private:
    void fieldsChanged();
    void cmdOK_Click();

    TemplateSaveForm& m_form;
};

// Shows the dialog for the template-save command, owned by the host's main window.
void showTemplateSaveForm(TemplateSaveForm& form);

} // namespace picrows
