#pragma once
// Qt's own texts in Polish: the buttons of questions ("Tak", "Nie"), the file dialog and its
// warnings, so that nothing of the toolkit speaks English in a Polish program.

class QCoreApplication;
class QTranslator;

namespace korvanta::platform::ui {

// Loads "qtbase_pl" from Qt's translations folder into the application; the translator belongs
// to the application. Nothing, when the translations are not installed.
QTranslator* installQtTranslations(QCoreApplication& application);

} // namespace korvanta::platform::ui
