#pragma once

#include "host/xl/application.h"

#include <array>

namespace menu_addin {

// The buttons the add-in listens to, by the name of the slot that holds each.
enum class CbSlot
{
    gobjBtnGet,
    gobjBtnAbout,
    gobjBtnGoToHomePage,
    gobjBtnHelp,
    gobjBtnToolSavePic,
    gobjBtnToolReTrimming,
    gobjBtnToolReSmall,
    gobjBtnToolTemLoad,
    gobjBtnToolTemSave,
    gobjBtnSetting,
    gobjBtnDefaultIns,
};
inline constexpr int kCbSlotCount = 11;

// The button sink: holds host command-bar buttons and hears their Click(Ctrl, CancelDefault)
// events. Each button starts its command of the main program; the host's insert-picture
// button (gobjBtnDefaultIns) is taken over or let run as DefaultCommandHookOn and the Shift
// key say. An empty slot listens to nothing. Releasing the sink stops every listening.
class c_CB
{
public:
    explicit c_CB(xl::Application app);
    ~c_CB();
    c_CB(const c_CB&) = delete;
    c_CB& operator=(const c_CB&) = delete;

    xl::Object button(CbSlot slot) const { return m_slots[size_t(slot)].button; }
    void setButton(CbSlot slot, const xl::Object& button);

    // What a click on the button of `slot` does; `cancelDefault` is the event's by-reference
    // argument.
    void click(CbSlot slot, bool& cancelDefault);

    // The hook of the host's insert-picture command: true when the insertion dialog starts in
    // its place (setting on and Shift up, or setting off and Shift down).
    static bool takesOverDefaultInsert(bool hookOn, bool shiftDown) { return hookOn != shiftDown; }

private:
    struct Slot
    {
        xl::Object button;
        int cookie = 0;
    };
    void unadvise(Slot& slot);

    xl::Application m_app;
    std::array<Slot, kCbSlotCount> m_slots;
};

} // namespace menu_addin
