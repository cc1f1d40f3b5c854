#include "platform/ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace korvanta::platform::ui {

QTranslator* installQtTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_pl"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
}

} // namespace korvanta::platform::ui
