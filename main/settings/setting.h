#pragma once

#include "host/automation/variant.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <variant>
#include <vector>

namespace platform {
class SettingsStore;
}

namespace picrows {

// What the settings need of the insertion dialog while it is open; the dialog links itself in
// with c_Setting::setInsertionDialog while it is shown.
class InsertionDialogLink
{
public:
    virtual ~InsertionDialogLink();
    virtual void SetToolTip() = 0; // the tooltip pictures follow ShowToolTipImages
};

// Every user option, one property per key of the section "setting" of the settings store,
// named after its key. Creating the object loads every key (the default for a missing one,
// the initial false, 0 or empty text for one that does not convert, then the clamps);
// SaveAll writes every key back. The owner calls SaveAll when it releases the object.
class c_Setting
{
public:
    // `app` is the attached host's Application (none outside a host): its Version forces
    // Rotate_ApiMode on version 9, its StandardFont and StandardFontSize are the defaults of
    // the text box font. The store must outlive the object.
    c_Setting(platform::SettingsStore& store, host::ObjectRef app);
    ~c_Setting();

    c_Setting(const c_Setting&) = delete;
    c_Setting& operator=(const c_Setting&) = delete;

    static QString section(); // "setting"

    bool UnPaste_Lock = false;
    bool UnPaste_Value = false;
    bool UnPaste_Size = false;
    std::int16_t UnPaste_Size_Width = 0;
    std::int16_t UnPaste_Size_Height = 0;
    bool UnPaste_ShowMsg = false;
    bool OneCellOnePaste = false;
    bool IsClicMode = false;
    std::int32_t PasteSize = 0;
    std::int32_t PastePoint = 0;
    bool PasteInfo = false;
    QString PasteInfo_Value;
    std::int16_t PasteInfo_Type = 0;
    std::int32_t PasteInfo_X = 0;
    std::int32_t PasteInfo_Y = 0;
    std::int16_t PasteInfo_Point = 0;
    bool PasteInfo_Group = false;
    float InsertListWidth_1 = 0;
    float InsertListWidth_2 = 0;
    float InsertListWidth_3 = 0;
    float InsertListWidth_4 = 0;
    float InsertListWidth_5 = 0;
    bool DefaultCommandHookOn = false;
    bool ReTrimmingAdd = false;
    bool InsertSyukusyou = false;
    std::int16_t InsertSyukusyou_Bairitsu = 0;
    bool InsertCutTrimming = false;
    bool InsertCutTrimming_NotAuto = false;
    bool Rotate_ApiMode = false;
    std::int32_t Rotate_BackColor = 0;
    std::int16_t ConvertTaisyou = 0;
    bool ConvertSyukusyou = false;
    std::int16_t ConvertSyukusyouBairitsu = 0;
    bool ConvertCutTrimming = false;
    float ConvertListWidth_1 = 0;
    float ConvertListWidth_2 = 0;
    float ConvertListWidth_3 = 0;
    float ConvertListWidth_4 = 0;
    float ConvertListWidth_5 = 0;
    QString Textbox_Fontname;
    double Textbox_Fontsize = 0;
    std::int16_t Textbox_ColorIndex = 0;

    std::int16_t IconWidth() const { return m_IconWidth; }
    std::int16_t IconHeight() const { return m_IconHeight; }
    // Stores both; while the insertion dialog is open a change is announced as taking effect
    // the next time the dialog opens.
    void SetIconSize(std::int16_t width, std::int16_t height);

    bool ShowToolTipImages() const { return m_ShowToolTipImages; }
    void setShowToolTipImages(bool value);

    // The template folder without a trailing "/"; setting it creates the folder when missing.
    QString MyDocPath() const;
    void setMyDocPath(const QString& path);
    bool MyDocPathExists() const;
    bool CreateMyDocPath() const;
    // The documents folder ($XDG_DOCUMENTS_DIR of user-dirs.dirs, else ~/Documents), "/" and
    // the program title.
    static QString GetDefaultMyDocPath();

    // Writes every key in table order; throws platform::StoreError when the store cannot be
    // written.
    void SaveAll();
    // Deletes the sections "setting" and "position" (errors ignored) and loads again.
    void ResetAll();

    void setInsertionDialog(InsertionDialogLink* dialog) { m_dialog = dialog; }

    // Access by key name, for the batch command and the settings dialog.
    using Field =
        std::variant<bool c_Setting::*, std::int16_t c_Setting::*, std::int32_t c_Setting::*,
                     float c_Setting::*, double c_Setting::*, QString c_Setting::*>;
    struct Key
    {
        const char* name;
        Field field;
        std::optional<double> min; // clamps applied after loading
        std::optional<double> max;
    };
    static const std::vector<Key>& keys();          // table order
    static const Key* findKey(const QString& name); // letter case ignored

    // The value of a key in the store's text form ("True", "70", "1600", text as stored).
    QString textOf(const Key& key) const;
    // Converts `text` the way loading does, then applies the key's clamp and rules (a new
    // template folder is created, as the property does). False (and nothing changed) when the
    // text does not convert.
    bool assign(const Key& key, const QString& text);

private:
    void load();
    std::optional<QString> defaultText(const Key& key) const;
    bool convertInto(const Key& key, const QString& text);
    void clamp(const Key& key);
    void applyFontRules();
    bool isHostVersion9() const;

    platform::SettingsStore& m_store;
    host::ObjectRef m_app;
    InsertionDialogLink* m_dialog = nullptr;

    std::int16_t m_IconWidth = 0;
    std::int16_t m_IconHeight = 0;
    bool m_ShowToolTipImages = false;
    QString m_MyDocPath;
};

} // namespace picrows
