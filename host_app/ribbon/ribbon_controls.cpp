#include "host/automation/host_error.h"
#include "host/automation/picture_disp.h"
#include "host/objects/application.h"
#include "host/objects/built_in_bars.h"
#include "host/objects/mso_images.h"
#include "host/objects/picture_commands.h"
#include "host/xl/xl.h"
#include "host_app/ribbon/ribbon_objects.h"
#include "host_app/ribbon/ribbon_parts.h"
#include "host_app/ribbon/ribbon_widget.h"

#include <QBoxLayout>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

namespace host_app {

namespace {

QIcon pictureIcon(const host::Variant& picture)
{
    const auto disp = host::pictureOf(picture.isObject() ? picture.toObject() : nullptr);
    if (!disp)
        return {};
    return QIcon(QPixmap::fromImage(QImage::fromData(disp->png(), "PNG")));
}

QIcon builtInIcon(const QString& idMso, int size)
{
    const QImage image = host::objects::builtInImage(idMso, size, size);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}

// The number of a size edit: the selected shapes' Height or Width in points.
xl::Object selectionRange(host::objects::Application& app)
{
    const xl::Object selection(host::Variant(app.selection()));
    return xl::Object(selection.get(QStringLiteral("ShapeRange")));
}

} // namespace

host::Variant RibbonWidget::callback(const AddIn& owner, const QString& name,
                                     const QString& controlId, const QString& tag)
{
    try {
        return host::deref(owner.object)
            .call(name, {host::Variant(
                            host::ObjectRef(std::make_shared<RibbonControl>(controlId, tag)))});
    } catch (const host::HostError&) {
        return {};
    }
}

void RibbonWidget::addControl(const std::shared_ptr<AddIn>& owner, QBoxLayout& into,
                              const RibbonNode& node, QWidget* parent)
{
    const QString kind = node.kind;
    if (kind == u"box") {
        auto* box =
            new QBoxLayout(node.attr("boxStyle") == u"horizontal" ? QBoxLayout::LeftToRight
                                                                  : QBoxLayout::TopToBottom);
        box->setSpacing(0);
        for (const RibbonNode& child : node.children)
            addControl(owner, *box, child, parent);
        box->addStretch(1);
        into.addLayout(box);
        return;
    }
    if (kind == u"separator") {
        auto* line = new QFrame(parent);
        line->setFrameShape(QFrame::VLine);
        into.addWidget(line);
        return;
    }
    if (node.has("idMso") && !node.has("id")) {
        if (QWidget* w = builtInControl(node.attr("idMso"), node.attr("size"), parent))
            into.addWidget(w);
        return;
    }
    auto item = std::make_unique<Item>();
    item->owner = owner;
    item->node = node;
    if (kind == u"labelControl") {
        item->label = new QLabel(parent);
        item->widget = item->label;
        into.addWidget(item->label);
    } else if (kind == u"button" || kind == u"menu") {
        auto* button = new QToolButton(parent);
        button->setObjectName(node.controlId());
        button->setAutoRaise(true);
        const bool large = node.attr("size") == u"large";
        button->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
        if (node.attr("showLabel") == u"false")
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
        else
            button->setToolButtonStyle(large ? Qt::ToolButtonTextUnderIcon
                                             : Qt::ToolButtonTextBesideIcon);
        if (kind == u"menu") {
            auto* menu = new QMenu(button);
            for (const RibbonNode& child : node.children) {
                if (child.kind == u"menuSeparator") {
                    menu->addSeparator();
                    continue;
                }
                if (child.kind != u"button")
                    continue;
                auto sub = std::make_unique<Item>();
                sub->owner = owner;
                sub->node = child;
                sub->action = menu->addAction(QString());
                sub->action->setObjectName(child.controlId());
                const Item* raw = sub.get();
                connect(sub->action, &QAction::triggered, this, [this, raw] { press(*raw); });
                m_items.push_back(std::move(sub));
            }
            button->setMenu(menu);
            button->setPopupMode(QToolButton::InstantPopup);
        } else {
            const Item* raw = item.get();
            connect(button, &QToolButton::clicked, this, [this, raw] { press(*raw); });
        }
        item->button = button;
        item->widget = button;
        into.addWidget(button);
    } else {
        return;
    }
    m_items.push_back(std::move(item));
}

QWidget* RibbonWidget::builtInControl(const QString& idMso, const QString& size, QWidget* parent)
{
    const QString key = idMso.toLower();
    if (key == u"shapeheight" || key == u"shapewidth") {
        auto* row = new QWidget(parent);
        auto* layout = new QHBoxLayout(row);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(new QLabel(host::objects::builtInLabel(idMso), row));
        auto* edit = new QDoubleSpinBox(row);
        edit->setObjectName(idMso);
        edit->setRange(0, 4000);
        edit->setDecimals(2);
        edit->setSuffix(QStringLiteral(" pt"));
        edit->setKeyboardTracking(false);
        layout->addWidget(edit);
        const QString member =
            key == u"shapeheight" ? QStringLiteral("Height") : QStringLiteral("Width");
        connect(edit, &QDoubleSpinBox::valueChanged, this, [this, member, edit](double value) {
            if (edit->property("refreshing").toBool())
                return;
            try {
                selectionRange(m_app).let(member, host::Variant(value));
            } catch (const host::HostError& e) {
                report(e.description());
            }
        });
        auto item = std::make_unique<Item>();
        item->node.kind = QStringLiteral("sizeEdit");
        item->node.attributes.insert(QStringLiteral("idMso"), idMso);
        item->widget = edit;
        m_items.push_back(std::move(item));
        return row;
    }
    const bool large = size == u"large" || key == u"picturecrop" || key == u"picturecroptools" ||
                       key == u"pictureinsertfromfile";
    auto* button = new QToolButton(parent);
    button->setObjectName(idMso);
    button->setAutoRaise(true);
    button->setText(host::objects::builtInLabel(idMso));
    button->setIcon(builtInIcon(idMso, large ? 32 : 16));
    button->setIconSize(large ? QSize(32, 32) : QSize(16, 16));
    button->setToolButtonStyle(large ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonTextBesideIcon);
    connect(button, &QToolButton::clicked, this, [this, idMso] { runRepurposed(idMso); });
    auto item = std::make_unique<Item>();
    item->node.kind = QStringLiteral("builtIn");
    item->node.attributes.insert(QStringLiteral("idMso"), idMso);
    item->button = button;
    item->widget = button;
    m_items.push_back(std::move(item));
    return button;
}

void RibbonWidget::runRepurposed(const QString& idMso)
{
    const QString key = idMso.toLower();
    for (const auto& addIn : m_addIns) {
        const QString onAction = addIn->repurposed.value(key);
        if (onAction.isEmpty())
            continue;
        // The add-in runs the command its way; whatever it answers in fCancelDefault, the host
        // does not run its own command a second time.
        auto cancel = std::make_shared<host::Variant>(false);
        host::Args args{
            host::Variant(host::ObjectRef(std::make_shared<RibbonControl>(idMso, QString())))};
        args.addByRef(cancel);
        try {
            host::deref(addIn->object).call(onAction, args);
        } catch (const host::HostError& e) {
            report(e.description());
        }
        return;
    }
    try {
        const xl::Application app(m_app.shared_from_this());
        if (key == u"pictureinsertfromfile")
            app.CommandBars().FindControl(host::objects::kControlInsertPictureFromFile).Execute();
        else if (key == u"picturecrop" || key == u"picturecroptools")
            app.CommandBars().ExecuteMso(QStringLiteral("PictureCrop"));
        else if (key == u"fileopen")
            app.CommandBars().FindControl(host::objects::kControlOpen).Execute();
        else if (key == u"filesave")
            app.CommandBars().FindControl(host::objects::kControlSave).Execute();
    } catch (const host::HostError& e) {
        report(e.description());
    }
}

void RibbonWidget::press(const Item& item)
{
    const QString onAction = item.node.attr("onAction");
    if (!item.owner || onAction.isEmpty())
        return;
    try {
        host::deref(item.owner->object)
            .call(onAction, {host::Variant(host::ObjectRef(std::make_shared<RibbonControl>(
                                item.node.controlId(), item.node.attr("tag"))))});
    } catch (const host::HostError& e) {
        report(e.description());
    }
    m_refresh.request(1);
}

void RibbonWidget::refreshItem(Item& item)
{
    const RibbonNode& n = item.node;
    const QString id = n.controlId();
    if (!item.owner) {
        const QString key = n.attr("idMso").toLower();
        if (n.kind == u"group" && item.label)
            item.label->setText(host::objects::builtInLabel(n.attr("idMso")));
        if (n.kind == u"sizeEdit") {
            auto* edit = static_cast<QDoubleSpinBox*>(item.widget);
            double value = 0;
            bool ok = host::objects::pictureSelected(m_app);
            if (ok) {
                try {
                    value = selectionRange(m_app)
                                .get(key == u"shapeheight" ? QStringLiteral("Height")
                                                           : QStringLiteral("Width"))
                                .toDouble();
                } catch (const host::HostError&) {
                    ok = false;
                }
            }
            edit->setProperty("refreshing", true);
            edit->setEnabled(ok);
            if (!edit->hasFocus())
                edit->setValue(value);
            edit->setProperty("refreshing", false);
        } else if (key == u"picturecrop" || key == u"picturecroptools") {
            item.widget->setEnabled(host::objects::pictureCropEnabled(m_app));
        } else if (n.kind == u"builtIn") {
            // Only the commands the host carries out are offered.
            static const QStringList working{QStringLiteral("pictureinsertfromfile"),
                                             QStringLiteral("fileopen"),
                                             QStringLiteral("filesave")};
            item.widget->setEnabled(working.contains(key));
        }
        return;
    }
    const AddIn& owner = *item.owner;
    const auto text = [&](const char* getter, const char* fixed) {
        if (n.has(getter))
            return callback(owner, n.attr(getter), id, n.attr("tag")).toString();
        if (n.has(fixed))
            return n.attr(fixed);
        return QString();
    };
    const auto flag = [&](const char* getter, const char* fixed) {
        if (n.has(getter)) {
            const host::Variant v = callback(owner, n.attr(getter), id, n.attr("tag"));
            return v.isEmpty() ? true : v.toBool();
        }
        return n.attr(fixed) != u"false";
    };
    if (n.kind == u"group") {
        if (item.label) {
            QString label = text("getLabel", "label");
            if (label.isEmpty() && n.has("idMso"))
                label = host::objects::builtInLabel(n.attr("idMso"));
            item.label->setText(label);
        }
        item.widget->setVisible(flag("getVisible", "visible"));
        return;
    }
    if (n.kind == u"labelControl") {
        item.label->setText(text("getLabel", "label"));
        item.label->setVisible(flag("getVisible", "visible"));
        return;
    }
    const QString label = text("getLabel", "label");
    const QString screentip = text("getScreentip", "screentip");
    const QString supertip = text("getSupertip", "supertip");
    QString tip;
    if (!screentip.isEmpty() || !supertip.isEmpty())
        tip = QStringLiteral("<b>") + screentip.toHtmlEscaped() + QStringLiteral("</b><br>") +
              supertip.toHtmlEscaped();
    QIcon icon;
    const bool wantsImage = n.has("getImage") || n.has("image") || n.has("imageMso");
    if (wantsImage && !item.imageRead) {
        const int px = n.attr("size") == u"large" ? 32 : 16;
        if (n.has("getImage"))
            icon = pictureIcon(callback(owner, n.attr("getImage"), id, n.attr("tag")));
        else if (n.has("image") && !owner.loadImage.isEmpty()) {
            try {
                icon = pictureIcon(host::deref(owner.object)
                                       .call(owner.loadImage, {host::Variant(n.attr("image"))}));
            } catch (const host::HostError&) {
            }
        } else if (n.has("imageMso"))
            icon = builtInIcon(n.attr("imageMso"), px);
        item.imageRead = true;
    }
    const bool enabled = flag("getEnabled", "enabled");
    const bool visible = flag("getVisible", "visible");
    if (item.button) {
        if (!item.button->property("launcher").toBool())
            item.button->setText(label);
        item.button->setToolTip(tip);
        if (!icon.isNull())
            item.button->setIcon(icon);
        item.button->setEnabled(enabled);
        item.button->setVisible(visible);
    } else if (item.action) {
        item.action->setText(label);
        item.action->setToolTip(tip);
        if (!icon.isNull())
            item.action->setIcon(icon);
        item.action->setEnabled(enabled);
        item.action->setVisible(visible);
    }
}

void RibbonWidget::refreshAll()
{
    for (const auto& item : m_items)
        refreshItem(*item);
    const bool picture = host::objects::pictureSelected(m_app);
    for (const auto& t : m_allTabs) {
        if (!t->contextual)
            continue;
        const int at = m_tabs->indexOf(t->page);
        if (picture && at < 0)
            m_tabs->addTab(t->page, t->label);
        else if (!picture && at >= 0)
            m_tabs->removeTab(at);
    }
}

void RibbonWidget::invalidate(const AddIn* owner, const QString& controlId)
{
    for (const auto& item : m_items)
        if (item->owner.get() == owner &&
            (controlId.isEmpty() || item->node.controlId() == controlId))
            item->imageRead = false;
    m_refresh.request(1);
}

void RibbonWidget::flush()
{
    m_refresh.flush();
    refreshAll();
}

QToolButton* RibbonWidget::buttonFor(const QString& controlId) const
{
    for (const auto& item : m_items)
        if (item->button && item->node.controlId() == controlId)
            return item->button;
    return nullptr;
}

QAction* RibbonWidget::menuItemFor(const QString& controlId) const
{
    for (const auto& item : m_items)
        if (item->action && item->node.controlId() == controlId)
            return item->action;
    return nullptr;
}

} // namespace host_app
