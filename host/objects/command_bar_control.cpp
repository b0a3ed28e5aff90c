#include "host/objects/command_bar_control.h"

#include "host/objects/application.h"
#include "host/objects/command_bar.h"
#include "host/objects/command_bars.h"
#include "host/objects/disconnected.h"

#include "platform/clipboard.h"

#include <QMimeData>
#include <QRegularExpression>

#include <algorithm>

namespace host::objects {

namespace {

[[noreturn]] void controlMethodFailed(const QString& member)
{
    raise(err::ApplicationDefined, QStringLiteral("Method '") + member +
                                       QStringLiteral("' of object '_CommandBarButton' failed"));
}

} // namespace

CommandBarControl::CommandBarControl(std::weak_ptr<CommandBars> bars, CommandBar* parent,
                                     ControlType type, int builtInId)
    : m_bars(std::move(bars)), m_parent(parent), m_type(type), m_builtInId(builtInId)
{
    if (m_type == ControlType::Popup) {
        m_popup = std::make_shared<CommandBar>(m_bars, QString(), QString(), BarType::Popup,
                                               builtInId != 0);
        m_popup->setOwner(this);
    }
}

CommandBarControl::~CommandBarControl()
{
    if (m_popup)
        m_popup->setOwner(nullptr);
}

QString CommandBarControl::className() const
{
    switch (m_type) {
    case ControlType::Popup:
        return QStringLiteral("CommandBarPopup");
    case ControlType::ComboBox:
    case ControlType::DropDown:
    case ControlType::Edit:
        return QStringLiteral("CommandBarComboBox");
    default:
        return QStringLiteral("CommandBarButton");
    }
}

CommandBars& CommandBarControl::bars() const
{
    const auto bars = m_bars.lock();
    if (!bars || !bars->attached())
        raiseDisconnected();
    return *bars;
}

Application& CommandBarControl::app() const
{
    return bars().app();
}

void CommandBarControl::check() const
{
    bars();
    if (!m_parent)
        raiseDisconnected();
}

const BuiltInControl* CommandBarControl::definition() const
{
    if (!m_builtInId)
        return nullptr;
    const auto bars = m_bars.lock();
    return bars ? bars->builtIn(m_builtInId) : nullptr;
}

void CommandBarControl::changed() const
{
    if (const auto bars = m_bars.lock())
        bars->changed();
}

QString CommandBarControl::caption() const
{
    if (m_captionSet || !definition())
        return m_caption;
    return definition()->caption;
}

QString CommandBarControl::tooltip() const
{
    if (!m_tooltip.isEmpty())
        return m_tooltip;
    QString text = caption();
    text.remove(QStringLiteral("..."));
    // "図(&P)" shows as "図"; "&File" as "File".
    static const QRegularExpression accelerator(QStringLiteral("\\(&.\\)"));
    text.remove(accelerator);
    return text.remove(u'&');
}

bool CommandBarControl::enabled() const
{
    if (!m_enabled)
        return false;
    const BuiltInControl* def = definition();
    if (!def || !def->enabled)
        return true;
    const auto bars = m_bars.lock();
    return bars && bars->attached() && def->enabled(bars->app());
}

QStringList CommandBarControl::entries() const
{
    if (const BuiltInControl* def = definition(); def && def->list)
        return def->list(app());
    if (m_type == ControlType::Button || m_type == ControlType::Popup)
        raise(err::NotSupported);
    return m_items;
}

QString CommandBarControl::text() const
{
    if (const BuiltInControl* def = definition(); def && def->text)
        return def->text(app());
    return m_text;
}

void CommandBarControl::execute()
{
    const BuiltInControl* def = definition();
    if (!def)
        return; // a custom control's command is its handlers'
    if (!def->execute)
        controlMethodFailed(QStringLiteral("Execute"));
    def->execute(app());
}

void CommandBarControl::click()
{
    check();
    if (!enabled())
        controlMethodFailed(QStringLiteral("Execute"));
    std::vector<Variant> args{Variant(shared_from_this()), Variant(false)};
    bars().raiseControlEvent(*this, QStringLiteral("Click"), args);
    if (args.size() > 1 && args[1].toBool())
        return;
    execute();
}

void CommandBarControl::choose(const QString& text)
{
    check();
    if (!enabled())
        controlMethodFailed(QStringLiteral("Execute"));
    const BuiltInControl* def = definition();
    if (!def) {
        m_text = text;
        changed();
    }
    std::vector<Variant> args{Variant(shared_from_this())};
    bars().raiseControlEvent(*this, QStringLiteral("Change"), args);
    if (def && def->applyText)
        def->applyText(app(), text);
}

std::shared_ptr<CommandBarControl> CommandBarControl::copyFor(CommandBar* parent) const
{
    auto copy = std::make_shared<CommandBarControl>(m_bars, parent, m_type, m_builtInId);
    copy->m_caption = m_caption;
    copy->m_captionSet = m_captionSet;
    copy->m_tag = m_tag;
    copy->m_onAction = m_onAction;
    copy->m_parameter = m_parameter;
    copy->m_tooltip = m_tooltip;
    copy->m_text = m_text;
    copy->m_items = m_items;
    copy->m_style = m_style;
    copy->m_faceId = m_faceId;
    copy->m_face = m_face;
    copy->m_beginGroup = m_beginGroup;
    copy->m_visible = m_visible;
    copy->m_enabled = m_enabled;
    if (m_popup)
        for (const auto& child : m_popup->controls())
            copy->m_popup->insert(child->copyFor(copy->m_popup.get()), 0);
    return copy;
}

bool CommandBarControl::sameCommand(const CommandBarControl& other) const
{
    if (&other == this)
        return true;
    if (!m_tag.isEmpty() || !other.m_tag.isEmpty())
        return m_tag == other.m_tag;
    return m_builtInId != 0 && m_builtInId == other.m_builtInId;
}

void CommandBarControl::detach()
{
    m_parent = nullptr;
    if (m_popup)
        m_popup->detach();
}

void CommandBarControl::remove()
{
    check();
    const auto keep = shared_from_this();
    m_parent->removeControl(*this);
    detach();
    changed();
}

const MemberTable<CommandBarControl>& CommandBarControl::members()
{
    static const MemberTable<CommandBarControl> table = [] {
        using C = CommandBarControl;
        MemberTable<C> t;
        // A property kept on the control: reading or setting it changes nothing else.
        const auto text = [&t](const QString& name, QString C::*field) {
            t.prop(
                name,
                [field](C& c) {
                    c.check();
                    return Variant(c.*field);
                },
                [field](C& c, const Variant& v) {
                    c.check();
                    c.*field = v.toString();
                    c.changed();
                });
        };
        const auto flag = [&t](const QString& name, bool C::*field) {
            t.prop(
                name,
                [field](C& c) {
                    c.check();
                    return Variant(c.*field);
                },
                [field](C& c, const Variant& v) {
                    c.check();
                    c.*field = v.toBool();
                    c.changed();
                });
        };
        const auto number = [&t](const QString& name, int C::*field) {
            t.prop(
                name,
                [field](C& c) {
                    c.check();
                    return Variant(std::int32_t(c.*field));
                },
                [field](C& c, const Variant& v) {
                    c.check();
                    c.*field = v.toInt32();
                    c.changed();
                });
        };
        t.prop(QStringLiteral("Id"), [](C& c) {
            c.check();
            return Variant(std::int32_t(c.id()));
        });
        t.prop(
            QStringLiteral("Caption"),
            [](C& c) {
                c.check();
                return Variant(c.caption());
            },
            [](C& c, const Variant& v) {
                c.check();
                c.m_caption = v.toString();
                c.m_captionSet = true;
                c.changed();
            });
        t.prop(
            QStringLiteral("TooltipText"),
            [](C& c) {
                c.check();
                return Variant(c.tooltip());
            },
            [](C& c, const Variant& v) {
                c.check();
                c.m_tooltip = v.toString();
                c.changed();
            });
        text(QStringLiteral("Tag"), &C::m_tag);
        text(QStringLiteral("OnAction"), &C::m_onAction);
        text(QStringLiteral("Parameter"), &C::m_parameter);
        flag(QStringLiteral("BeginGroup"), &C::m_beginGroup);
        flag(QStringLiteral("Visible"), &C::m_visible);
        number(QStringLiteral("Style"), &C::m_style);
        // A face number replaces a pasted face.
        t.prop(
            QStringLiteral("FaceId"),
            [](C& c) {
                c.check();
                return Variant(std::int32_t(c.m_faceId));
            },
            [](C& c, const Variant& v) {
                c.check();
                c.m_faceId = v.toInt32();
                c.m_face = QImage();
                c.changed();
            });
        // The face travels through the clipboard as a 16×16 bitmap: CopyFace puts the
        // button's face there (transparent where nothing is drawn), PasteFace takes the
        // clipboard's bitmap as the face and fails when the clipboard holds none.
        t.member(QStringLiteral("CopyFace"), {}, 0, [](C& c, const BoundArgs&) {
            c.check();
            if (c.m_type == ControlType::Popup)
                raise(err::NotSupported);
            QImage face = c.m_face;
            if (face.isNull()) {
                face = QImage(16, 16, QImage::Format_ARGB32_Premultiplied);
                face.fill(Qt::transparent);
            }
            auto data = std::make_unique<QMimeData>();
            data->setImageData(face);
            platform::clipboard().setMimeData(std::move(data));
            return Variant();
        });
        t.member(QStringLiteral("PasteFace"), {}, 0, [](C& c, const BoundArgs&) {
            c.check();
            if (c.m_type == ControlType::Popup)
                raise(err::NotSupported);
            const QImage image =
                platform::clipboard().hasImage() ? platform::clipboard().image() : QImage();
            if (image.isNull())
                controlMethodFailed(QStringLiteral("PasteFace"));
            c.m_face = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            c.changed();
            return Variant();
        });
        t.prop(QStringLiteral("BuiltIn"), [](C& c) {
            c.check();
            return Variant(c.builtIn());
        });
        t.prop(QStringLiteral("Type"), [](C& c) {
            c.check();
            return Variant(std::int32_t(c.m_type));
        });
        // Built-in controls follow the host's state; setting False disables any control.
        t.prop(
            QStringLiteral("Enabled"),
            [](C& c) {
                c.check();
                return Variant(c.enabled());
            },
            [](C& c, const Variant& v) {
                c.check();
                c.m_enabled = v.toBool();
                c.changed();
            });
        t.prop(QStringLiteral("Index"), [](C& c) {
            c.check();
            return Variant(std::int32_t(c.m_parent->indexOf(c)));
        });
        t.prop(QStringLiteral("Parent"), [](C& c) {
            c.check();
            return Variant(c.m_parent->shared_from_this());
        });
        t.prop(QStringLiteral("Controls"), [](C& c) {
            c.check();
            if (!c.m_popup)
                raise(err::NotSupported);
            return Variant(ObjectRef(std::make_shared<CommandBarControls>(c.m_popup)));
        });
        t.prop(QStringLiteral("CommandBar"), [](C& c) {
            c.check();
            if (!c.m_popup)
                raise(err::NotSupported);
            return Variant(ObjectRef(c.m_popup));
        });
        t.prop(QStringLiteral("ListCount"),
               [](C& c) { return Variant(std::int32_t(c.entries().size())); });
        t.member(QStringLiteral("List"), {QStringLiteral("Index")}, 1,
                 [](C& c, const BoundArgs& args) {
                     const QStringList entries = c.entries();
                     const std::int32_t i = args.at(0).toInt32();
                     if (i < 1 || i > entries.size())
                         raise(err::InvalidCall);
                     return Variant(entries[i - 1]);
                 });
        t.member(QStringLiteral("AddItem"), {QStringLiteral("Text"), QStringLiteral("Index")}, 1,
                 [](C& c, const BoundArgs& args) {
                     c.check();
                     if (c.builtIn() || c.m_type == ControlType::Button ||
                         c.m_type == ControlType::Popup)
                         raise(err::NotSupported);
                     const int at = args.has(1) ? args.at(1).toInt32() - 1 : int(c.m_items.size());
                     c.m_items.insert(std::clamp(at, 0, int(c.m_items.size())),
                                      args.at(0).toString());
                     c.changed();
                     return Variant();
                 });
        t.prop(
            QStringLiteral("Text"),
            [](C& c) {
                c.check();
                return Variant(c.text());
            },
            [](C& c, const Variant& v) { c.choose(v.toString()); });
        t.member(QStringLiteral("Execute"), {}, 0, [](C& c, const BoundArgs&) {
            if (c.m_type == ControlType::Popup)
                raise(err::NotSupported);
            if (c.m_type == ControlType::Button)
                c.click();
            else
                c.choose(c.text());
            return Variant();
        });
        t.member(QStringLiteral("Delete"), {QStringLiteral("Temporary")}, 0,
                 [](C& c, const BoundArgs&) {
                     c.remove();
                     return Variant();
                 });
        // Copy(Bar, Before): the control again on `Bar` (this bar when left out), before the
        // 1-based position `Before` or at the end.
        t.member(QStringLiteral("Copy"), {QStringLiteral("Bar"), QStringLiteral("Before")}, 0,
                 [](C& c, const BoundArgs& args) {
                     c.check();
                     std::shared_ptr<CommandBar> bar =
                         std::static_pointer_cast<CommandBar>(c.m_parent->shared_from_this());
                     if (args.has(0)) {
                         bar = std::dynamic_pointer_cast<CommandBar>(args.at(0).toObject());
                         if (!bar || !bar->attached())
                             raise(err::TypeMismatch);
                     }
                     const int before = args.has(1) ? args.at(1).toInt32() : 0;
                     auto copy = c.copyFor(bar.get());
                     bar->insert(copy, before);
                     c.changed();
                     return Variant(ObjectRef(copy));
                 });
        t.member(QStringLiteral("Reset"), {}, 0, [](C& c, const BoundArgs&) {
            c.check();
            c.m_captionSet = false;
            c.m_caption.clear();
            c.m_enabled = true;
            c.changed();
            return Variant();
        });
        t.prop(QStringLiteral("Application"),
               [](C& c) { return Variant(c.app().shared_from_this()); });
        return t;
    }();
    return table;
}

} // namespace host::objects
