#include "host_app/ribbon/ribbon_widget.h"

#include "host/automation/host_error.h"
#include "host/automation/picture_disp.h"
#include "host/objects/application.h"
#include "host/objects/mso_images.h"
#include "host/objects/picture_commands.h"
#include "host_app/model_signals.h"
#include "host_app/ribbon/ribbon_objects.h"
#include "host_app/ribbon/ribbon_parts.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

namespace host_app {

namespace {

QString builtInKeytip(const QString& idMso)
{
    static const QHash<QString, QString> keytips{
        {QStringLiteral("fileopen"), QStringLiteral("O")},
        {QStringLiteral("filesave"), QStringLiteral("S")},
        {QStringLiteral("pictureinsertfromfile"), QStringLiteral("P")},
        {QStringLiteral("picturecrop"), QStringLiteral("C")},
        {QStringLiteral("picturecroptools"), QStringLiteral("C")}};
    return keytips.value(idMso.toLower());
}

} // namespace

RibbonWidget::RibbonWidget(host::objects::Application& app, ModelSignals& signals, QWidget* parent)
    : QWidget(parent), m_app(app), m_tabs(new QTabWidget(this)),
      m_refresh([this](unsigned) { refreshAll(); })
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tabs);
    m_tabs->setDocumentMode(true);
    setObjectName(QStringLiteral("ribbon"));
    buildBuiltInTabs();
    qApp->installEventFilter(this);
    connect(&signals, &ModelSignals::anyChanged, this, [this] { m_refresh.request(1); });
    refreshAll();
}

RibbonWidget::~RibbonWidget()
{
    for (const auto& addIn : m_addIns)
        if (addIn->ui)
            addIn->ui->detach();
}

void RibbonWidget::report(const QString& text) const
{
    platform::showMessage(text, platform::MsgButtons::OK, platform::MsgIcon::Critical,
                          m_app.caption());
}

RibbonWidget::Tab& RibbonWidget::tab(const QString& idMso, const QString& label, bool contextual)
{
    for (const auto& t : m_allTabs)
        if (t->idMso.compare(idMso, Qt::CaseInsensitive) == 0)
            return *t;
    auto t = std::make_unique<Tab>();
    t->idMso = idMso;
    t->label = label.isEmpty() ? host::objects::builtInLabel(idMso) : label;
    if (t->label.isEmpty())
        t->label = idMso;
    t->contextual = contextual;
    static const QHash<QString, QString> tabKeytips{
        {QStringLiteral("tabhome"), QStringLiteral("H")},
        {QStringLiteral("tabinsert"), QStringLiteral("N")},
        {QStringLiteral("tabaddins"), QStringLiteral("X")},
        {QStringLiteral("tabpicturetoolsformat"), QStringLiteral("J")}};
    t->keytip = tabKeytips.value(idMso.toLower());
    t->page = new QWidget;
    t->groups = new QHBoxLayout(t->page);
    t->groups->setContentsMargins(4, 2, 4, 2);
    t->groups->addStretch(1);
    if (!contextual)
        m_tabs->addTab(t->page, t->label);
    m_allTabs.push_back(std::move(t));
    return *m_allTabs.back();
}

void RibbonWidget::buildBuiltInTabs()
{
    RibbonNode home;
    home.kind = QStringLiteral("tab");
    home.attributes.insert(QStringLiteral("idMso"), QStringLiteral("TabHome"));
    const auto group = [](const char* idMso, std::initializer_list<const char*> controls) {
        RibbonNode g;
        g.kind = QStringLiteral("group");
        g.attributes.insert(QStringLiteral("idMso"), QLatin1String(idMso));
        for (const char* c : controls) {
            RibbonNode n;
            n.kind = QStringLiteral("control");
            n.attributes.insert(QStringLiteral("idMso"), QLatin1String(c));
            n.attributes.insert(QStringLiteral("size"), QStringLiteral("large"));
            g.children.push_back(n);
        }
        return g;
    };
    home.children.push_back(group("GroupFile", {"FileOpen", "FileSave"}));
    RibbonNode insert;
    insert.kind = QStringLiteral("tab");
    insert.attributes.insert(QStringLiteral("idMso"), QStringLiteral("TabInsert"));
    insert.children.push_back(group("GroupIllustrations", {"PictureInsertFromFile"}));
    RibbonNode format;
    format.kind = QStringLiteral("tab");
    format.attributes.insert(QStringLiteral("idMso"), QStringLiteral("TabPictureToolsFormat"));
    RibbonNode size = group("GroupPictureSize", {"PictureCrop"});
    RibbonNode box;
    box.kind = QStringLiteral("box");
    for (const char* c : {"ShapeHeight", "ShapeWidth"}) {
        RibbonNode n;
        n.kind = QStringLiteral("control");
        n.attributes.insert(QStringLiteral("idMso"), QLatin1String(c));
        box.children.push_back(n);
    }
    size.children.push_back(box);
    format.children.push_back(size);
    addTab(nullptr, home, false);
    addTab(nullptr, insert, false);
    addTab(nullptr, format, true);
    for (const auto& t : m_allTabs)
        t->hosts = true;
}

bool RibbonWidget::addCustomUI(const QString& progId, const host::ObjectRef& addin,
                               const QString& markup)
{
    if (markup.trimmed().isEmpty())
        return true;
    const ParsedMarkup parsed = parseRibbonMarkup(markup);
    if (!parsed.root) {
        report(QStringLiteral("アドイン ") + progId +
               QStringLiteral(" のリボンのマークアップを読み込めません。\r\n") + parsed.error);
        return false;
    }
    if (!parsed.unknown.isEmpty())
        report(QStringLiteral("アドイン ") + progId +
               QStringLiteral(" のリボンのマークアップに不明な要素があります。無視します。\r\n") +
               parsed.unknown.join(QStringLiteral("\r\n")));
    auto owner = std::make_shared<AddIn>();
    owner->progId = progId;
    owner->object = addin;
    owner->loadImage = parsed.root->attr("loadImage");
    m_addIns.push_back(owner);
    for (const RibbonNode& section : parsed.root->children) {
        if (section.kind == u"commands") {
            for (const RibbonNode& command : section.children)
                if (command.has("idMso") && command.has("onAction"))
                    owner->repurposed.insert(command.attr("idMso").toLower(),
                                             command.attr("onAction"));
        } else if (section.kind == u"ribbon") {
            for (const RibbonNode& part : section.children) {
                if (part.kind == u"tabs") {
                    for (const RibbonNode& t : part.children)
                        addTab(owner, t, false);
                } else if (part.kind == u"contextualTabs") {
                    for (const RibbonNode& set : part.children)
                        for (const RibbonNode& t : set.children)
                            addTab(owner, t, true);
                }
            }
        }
    }
    const QString onLoad = parsed.root->attr("onLoad");
    if (!onLoad.isEmpty()) {
        const AddIn* raw = owner.get();
        owner->ui =
            std::make_shared<RibbonUi>([this, raw](const QString& id) { invalidate(raw, id); });
        try {
            host::deref(addin).call(onLoad, {host::Variant(host::ObjectRef(owner->ui))});
        } catch (const host::HostError& e) {
            report(e.description());
        }
    }
    refreshAll();
    return true;
}

void RibbonWidget::addTab(const std::shared_ptr<AddIn>& owner, const RibbonNode& node,
                          bool contextual)
{
    if (node.kind != u"tab")
        return;
    Tab& t = tab(node.controlId(), node.attr("label"), contextual);
    for (const RibbonNode& g : node.children)
        if (g.kind == u"group")
            addGroup(owner, t, g);
}

void RibbonWidget::addGroup(const std::shared_ptr<AddIn>& owner, Tab& into, const RibbonNode& node)
{
    const QString id = node.controlId();
    QWidget* existing = m_groups.value(id.toLower());
    if (node.has("idMso") && existing) {
        // An add-in's mention of a built-in group: its visibility callback applies to the host's.
        auto item = std::make_unique<Item>();
        item->owner = owner;
        item->node = node;
        item->widget = existing;
        m_items.push_back(std::move(item));
        return;
    }
    auto* frame = new QFrame(into.page);
    frame->setObjectName(id);
    frame->setFrameShape(QFrame::StyledPanel);
    auto* column = new QVBoxLayout(frame);
    column->setContentsMargins(3, 2, 3, 1);
    column->setSpacing(1);
    auto* row = new QHBoxLayout;
    column->addLayout(row, 1);
    auto* captionRow = new QHBoxLayout;
    auto* caption = new QLabel(frame);
    caption->setAlignment(Qt::AlignCenter);
    captionRow->addWidget(caption, 1);
    column->addLayout(captionRow);
    for (const RibbonNode& child : node.children) {
        if (child.kind == u"dialogBoxLauncher") {
            auto* launcherRow = new QHBoxLayout;
            for (const RibbonNode& b : child.children)
                addControl(owner, *launcherRow, b, frame);
            for (int i = 0; i < launcherRow->count(); ++i)
                if (auto* tb = qobject_cast<QToolButton*>(launcherRow->itemAt(i)->widget())) {
                    tb->setToolButtonStyle(Qt::ToolButtonIconOnly);
                    tb->setText(QStringLiteral("↘"));
                    tb->setProperty("launcher", true);
                    tb->setAutoRaise(true);
                }
            captionRow->addLayout(launcherRow);
        } else {
            addControl(owner, *row, child, frame);
        }
    }
    int at = into.groups->count() - 1; // before the stretch
    if (node.has("insertAfterMso"))
        if (QWidget* after = m_groups.value(node.attr("insertAfterMso").toLower()))
            at = into.groups->indexOf(after) + 1;
    into.groups->insertWidget(at, frame);
    m_groups.insert(id.toLower(), frame);
    auto item = std::make_unique<Item>();
    item->owner = owner;
    item->node = node;
    item->label = caption;
    item->widget = frame;
    item->ownsWidget = owner != nullptr;
    m_items.push_back(std::move(item));
}

bool RibbonWidget::removeCustomUI(const QString& progId)
{
    const auto at = std::find_if(m_addIns.begin(), m_addIns.end(), [&](const auto& a) {
        return a->progId.compare(progId, Qt::CaseInsensitive) == 0;
    });
    if (at == m_addIns.end())
        return false;
    const std::shared_ptr<AddIn> owner = *at;
    m_addIns.erase(at);
    if (owner->ui)
        owner->ui->detach();

    std::vector<QWidget*> frames;
    for (const auto& item : m_items)
        if (item->owner == owner && item->ownsWidget)
            frames.push_back(item->widget);
    const auto inRemovedFrame = [&](const QObject* object) {
        for (QWidget* frame : frames)
            for (const QObject* o = object; o; o = o->parent())
                if (o == frame)
                    return true;
        return false;
    };
    std::erase_if(m_items, [&](const std::unique_ptr<Item>& item) {
        if (item->owner != owner && !inRemovedFrame(item->widget) && !inRemovedFrame(item->button))
            return false;
        // A built-in group the add-in hid shows again.
        if (item->owner == owner && !item->ownsWidget && item->widget &&
            !inRemovedFrame(item->widget))
            item->widget->show();
        return true;
    });
    for (auto it = m_groups.begin(); it != m_groups.end();)
        it = inRemovedFrame(it.value()) ? m_groups.erase(it) : std::next(it);
    for (QWidget* frame : frames)
        delete frame;

    // Tabs the add-in brought that now hold no group go with it.
    std::erase_if(m_allTabs, [&](const std::unique_ptr<Tab>& t) {
        if (t->hosts || t->groups->count() > 1) // the stretch alone: empty
            return false;
        delete t->page;
        return true;
    });
    refreshAll();
    return true;
}

bool RibbonWidget::eventFilter(QObject* watched, QEvent* event)
{
    // Keys reach the focus widget of the active window: only this window's keys count.
    const auto* receiver = qobject_cast<QWidget*>(watched);
    if (event->type() != QEvent::KeyPress || !receiver || receiver->window() != window() ||
        !isVisible())
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString letter = key->text().toUpper();
    if (key->modifiers() == Qt::AltModifier && key->key() >= Qt::Key_A && key->key() <= Qt::Key_Z) {
        const QString wanted = QString(QChar(u'A' + (key->key() - Qt::Key_A)));
        for (const auto& t : m_allTabs) {
            const int at = m_tabs->indexOf(t->page);
            if (at >= 0 && t->keytip == wanted) {
                m_tabs->setCurrentIndex(at);
                m_keytipMode = true;
                return true;
            }
        }
        return QWidget::eventFilter(watched, event);
    }
    if (!m_keytipMode)
        return QWidget::eventFilter(watched, event);
    m_keytipMode = false;
    if (key->modifiers() != Qt::NoModifier || letter.size() != 1)
        return QWidget::eventFilter(watched, event);
    QWidget* page = m_tabs->currentWidget();
    for (const auto& item : m_items) {
        QToolButton* button = item->button;
        if (!button || !page || !page->isAncestorOf(button) || !button->isVisibleTo(page) ||
            !button->isEnabled())
            continue;
        QString keytip = item->node.attr("keytip");
        if (!item->owner)
            keytip = builtInKeytip(item->node.attr("idMso"));
        if (keytip.compare(letter, Qt::CaseInsensitive) != 0)
            continue;
        if (button->menu())
            button->showMenu();
        else
            button->click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

QWidget* RibbonWidget::groupFor(const QString& groupId) const
{
    return m_groups.value(groupId.toLower());
}

} // namespace host_app
