#include "menu_addin/command_buttons.h"

#include "host/automation/events.h"
#include "host/automation/host_error.h"
#include "menu_addin/addin_setting.h"
#include "menu_addin/launcher.h"
#include "platform/key_state.h"

namespace menu_addin {

namespace {

// The launcher's command number of each slot; -1 for those that start no command.
std::int32_t commandOf(CbSlot slot)
{
    switch (slot) {
    case CbSlot::gobjBtnGet:
        return 0;
    case CbSlot::gobjBtnSetting:
        return 1;
    case CbSlot::gobjBtnHelp:
        return 2;
    case CbSlot::gobjBtnAbout:
        return 3;
    case CbSlot::gobjBtnToolSavePic:
        return 4;
    case CbSlot::gobjBtnToolReTrimming:
        return 5;
    case CbSlot::gobjBtnToolReSmall:
        return 6;
    case CbSlot::gobjBtnToolTemLoad:
        return 7;
    case CbSlot::gobjBtnToolTemSave:
        return 8;
    default:
        return -1;
    }
}

} // namespace

c_CB::c_CB(xl::Application app) : m_app(std::move(app)) {}

c_CB::~c_CB()
{
    for (Slot& slot : m_slots)
        unadvise(slot);
}

void c_CB::unadvise(Slot& slot)
{
    if (slot.cookie && !slot.button.isNothing())
        if (host::EventSource* source = slot.button.ref()->events())
            source->unadvise(slot.cookie);
    slot.cookie = 0;
}

void c_CB::setButton(CbSlot which, const xl::Object& button)
{
    Slot& slot = m_slots[size_t(which)];
    unadvise(slot);
    slot.button = button;
    if (button.isNothing())
        return;
    host::EventSource* source = button.ref()->events();
    if (!source)
        return;
    slot.cookie = source->advise(std::make_shared<host::ByRefCallbackSink>(
        [this, which](const QString& name, std::vector<host::Variant>& args) {
            if (name.compare(QStringLiteral("Click"), Qt::CaseInsensitive) != 0)
                return;
            bool cancel = args.size() > 1 && args[1].toBool();
            // An event handler's error stays with the handler, as the platform's events do:
            // the launcher reports what it reports, and a missing workbook is no message.
            try {
                click(which, cancel);
            } catch (const host::HostError&) {
            }
            if (args.size() > 1)
                args[1] = host::Variant(cancel);
        }));
}

void c_CB::click(CbSlot slot, bool& cancelDefault)
{
    if (slot == CbSlot::gobjBtnDefaultIns) {
        const bool hookOn = c_Setting().DefaultCommandHookOn();
        const bool shift = platform::F_GetKeyPushed(platform::vk::Shift);
        if (takesOverDefaultInsert(hookOn, shift)) {
            cancelDefault = true;
            s_CommandByShell(m_app, 0);
        }
        return;
    }
    if (slot == CbSlot::gobjBtnGoToHomePage) {
        s_OpenHomePage();
        return;
    }
    s_CommandByShell(m_app, commandOf(slot));
}

} // namespace menu_addin
