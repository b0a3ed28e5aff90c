#include "host/objects/picture_commands.h"

#include "host/automation/host_error.h"
#include "host/model/workbook.h"
#include "host/objects/application.h"
#include "host/objects/command_bars.h"
#include "host/objects/shape_geometry.h"
#include "host/objects/shape_site.h"
#include "host/objects/workbook.h"
#include "host/objects/worksheet.h"

#include <QFontDatabase>

namespace host::objects {

namespace {

constexpr int kFailed = -2147467259; // E_FAIL

std::vector<int> selectedPictures(const Application& app)
{
    std::vector<int> out;
    const auto sheet = app.activeSheet();
    if (!sheet || !sheet->hasCells())
        return out;
    const model::Drawing& drawing = sheet->sheet().drawing;
    for (int id : drawing.selection)
        if (const model::Shape* shape = drawing.find(id);
            shape && shape->kind == model::ShapeKind::Picture)
            out.push_back(id);
    return out;
}

[[noreturn]] void msoFailed(const QString& member)
{
    raise(kFailed, QStringLiteral("Method '") + member +
                       QStringLiteral("' of object '_CommandBars' failed"));
}

} // namespace

bool pictureCropEnabled(const Application& app)
{
    const auto sheet = app.activeSheet();
    return sheet && sheet->hasCells() && sheet->sheet().drawing.selection.size() == 1 &&
           selectedPictures(app).size() == 1;
}

bool pictureSelected(const Application& app)
{
    return !selectedPictures(app).empty();
}

void resetSelectedPictures(Application& app)
{
    const std::vector<int> ids = selectedPictures(app);
    if (ids.empty())
        raise(err::ApplicationDefined, QStringLiteral("No picture is selected."));
    Worksheet& sheet = *app.activeSheet();
    if (drawingProtected(sheet))
        raise(err::ApplicationDefined,
              QStringLiteral("The picture cannot be changed while its sheet is protected."));
    for (int id : ids) {
        resetPicture(shapeOf(sheet, id));
        shapeChanged(sheet, id);
    }
}

QStringList fontBoxEntries(const Application& app)
{
    const auto sheet = app.activeSheet();
    if (!sheet || !sheet->hasCells() || !sheet->sheet().drawing.selection.empty())
        return {};
    return QFontDatabase::families();
}

void addPictureControls(CommandBars& bars)
{
    bars.addBuiltIn({kControlResetPicture, QStringLiteral("図のリセット(&R)"), pictureSelected,
                     resetSelectedPictures});
    bars.addBuiltIn({kControlCrop, QStringLiteral("トリミング(&C)"), pictureCropEnabled, {}});
    BuiltInControl fontBox{kControlFontBox, QStringLiteral("フォント"), {}, {}};
    fontBox.type = ControlType::ComboBox;
    fontBox.list = fontBoxEntries;
    fontBox.text = [](const Application& a) {
        const auto book = a.activeWorkbook();
        return book ? book->model().defaultFontName : a.options().standardFont;
    };
    bars.addBuiltIn(std::move(fontBox));
}

void executeMso(Application& app, const QString& idMso)
{
    if (idMso.compare(QStringLiteral("PictureCrop"), Qt::CaseInsensitive) == 0) {
        // Crop mode lives in the window that shows the picture: without one (the host run
        // headless) there is nothing to crop in, and the call fails as a disabled one does.
        const BuiltInControl* crop = app.commandBars().builtIn(kControlCrop);
        if (!pictureCropEnabled(app) || !crop || !crop->execute)
            msoFailed(QStringLiteral("ExecuteMso"));
        crop->execute(app);
        return;
    }
    if (idMso.compare(QStringLiteral("PictureReset"), Qt::CaseInsensitive) != 0 ||
        !pictureSelected(app))
        msoFailed(QStringLiteral("ExecuteMso"));
    resetSelectedPictures(app);
}

bool getEnabledMso(const Application& app, const QString& idMso)
{
    if (idMso.compare(QStringLiteral("PictureCrop"), Qt::CaseInsensitive) == 0)
        return pictureCropEnabled(app);
    if (idMso.compare(QStringLiteral("PictureReset"), Qt::CaseInsensitive) == 0)
        return pictureSelected(app);
    msoFailed(QStringLiteral("GetEnabledMso"));
}

} // namespace host::objects
