// Copies of the menu's re-trimming button on the host's Picture toolbar (after its crop
// button) and on the pictures context menu. Every call removes all copies first, so calls
// never pile copies up; nothing here ever fails towards its caller.
#include "host/automation/host_error.h"
#include "host/xl/command_bars.h"
#include "menu_addin/command_buttons.h"
#include "menu_addin/connect.h"

#include <functional>

namespace menu_addin {

namespace {

const QString kCopyTag = QStringLiteral("TORVA_RETRIMMINGCOMMAND_COPY");
constexpr std::int32_t kCropControl = 732;

// One statement whose host error is ignored; false when it failed.
bool attempt(const std::function<void()>& statement)
{
    try {
        statement();
        return true;
    } catch (const host::HostError&) {
        return false;
    }
}

} // namespace

void Connect::s_CreateOrDelete_RetrimmingCommand(bool add)
{
    if (m_version >= 12 || m_app.isNothing())
        return;
    const xl::Object menuButton = m_cb ? m_cb->button(CbSlot::gobjBtnToolReTrimming) : xl::Object();

    attempt([&] {
        host::Args byTag;
        byTag.add(QStringLiteral("Tag"), host::Variant(kCopyTag));
        const host::Variant found = m_app.CommandBars().call(QStringLiteral("FindControls"), byTag);
        if (found.toObject() == nullptr)
            return;
        for (const host::Variant& item : host::deref(found.toObject()).enumerate()) {
            const xl::Object control(item);
            bool keep = false;
            const bool compared = attempt([&] {
                const QString bar = xl::Object(control.get(QStringLiteral("Parent")))
                                        .get(QStringLiteral("Name"))
                                        .toString();
                const QString own = xl::Object(menuButton.get(QStringLiteral("Parent")))
                                        .get(QStringLiteral("Name"))
                                        .toString();
                // The menu's own button stands on the menu's bar; every copy stands elsewhere.
                keep = bar == own;
            });
            if (!compared || !keep)
                attempt([&] { control.call(QStringLiteral("Delete")); });
        }
    });
    if (!add)
        return;

    std::int32_t position = 0;
    attempt([&] {
        const xl::Object bar(m_app.CommandBars().get(QString(), {QStringLiteral("Picture")}));
        host::Args byId;
        byId.add(QStringLiteral("Id"), host::Variant(kCropControl));
        const xl::Object crop(bar.call(QStringLiteral("FindControl"), byId));
        position = crop.get(QStringLiteral("Index")).toInt32() + 1;
        if (position >
            xl::Object(bar.get(QStringLiteral("Controls"))).get(QStringLiteral("Count")).toInt32())
            position = 0;
    });

    xl::Object copy;
    attempt([&] {
        host::Args args{m_app.CommandBars().get(QString(), {QStringLiteral("Picture")})};
        if (position != 0)
            args.positional.push_back(host::Variant(position));
        copy = xl::Object(menuButton.call(QStringLiteral("Copy"), args));
    });
    attempt([&] { m_app.let(QStringLiteral("CutCopyMode"), false); });
    attempt([&] { copy.let(QStringLiteral("BeginGroup"), position == 0); });
    attempt([&] { copy.let(QStringLiteral("Tag"), kCopyTag); });

    xl::Object contextCopy;
    attempt([&] {
        contextCopy = xl::Object(menuButton.call(
            QStringLiteral("Copy"),
            {m_app.CommandBars().get(QString(), {QStringLiteral("Pictures Context Menu")})}));
    });
    attempt([&] { contextCopy.let(QStringLiteral("BeginGroup"), true); });
    attempt([&] { contextCopy.let(QStringLiteral("Tag"), kCopyTag); });
    attempt([&] { m_app.let(QStringLiteral("CutCopyMode"), false); });
}

} // namespace menu_addin
