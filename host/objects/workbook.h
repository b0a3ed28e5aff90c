#pragma once

#include "host/automation/member_table.h"

#include <map>
#include <memory>

namespace host::model {
struct Sheet;
struct Workbook;
} // namespace host::model

namespace host::objects {

class Application;
class Window;
class Worksheet;

// An open workbook: owns its model and the objects of its sheets and its window. When the
// workbook closes (or the host ends) it is detached, and references to it or its sheets
// answer "object disconnected".
class Workbook : public TableDispatch<Workbook>
{
public:
    Workbook(Application& app, std::unique_ptr<model::Workbook> book, QString fullName, bool addin);
    ~Workbook() override;

    static const MemberTable<Workbook>& members();
    QString className() const override { return QStringLiteral("Workbook"); }

    Application& app() const;
    model::Workbook& model() const;
    bool attached() const { return m_app != nullptr; }
    void detach();

    QString name() const;
    QString fullName() const { return m_fullName; }
    QString path() const;
    bool isAddin() const { return m_addin; }
    bool saved() const { return m_saved; }
    void markChanged() { setSaved(false); }
    void setSaved(bool saved);
    void setNeverSaved() { m_neverSaved = true; }

    // The default font's maximum digit width, in pixels.
    int digitWidth();

    // A cell format like `style` whose cells are locked or not: `style` itself when it
    // already is, else one appended to the model (and reused for later cells).
    int styleWithLock(int style, bool locked);

    int sheetCount() const;
    std::shared_ptr<Worksheet> sheetAt(int index); // 0-based
    std::shared_ptr<Worksheet> sheetObject(model::Sheet& sheet);
    std::shared_ptr<Worksheet> findSheet(const QString& name);
    int indexOf(const model::Sheet& sheet) const; // 0-based, -1 when gone
    std::shared_ptr<Worksheet> activeSheet();
    void setActiveSheet(int index);
    // After sheets were added or removed: drops the objects of sheets that are gone.
    void sheetsChanged();

    ObjectRef window() const;

    void activate();
    void save();
    void saveAs(const QString& fileName);
    void close(bool save, const QString& fileName);

private:
    Application* m_app;
    std::unique_ptr<model::Workbook> m_model;
    QString m_fullName;
    bool m_addin;
    bool m_saved = true;
    bool m_neverSaved = false;
    int m_digitWidth = 0;
    QString m_digitWidthFont;
    std::map<std::pair<int, bool>, int> m_lockVariants;
    std::map<const model::Sheet*, std::shared_ptr<Worksheet>> m_sheets;
    std::shared_ptr<Window> m_window;
};

} // namespace host::objects
