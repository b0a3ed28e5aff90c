#pragma once

#include <QDialog>

class QGridLayout;
class QLabel;

namespace picrows {

// The about dialog: the versions and dates of the main program and the add-ins. The 64-bit
// variant (a 64-bit host uses the macro workbook instead of the add-ins) has no menu add-in
// row, and its ribbon row shows only the macro workbook's date.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    enum class Bits
    {
        Host32,
        Host64
    };

    explicit frmAbout(Bits bits, QWidget* parent = nullptr);

    // What a row shows for a file that is not there.
    static QString notFoundVersion(); // "見つかりません"
    static QString notFoundDate();    // "----/--/--"
    // The maker's home page, opened by the link.
    static QString homePage();

private:
    QLabel* addRow(const QString& key, const QString& name, const QString& version,
                   const QString& date);
    void openHomePage();

    QGridLayout* m_rows;
    int m_rowCount = 0;
};

} // namespace picrows
