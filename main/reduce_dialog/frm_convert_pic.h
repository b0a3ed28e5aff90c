#pragma once

#include "host/xl/application.h"
#include "main/reduce/reduce_row.h"
#include "main/reduce/reduce_run.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace picrows {

class c_Setting;
class useTextBox;

// The reduction tool's dialog: scope, factor and cut options, and the result list that a run
// fills. While a run is in progress the start button reads "キャンセル" and is the button that
// Escape presses, closing the dialog asks to cancel instead, and the run stops after the
// current picture once the user confirms. The options are stored into the settings when the
// dialog closes while idle. A click on a result row selects its object in the host.
class frmConvertPic : public QDialog, private ReduceView
{
    Q_OBJECT

public:
    // Makes the run that reports to the dialog; the command gives it the host's clipboard.
    using RunFactory = std::function<std::unique_ptr<ReduceRun>(ReduceView&)>;

    frmConvertPic(c_Setting& setting, const xl::Application& app, const RunFactory& makeRun,
                  QWidget* parent = nullptr);
    ~frmConvertPic() override;

    bool isRunning() const { return m_running; }
    // The rows of the last run, in list order.
    const std::vector<ReduceRow>& rows() const { return m_rows; }

    // The small icon of a result row by its key ("SEIKOU", "SHIPPAI", "HITSUYOUNASHI").
    static QIcon kekkaIcon(const QString& key);
    // Where a row keeps its icon key.
    static constexpr int kIconKeyRole = Qt::UserRole + 1;

    std::array<QLabel*, 2> lblTaisyou{};
    QComboBox* cboTaisyou = nullptr;
    QCheckBox* chkSyukusyou = nullptr;
    std::array<QLabel*, 2> lblSyukusyou{};
    useTextBox* utxtSyukusyou = nullptr;
    QCheckBox* chkCutTrimming = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QTreeWidget* lstKekka = nullptr;

public Q_SLOTS:
    // Closing while idle stores the options; while a run is in progress it asks to cancel.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void addRow(const ReduceRow& row) override;
    void setProgress(const QString& caption) override;
    void cancelDeclined() override;

    void buildControls();
    void applyEnablingRule();
    void setOptionsEnabled(bool enabled);
    ReduceOptions optionsFromControls() const;
    void cmdOK_Click();
    void lstKekka_ItemClick(QTreeWidgetItem* item);

    c_Setting& m_setting;
    xl::Application m_app;
    std::unique_ptr<ReduceRun> m_run;
    std::vector<ReduceRow> m_rows;
    bool m_running = false;
};

} // namespace picrows
