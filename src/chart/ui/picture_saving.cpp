#include "chart/ui/picture_saving.h"

#include "chart/ui/chart_picture.h"
#include "platform/dialogs.h"
#include "platform/messages.h"

#include <QMenu>
#include <QToolButton>
#include <qcustomplot.h>

namespace korvanta::chart::ui {
namespace {

// The picture sizes offered beside the chart's own.
constexpr QSize kPictureSizes[] = {{1280, 720}, {1600, 900}, {1920, 1080}, {3840, 2160}};

QAction* addSizeAction(QMenu& menu, const QString& name, const QString& text) {
    QAction* action = menu.addAction(text);
    action->setObjectName(name);
    return action;
}

} // namespace

void savePictureWithDialog(QCustomPlot& chart, QSize size, const QString& directory,
                           platform::Dialogs& dialogs, platform::Messages& messages) {
    platform::FileDialogRequest request;
    request.caption = QStringLiteral("Zapisz wykres jako obraz");
    request.initialDirectory = directory;
    request.fileName = QStringLiteral("wykres.png");
    request.filter = QStringLiteral("*.png file|*.png|*.svg file|*.svg|*.pdf file|*.pdf");
    const auto chosen = dialogs.saveFile(request);
    if (!chosen) {
        return;
    }
    const QString path = pictureTypeOf(*chosen) ? *chosen : *chosen + QStringLiteral(".png");
    const auto saved = savePicture(chart, path, size.isEmpty() ? chart.size() : size);
    if (!saved) {
        messages.show(QStringLiteral("Nie można zapisać obrazu: ") + saved.reason(),
                      QStringLiteral("Błąd"));
    }
}

void attachPictureMenu(QToolButton& button, const std::function<void(QSize)>& save) {
    auto* menu = new QMenu(&button);
    menu->setObjectName(QStringLiteral("PictureMenu"));
    QObject::connect(
        addSizeAction(*menu, QStringLiteral("PictureChartSize"), QStringLiteral("Rozmiar wykresu")),
        &QAction::triggered, &button, [save] { save({}); });
    for (const QSize size : kPictureSizes) {
        QAction* action = addSizeAction(
            *menu, QStringLiteral("Picture%1x%2").arg(size.width()).arg(size.height()),
            QStringLiteral("%1 × %2").arg(size.width()).arg(size.height()));
        QObject::connect(action, &QAction::triggered, &button, [save, size] { save(size); });
    }
    button.setMenu(menu);
    button.setPopupMode(QToolButton::MenuButtonPopup);
    QObject::connect(&button, &QToolButton::clicked, &button, [save] { save({}); });
}

} // namespace korvanta::chart::ui
