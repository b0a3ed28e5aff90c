#pragma once

#include "host/xl/application.h"
#include "host/xl/range.h"
#include "main/engine/picture_list.h"
#include "main/engine/run_paste.h"
#include "main/engine/status_panel.h"
#include "main/excluded_cells/frm_show_jogai_msg.h"
#include "main/insert_dialog/insert_runners.h"
#include "main/settings/setting.h"

#include <QDialog>

#include <cstdint>
#include <memory>

class QComboBox;
class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTimer;
class QToolButton;

namespace platform {
class SettingsStore;
}

namespace picrows {

class DialogManualFill;

class c_AppWithEvents;
class DropTip;
class PictureListModel;
class PictureListView;
class PointSquares;
class ThumbnailLoader;
class useTextBox;

// Panel 1 of the dialog's status bar for the engine's progress texts; panel 2 the version.
class DialogStatusPanel : public StatusPanel
{
public:
    DialogStatusPanel(QLabel* panel1, QLabel* panel2) : m_panel1(panel1), m_panel2(panel2) {}
    void setText(const QString& text) override;
    void reset() override; // panel 1 empty, panel 2 "Ver." and the program's version

private:
    QLabel* m_panel1;
    QLabel* m_panel2;
};

// The main insertion dialog: the pictures still to insert, the options of a run and the three
// buttons that start one, the clipboard watch, the mode buttons' tooltip pictures and the
// watch over the host's window. It works on the start-up context (the attached host, its
// window, the settings object and store), which must be filled while it lives.
//
// Controls carry their names as object names (`lstFiles`, `icboResize`, `picPastePoint(2)`,
// `utxtPasteInfo_X`, …); toolbar buttons the keys of their buttons ("OPEN", "SELECTEDMODE", …).
class frmGet : public QDialog, public InsertionDialogLink
{
    Q_OBJECT

public:
    explicit frmGet(QWidget* parent = nullptr);
    ~frmGet() override;

    // gcolPictureFiles: the pictures still to insert, which the list shows item by item.
    PictureList& pictureFiles() { return m_pictures; }
    const PictureList& pictureFiles() const { return m_pictures; }

    // Runs one insertion: mode 1 the host's standard way, 2 into the selected cells, 3 into
    // `target` while the click-mode button is down (the host's selection events call this).
    void RunGoPaste(std::int16_t mode, const xl::Range& target);
    // The mode buttons' tooltips follow ShowToolTipImages.
    void SetToolTip() override;
    // Entry 1 leaves the list.
    void RemoveFastList();

    // The host event sink that lives as long as the dialog; released when it closes.
    void setEventSink(std::unique_ptr<c_AppWithEvents> sink);
    c_AppWithEvents* eventSink() const { return m_sink.get(); }
    void setRunners(InsertRunners runners) { m_runners = std::move(runners); }

    bool isBusyAdding() const { return m_busyAdding; }
    bool isRunning() const { return m_runDepth > 0; }
    // The closing steps have run: timers stopped, captures deleted, options stored.
    bool hasClosed() const { return m_closed; }
    // The temporary files the clipboard watch made.
    const QStringList& capturedFiles() const { return m_captures; }

    PictureListView* lstFiles() const { return m_list; }
    PictureListModel* listModel() const { return m_model; }
    ThumbnailLoader* thumbnails() const { return m_loader; } // none without thumbnails
    // The run options as a run starting now copies them from the controls.
    RunOptions runOptionsFromControls() const;

    static QString formName(); // "frmGet"
    // The dialog's least size in twips.
    static constexpr int kMinWidthTwips = 3800;
    static constexpr int kMinHeightTwips = 7800;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building and opening (frm_get.cpp).
    void buildControls();
    QWidget* buildModeBar();
    QWidget* buildFileBar();
    QWidget* buildListArea();
    QWidget* buildSizeOptions();
    QWidget* buildPasteInfo();
    void placeWindow();
    void Form_Load();

    // The list (frm_get_list.cpp).
    void openFiles();
    void deleteSelected();
    void moveSelected(int direction);
    void sortByColumn(int column);
    void clearSortIndicator();
    void showPropertiesMenu(const QPoint& globalPosition);
    void addDropped(const QStringList& paths);
    void prioritiseThumbnails(int first, int last);

    // Options (frm_get_options.cpp).
    void loadOptions();
    void refreshControls();
    void storeOptions();
    void insertIntoTemplate(const QString& text);
    void applyPasteInfoHeight();
    void resetStatus();

    // Runs (frm_get_run.cpp).
    void modeButton(std::int16_t mode, QToolButton* button);
    void setContentEnabled(bool enabled);
    void clickModeToggled(bool pressed);

    // Timers and the mode toolbar hook (frm_get_watch.cpp).
    void clipButtonToggled(bool pressed);
    void timClipboard_Timer();
    void timToolTips_Timer();
    void timCheckXlhandle_Timer();
    void modeBarMouseMove(int x);
    void showTipPicture(int button);
    void hideTipPicture();

    // Closing.
    bool closeRefused() const;
    void closingSteps();

    // The start-up context this dialog works on.
    c_Setting& m_setting;
    platform::SettingsStore& m_store;
    xl::Application m_app;
    std::int32_t m_hostWindow = 0;

    PictureList m_pictures;
    PictureListModel* m_model = nullptr;
    ThumbnailLoader* m_loader = nullptr;
    std::unique_ptr<c_AppWithEvents> m_sink;
    InsertRunners m_runners;
    // The trimming dialog's fill, made for the first run that needs it.
    std::unique_ptr<DialogManualFill> m_manualFill;
    std::unique_ptr<JogaiMsgView> m_exclusionView;
    std::unique_ptr<DialogStatusPanel> m_status;

    // Controls.
    PictureListView* m_list = nullptr;
    DropTip* m_dropTip = nullptr;
    QLabel* m_loadingLabel = nullptr;
    QWidget* m_listArea = nullptr;
    QToolButton* m_btnOpen = nullptr;
    QToolButton* m_btnDel = nullptr;
    QToolButton* m_btnUp = nullptr;
    QToolButton* m_btnDown = nullptr;
    QToolButton* m_btnClip = nullptr;
    QComboBox* m_icboResize = nullptr;
    QLabel* m_lblPastePoint = nullptr;
    PointSquares* m_picPastePoint = nullptr;
    QLabel* m_lblOptionSize = nullptr;
    QWidget* m_pasteInfoPanel = nullptr;
    QWidget* m_pasteInfoBody = nullptr;
    QCheckBox* m_chkPasteInfo = nullptr;
    QLabel* m_lblOptionPasteInfo = nullptr;
    QPlainTextEdit* m_txtPasteInfo = nullptr;
    QWidget* m_tlbPasteInfo = nullptr;
    QComboBox* m_cboPasteInfoType = nullptr;
    QLabel* m_lblPasteInfoX = nullptr;
    QLabel* m_lblPasteInfoY = nullptr;
    useTextBox* m_utxtPasteInfoX = nullptr;
    useTextBox* m_utxtPasteInfoY = nullptr;
    QLabel* m_lblPasteInfoPoint = nullptr;
    PointSquares* m_picPasteInfoPoint = nullptr;
    QCheckBox* m_chkPasteInfoGroup = nullptr;
    QWidget* m_tlbGo = nullptr;
    QToolButton* m_btnExcelMode = nullptr;
    QToolButton* m_btnSelectedMode = nullptr;
    QToolButton* m_btnClickMode = nullptr;
    QToolButton* m_btnEnd = nullptr;
    QPushButton* m_cmdCancelNotVisible = nullptr;
    QStatusBar* m_stbMain = nullptr;
    QLabel* m_picToolTip = nullptr;
    QTimer* m_timClipboard = nullptr;
    QTimer* m_timToolTips = nullptr;
    QTimer* m_timCheckXlhandle = nullptr;

    // Dialog flags.
    bool m_loading = false;
    bool m_busyAdding = false;
    int m_runDepth = 0; // runs in progress, one inside the other in click mode
    bool m_closed = false;
    bool m_shown = false;

    int m_sortColumn = -1; // the list's sort column, -1 while unsorted
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    QStringList m_captures;
    bool m_tipHook = false; // the mode toolbar's tooltip pictures are on
    int m_tipShown = 0;     // the mode button whose picture shows (1, 2 or 4), 0 none
};

} // namespace picrows
