#pragma once

#include "host_app/ribbon/ribbon_objects.h"
#include "host_app/ribbon/ribbon_widget.h"

#include <QHBoxLayout>

class QLabel;

namespace host_app {

// An add-in whose markup the ribbon shows.
struct RibbonWidget::AddIn
{
    QString progId;
    host::ObjectRef object;             // the published object the callbacks are called on
    QString loadImage;                  // the customUI's loadImage callback
    QHash<QString, QString> repurposed; // idMso in lower case → onAction callback
    std::shared_ptr<RibbonUi> ui;
};

// A control, group or menu item of the ribbon, with the markup that describes it; no owner
// for the host's own.
struct RibbonWidget::Item
{
    std::shared_ptr<AddIn> owner;
    RibbonNode node;
    QToolButton* button = nullptr;
    QAction* action = nullptr;
    QLabel* label = nullptr; // a group's caption or a label control
    QWidget* widget = nullptr;
    bool imageRead = false;  // cleared by an invalidation
    bool ownsWidget = false; // a group frame the owner's markup made (not a built-in group)
};

struct RibbonWidget::Tab
{
    QString idMso;
    QString label;
    QString keytip;
    bool contextual = false; // shown while a picture is selected
    bool hosts = false;      // one of the host's own tabs, kept when add-ins go
    QWidget* page = nullptr;
    QHBoxLayout* groups = nullptr;
};

} // namespace host_app
