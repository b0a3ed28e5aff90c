#pragma once

#include "main/engine/run_outcome.h"

#include <QDialog>

class QTreeWidget;

namespace picrows {

// The list of the cells a run skipped, one row per exclusion entry: the address under
// "除外セル", the reason under "原因". A header click sorts by that column's text, a second
// click on the same header the other way round.
class frmShowJogaiMsg : public QDialog
{
    Q_OBJECT

public:
    // `owner` is the dialog the list belongs to (the insertion dialog); without one the host's
    // main window owns it.
    explicit frmShowJogaiMsg(QWidget* owner = nullptr);

    // One row: the entry's text before its tab, and after it.
    void addEntry(const QString& entry);

    QTreeWidget* lstJogaiMsg() const { return m_list; }

private:
    void lstJogaiMsg_ColumnClick(int column);

    QTreeWidget* m_list;
    bool m_sorted = false;
    int m_sortColumn = 0;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

// Shows a run's exclusions in frmShowJogaiMsg, modally, owned by `owner`.
class JogaiMsgView : public ExclusionListView
{
public:
    explicit JogaiMsgView(QWidget* owner) : m_owner(owner) {}
    void showExclusions(const QStringList& entries) override;

private:
    QWidget* m_owner;
};

} // namespace picrows
